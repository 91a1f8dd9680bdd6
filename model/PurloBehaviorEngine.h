#pragma once

#include "base/Geometry.h"
#include "model/BehaviorEngineState.h"
#include "model/BehaviorInput.h"
#include "model/CompanionScene.h"
#include "model/PurloSettings.h"

#include <optional>

namespace purlo {

// Where a zoomies dash has taken the cat, and which way she runs (-1 left, +1 right).
struct ZoomiesDashPosition {
    double x = 0;
    int facing = 1;

    friend bool operator==(const ZoomiesDashPosition&, const ZoomiesDashPosition&) = default;
};

// The cat's mind: a plain value that turns one tick's input and the settings into the
// next scene. It owns no timers, threads, files or randomness; every timer is a time
// stamp in its state and every varying interval is worked out from the time itself,
// so the same inputs always give the same scenes.
class PurloBehaviorEngine {
public:
    using State = BehaviorEngineState;

    static constexpr Size companionSize{160, 204};
    // The point of the window the gaze and distances are measured from.
    static constexpr Point headOffset{80, 64};

    // The runtime places the companion and, during a zoomies dash, moves her here.
    State state;

    // Applies what happened since the last tick, then decides the scene. Plays that
    // the scene no longer shows (a zoomies run, a butterfly visit) end for good.
    CompanionScene step(const BehaviorInput& input, const PurloSettings& settings);

    // The butterfly's point elapsed seconds into its 12 s visit: it flies in from
    // beyond the stage's edge on the cat's side, flutters above her head, rises when
    // she swats and leaves past the top of the stage.
    static Point butterflyPoint(double elapsed, Point head, const Rect& stage);

    // The cat's x elapsed seconds into a 3.6 s dash: to the screen's left edge, across
    // to the right edge and home again. A screen too narrow to run leaves her home.
    static ZoomiesDashPosition zoomiesDashPosition(double elapsed, double homeX, const Rect& screen,
                                                   double width);

    // The origin nearest to proposed that keeps a window of size inside screen, inset
    // on every side (a negative inset counts as none). A screen narrower or lower than
    // the window pins the origin to its left or bottom edge.
    static Point clampedOrigin(Point proposed, Size size, const Rect& screen, double inset);

private:
    CompanionScene decideScene(const BehaviorInput& input, const PurloSettings& settings);

    void applyInputs(const BehaviorInput& input, const PurloSettings& settings, bool quiet,
                     bool napActive);
    void applyInteraction(const CompanionInteraction& interaction, const BehaviorInput& input);
    void applyReminder(const std::optional<ReminderEvent>& reminder, double now);
    void applyPomodoroEvent(const std::optional<PomodoroEvent>& event,
                            const PurloSettings& settings, double now);
    void applyAgentEvent(const AgentEventSnapshot& event, const PurloSettings& settings,
                         double now);
    void noteUserActivity(const BehaviorInput& input, const PurloSettings& settings);
    void resetTransientState();
    void endAgentHold();
    bool mayRoam(const BehaviorInput& input, const PurloSettings& settings, bool quiet) const;

    static CompanionMessage agentMessage(AgentEventKind kind, const AgentEventSnapshot& event,
                                         const PurloSettings& settings);
};

} // namespace purlo
