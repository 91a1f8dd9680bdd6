#pragma once

#include "model/AgentEventSnapshot.h"
#include "runtime/AgentEventFile.h"
#include "runtime/AgentEventPayload.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace purlo {

// How long an event of each kind stays current when its file names no lifetime.
double defaultLifetime(AgentEventKind kind);

// Reads the agent event file that coding tools' hooks (and this program) write, keeps
// the event the cat is showing and a short history of what arrived. Owned by the
// runtime and polled from its tick; it never waits on the file.
class AgentEventBridge {
public:
    static constexpr std::string_view eventFileName = "agent-event.json";
    static constexpr std::size_t maxHistoryCount = 20;
    static constexpr std::size_t maximumFileSize = 16384;
    // The tick looks at the file no more often than this, in seconds.
    static constexpr double minimumSampleInterval = 1.0;

    // "agent-event.json" in the support folder.
    static std::filesystem::path defaultEventFileURL(const std::filesystem::path& supportFolder);

    explicit AgentEventBridge(std::filesystem::path eventFileURL)
        : eventFileURL_(std::move(eventFileURL)) {}

    const std::filesystem::path& eventFileURL() const { return eventFileURL_; }
    const AgentEventSnapshot& currentEvent() const { return currentEvent_; }
    // Oldest first, at most maxHistoryCount.
    const std::vector<AgentEventSnapshot>& eventHistory() const { return eventHistory_; }
    // The file's stamp as last seen; nothing while there was no file.
    const std::optional<AgentEventFileStamp>& lastModificationDate() const {
        return lastModificationDate_;
    }

    // The file's present stamp; nothing when there is no file.
    std::optional<AgentEventFileStamp> eventFileModificationDate() const;
    // Whether a file is there whose stamp differs from the one last seen; remembers the
    // present stamp either way, so a deleted file that comes back counts as new.
    bool eventFileChanged();

    // The event a payload describes, received at receivedAt (uptime seconds). The message
    // is dropped; a timestamp later than receivedAt counts as receivedAt, so a clock that
    // disagrees cannot hold an event on screen for longer than its lifetime.
    static AgentEventSnapshot makeSnapshot(const AgentEventPayload& payload, double receivedAt);
    // The failed event of the program itself that stands in for a file it cannot use.
    static AgentEventSnapshot substituteEvent(double now);

    // Adds an event to the history, unless it has no kind or repeats the newest entry.
    void ingest(const AgentEventSnapshot& event);

    // Forgets the current event and the history, and takes whatever the file holds now
    // as already seen, so an old event is never replayed.
    void reset();

    // Reads the file when it changed, takes its event in, and lets an expired current
    // event go. now is uptime seconds. The runtime calls it at most once per
    // minimumSampleInterval while the bridge is on, and calls reset on every tick while
    // it is off.
    const AgentEventSnapshot& sample(double now);

private:
    AgentEventSnapshot readEvent(double now) const;

    std::filesystem::path eventFileURL_;
    AgentEventSnapshot currentEvent_;
    std::vector<AgentEventSnapshot> eventHistory_;
    std::optional<AgentEventFileStamp> lastModificationDate_;
};

} // namespace purlo
