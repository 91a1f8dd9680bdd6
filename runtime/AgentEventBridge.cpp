#include "runtime/AgentEventBridge.h"

#include "base/RegularFile.h"

#include <algorithm>
#include <array>
#include <utility>

namespace purlo {
namespace {

constexpr double shortestLifetime = 1;
constexpr double longestLifetime = 300;
constexpr std::string_view ownName = "Purlo";

} // namespace

double defaultLifetime(AgentEventKind kind) {
    // In kind order: started, thinking, waiting, completed, failed.
    static constexpr std::array<double, 5> lifetimes{60, 60, 45, 3, 7};
    return lifetimes[static_cast<std::size_t>(kind)];
}

std::filesystem::path
AgentEventBridge::defaultEventFileURL(const std::filesystem::path& supportFolder) {
    return supportFolder / eventFileName;
}

std::optional<AgentEventFileStamp> AgentEventBridge::eventFileModificationDate() const {
    return agentEventFileStamp(eventFileURL_);
}

bool AgentEventBridge::eventFileChanged() {
    const auto previous = std::exchange(lastModificationDate_, eventFileModificationDate());
    return lastModificationDate_ && lastModificationDate_ != previous;
}

AgentEventSnapshot AgentEventBridge::makeSnapshot(const AgentEventPayload& payload,
                                                  double receivedAt) {
    AgentEventSnapshot event;
    event.kind = payload.event;
    event.source = payload.source.value_or("Agent");
    event.receivedAt = std::min(payload.timestamp.value_or(receivedAt), receivedAt);
    double lifetime = defaultLifetime(payload.event);
    if (payload.ttlSeconds) {
        lifetime = *payload.ttlSeconds <= shortestLifetime
                       ? shortestLifetime
                       : std::min(*payload.ttlSeconds, longestLifetime);
    }
    event.expiresAt = *event.receivedAt + lifetime;
    return event;
}

AgentEventSnapshot AgentEventBridge::substituteEvent(double now) {
    AgentEventSnapshot event;
    event.kind = AgentEventKind::failed;
    event.source = ownName;
    event.receivedAt = now;
    event.expiresAt = now + defaultLifetime(AgentEventKind::failed);
    return event;
}

void AgentEventBridge::ingest(const AgentEventSnapshot& event) {
    if (!event.kind) {
        return;
    }
    if (!eventHistory_.empty() && eventHistory_.back() == event) {
        return;
    }
    eventHistory_.push_back(event);
    if (eventHistory_.size() > maxHistoryCount) {
        eventHistory_.erase(eventHistory_.begin(),
                            eventHistory_.end() - static_cast<std::ptrdiff_t>(maxHistoryCount));
    }
}

void AgentEventBridge::reset() {
    currentEvent_ = AgentEventSnapshot::empty();
    eventHistory_.clear();
    lastModificationDate_ = eventFileModificationDate();
}

AgentEventSnapshot AgentEventBridge::readEvent(double now) const {
    std::error_code error;
    const auto bytes = readRegularFile(eventFileURL_, maximumFileSize, error);
    if (!bytes) {
        return substituteEvent(now);
    }
    const auto payload = decodeAgentEventPayload(*bytes);
    if (!payload) {
        return substituteEvent(now);
    }
    return makeSnapshot(*payload, now);
}

const AgentEventSnapshot& AgentEventBridge::sample(double now) {
    if (eventFileChanged()) {
        currentEvent_ = readEvent(now);
        ingest(currentEvent_);
    }
    if (currentEvent_.expiresAt && *currentEvent_.expiresAt <= now) {
        currentEvent_ = AgentEventSnapshot::empty();
    }
    return currentEvent_;
}

} // namespace purlo
