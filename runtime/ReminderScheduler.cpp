#include "runtime/ReminderScheduler.h"

#include "base/UnicodeText.h"

#include <algorithm>
#include <cstdint>

namespace purlo {
namespace {

// Intervals in seconds, computed in double: the stored minutes are not range-checked,
// and an integer product could overflow.
double minutes(std::int64_t count) {
    return static_cast<double>(count) * 60.0;
}

// The stretch reminder has no off state: below a minute it comes every minute.
double stretchInterval(const PurloSettings& settings) {
    return minutes(std::max<std::int64_t>(settings.stretchReminderMinutes, 1));
}

double habitInterval(const PurloHabitReminder& reminder) {
    return minutes(std::clamp<std::int64_t>(reminder.intervalMinutes, 5, 240));
}

std::optional<double> kindNudgeInterval(const PurloSettings& settings) {
    if (settings.kindNudgeMinutes < 1) {
        return std::nullopt;
    }
    return minutes(std::clamp<std::int64_t>(settings.kindNudgeMinutes, 30, 240));
}

std::optional<double> after(double now, std::optional<double> interval) {
    if (!interval) {
        return std::nullopt;
    }
    return now + *interval;
}

} // namespace

void ReminderScheduler::reset(const PurloSettings& settings, double now) {
    nextStretchTime_ = now + stretchInterval(settings);
    nextKindNudgeTime_ = after(now, kindNudgeInterval(settings));
    nextHabitTimes_.clear();
    for (const auto& reminder : settings.activeHabitReminders()) {
        nextHabitTimes_.insert_or_assign(reminder.id, now + habitInterval(reminder));
    }
}

void ReminderScheduler::syncHabitTimes(const PurloSettings& settings, double now) {
    syncHabitTimes(settings.activeHabitReminders(), now);
}

void ReminderScheduler::syncHabitTimes(const std::vector<PurloHabitReminder>& active, double now) {
    std::erase_if(nextHabitTimes_, [&](const auto& entry) {
        return std::ranges::none_of(
            active, [&](const PurloHabitReminder& reminder) { return reminder.id == entry.first; });
    });
    for (const auto& reminder : active) {
        nextHabitTimes_.try_emplace(reminder.id, now + habitInterval(reminder));
    }
}

void ReminderScheduler::applyKindNudgeSetting(const PurloSettings& settings, double now) {
    if (!kindNudgeInterval(settings)) {
        nextKindNudgeTime_.reset();
    } else if (!nextKindNudgeTime_) {
        nextKindNudgeTime_ = after(now, kindNudgeInterval(settings));
    }
}

std::optional<ReminderEvent> ReminderScheduler::evaluate(const PurloSettings& settings,
                                                         double now) {
    const auto active = settings.activeHabitReminders();
    if (!nextStretchTime_) {
        nextStretchTime_ = now + stretchInterval(settings);
        applyKindNudgeSetting(settings, now);
        syncHabitTimes(active, now);
        return std::nullopt;
    }
    applyKindNudgeSetting(settings, now);
    syncHabitTimes(active, now);

    if (*nextStretchTime_ <= now) {
        nextStretchTime_ = now + stretchInterval(settings);
        return ReminderEvent::stretch();
    }
    for (const auto& reminder : active) {
        const auto due = nextHabitTimes_.find(reminder.id);
        if (due == nextHabitTimes_.end() || due->second > now) {
            continue;
        }
        due->second = now + habitInterval(reminder);
        std::string text = trimmedWhitespace(reminder.message);
        if (!text.empty()) {
            return ReminderEvent::fixedMessage(std::move(text));
        }
    }
    if (!nextKindNudgeTime_ || *nextKindNudgeTime_ > now) {
        return std::nullopt;
    }
    nextKindNudgeTime_ = after(now, kindNudgeInterval(settings));
    return ReminderEvent::kindNudge(
        std::string(phrase(settings.phrasePack, PhraseSlot::kindNudge)));
}

} // namespace purlo
