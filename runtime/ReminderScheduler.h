#pragma once

#include "model/PurloSettings.h"
#include "model/ReminderEvent.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace purlo {

// Keeps one due time (uptime seconds) for the stretch reminder, each active habit
// reminder and the kind nudge, and hands out at most one reminder per call. Nothing is
// stored: every start arms all of them afresh.
class ReminderScheduler {
public:
    // Arms every reminder from now.
    void reset(const PurloSettings& settings, double now);

    // The reminder due now, in the order stretch, habits as stored, kind nudge. Whatever
    // else is due stays due and fires on a later call; a fired reminder is re-armed from
    // now, not from its old due time. The first call only arms.
    std::optional<ReminderEvent> evaluate(const PurloSettings& settings, double now);

    // Drops the due times of reminders that are no longer active and arms, from now, the
    // active ones that have none; a running due time is kept when its interval changes.
    void syncHabitTimes(const PurloSettings& settings, double now);

    std::optional<double> nextStretchTime() const { return nextStretchTime_; }
    const std::map<std::string, double, std::less<>>& nextHabitTimes() const {
        return nextHabitTimes_;
    }
    std::optional<double> nextKindNudgeTime() const { return nextKindNudgeTime_; }

private:
    void applyKindNudgeSetting(const PurloSettings& settings, double now);
    void syncHabitTimes(const std::vector<PurloHabitReminder>& active, double now);

    std::optional<double> nextStretchTime_;
    std::map<std::string, double, std::less<>> nextHabitTimes_;
    std::optional<double> nextKindNudgeTime_;
};

} // namespace purlo
