#pragma once

#include "base/Geometry.h"
#include "model/CatLookPresets.h"
#include "model/CatMood.h"
#include "model/CatPose.h"
#include "model/CompanionMessage.h"
#include "model/CompanionScene.h"
#include "model/PurloSettings.h"
#include "platform/Published.h"

#include <optional>
#include <string>

namespace purlo {

// What the companion's window draws, cut from the runtime's scene and settings. The
// window's controller hands it every scene, and it publishes a new snapshot only when
// something visible changed, so an idle cat costs the view nothing.
class CompanionViewModel {
public:
    struct Snapshot {
        CatMood mood = CatMood::idle;
        CatPose pose = CatPose::idle;
        std::optional<CompanionMessage> message;
        Size eyeOffset;
        double scale = 1.0; // the engine's size for this moment
        std::optional<std::string> timerLabel;
        CatSkinPreset skin = CatSkinPreset::tuxedo;
        CatPatternPreset pattern = CatPatternPreset::tuxedo;
        CatEyeColorPreset eyeColor = CatEyeColorPreset::honey;
        CatAccessoryPreset accessory = CatAccessoryPreset::none;
        double companionScale = 1.0; // the user's size, kept within 0.75...1.2
        std::string companionName;
        CompanionMessage hoverMessage; // what she says while the pointer rests on her
        double yawnProgress = 0;

        // "Purlo, a tuxedo pixel cat companion with bell"
        std::string accessibilityLabel() const;
        // The hover line while the pointer rests on her, unless she is being carried;
        // otherwise the scene's message, if any.
        std::optional<CompanionMessage> bubbleMessage(bool pointerHovering) const;
        // The scene the cat is drawn from: her pose and mood, wherever the window is.
        CompanionScene displayScene() const;

        friend bool operator==(const Snapshot&, const Snapshot&) = default;
    };

    static Snapshot makeSnapshot(const CompanionScene& scene, const PurloSettings& settings);

    explicit CompanionViewModel(Snapshot initial)
        : snapshot_(std::move(initial)) {}

    const Published<Snapshot>& snapshot() const { return snapshot_; }

    // Publishes the snapshot of scene and settings when it differs from the present one.
    void update(const CompanionScene& scene, const PurloSettings& settings);

private:
    Published<Snapshot> snapshot_;
};

} // namespace purlo
