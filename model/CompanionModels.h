#pragma once

// The companion's vocabulary: what the engine reads, what it writes, and the look.
#include "model/ActiveAppSnapshot.h"
#include "model/AgentEventSnapshot.h"
#include "model/BehaviorInput.h"
#include "model/CatLookPresets.h"
#include "model/CatMood.h"
#include "model/CatPose.h"
#include "model/CatProfile.h"
#include "model/CompanionInteraction.h"
#include "model/CompanionMessage.h"
#include "model/CompanionPlacement.h"
#include "model/CompanionPresence.h"
#include "model/CompanionScene.h"
#include "model/InputSnapshots.h"
#include "model/PomodoroSnapshot.h"
#include "model/PurloPhrasePack.h"
#include "model/ReminderEvent.h"
