#pragma once

#include "base/Geometry.h"
#include "model/AgentEventSnapshot.h"
#include "model/CatMood.h"
#include "model/CatPose.h"
#include "model/CompanionMessage.h"

#include <optional>
#include <string>
#include <vector>

namespace purlo {

// Everything the cat remembers from one step to the next. Times are uptime seconds
// of the engine's input; 0 means not set, and a field named ...Until ends its
// behaviour once the input time reaches it. Nothing is cleared when it expires: a
// row of the decision simply stops holding.
struct BehaviorEngineState {
    Point position; // origin of the companion window
    bool quietHoursActive = false;
    bool dragging = false;
    double petUntil = 0;
    double stretchUntil = 0;
    double celebrationUntil = 0;
    std::optional<CompanionMessage> celebrationMessage; // nothing: the pack's line
    bool celebrationIsAgent = false;
    std::optional<AgentEventSnapshot> lastAppliedAgentEvent;
    std::optional<CatMood> agentMood;
    std::optional<CatPose> agentPose;
    std::optional<CompanionMessage> agentMessage;
    double agentUntil = 0;
    std::optional<CompanionMessage> returnMessage;
    double returnUntil = 0;
    std::optional<CompanionMessage> fixedMessage; // outranks every other bubble
    double fixedMessageUntil = 0;
    std::optional<double> lastUserActivityTime;
    double greetUntil = 0;
    std::optional<double> lastFastTypingTime;
    double hesitateUntil = 0;
    double zoomiesStartedAt = 0;
    double zoomiesUntil = 0;
    double nextZoomiesAt = 0;
    std::optional<std::string> lastActiveAppKey;
    std::optional<double> focusedTypingSince;
    double perkUntil = 0;
    std::vector<double> appSwitchTimes; // the last 30 s, oldest first
    double groomUntil = 0;
    std::optional<double> ambushArmedSince;
    double ambushLastNearAt = 0;
    double ambushCooldownUntil = 0;
    double ambushCrouchUntil = 0;
    double feintStretchUntil = 0;
    double stareUntil = 0;
    bool storedAbsenceHandled = false;
    std::optional<double> agentRunStartedAt;
    double agentRunLastSeenAt = 0;
    double nextFunnyFaceAt = 0;
    double funnyFaceUntil = 0;
    bool funnyFaceIsBlep = false;
    double nextButterflyAt = 0;
    double butterflyStartedAt = 0;
    double butterflyUntil = 0;
    Rect butterflyStage; // the cat's screen when the visit began
    bool yawnLatched = false;
    double yawnUntil = 0;
    std::optional<AgentEventSnapshot> suppressedAgentEvent; // arrived in quiet hours

    friend bool operator==(const BehaviorEngineState&, const BehaviorEngineState&) = default;
};

} // namespace purlo
