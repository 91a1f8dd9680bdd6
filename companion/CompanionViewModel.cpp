#include "companion/CompanionViewModel.h"

#include "model/CatProfile.h"
#include "model/PurloPhrasePack.h"

#include <cctype>

namespace purlo {
namespace {

// The display titles are plain ASCII words.
std::string lowercasedTitle(std::string_view title) {
    std::string word(title);
    for (char& c : word) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return word;
}

} // namespace

std::string CompanionViewModel::Snapshot::accessibilityLabel() const {
    std::string label =
        companionName + ", a " + lowercasedTitle(title(pattern)) + " pixel cat companion";
    if (accessory != CatAccessoryPreset::none) {
        label += " with " + lowercasedTitle(title(accessory));
    }
    return label;
}

std::optional<CompanionMessage>
CompanionViewModel::Snapshot::bubbleMessage(bool pointerHovering) const {
    if (pointerHovering && mood != CatMood::dragged) {
        return hoverMessage;
    }
    return message;
}

CompanionScene CompanionViewModel::Snapshot::displayScene() const {
    CompanionScene scene;
    scene.mood = mood;
    scene.pose = pose;
    scene.message = message;
    scene.eyeOffset = eyeOffset;
    scene.scale = scale;
    scene.timerLabel = timerLabel;
    scene.yawnProgress = yawnProgress;
    return scene;
}

CompanionViewModel::Snapshot CompanionViewModel::makeSnapshot(const CompanionScene& scene,
                                                              const PurloSettings& settings) {
    return Snapshot{
        .mood = scene.mood,
        .pose = scene.pose,
        .message = scene.message,
        .eyeOffset = scene.eyeOffset,
        .scale = scene.scale,
        .timerLabel = scene.timerLabel,
        .skin = settings.skin,
        .pattern = settings.pattern,
        .eyeColor = settings.eyeColor,
        .accessory = settings.accessory,
        .companionScale = CatProfile::clampedScale(settings.companionScale),
        .companionName = CatProfile::sanitizedName(settings.companionName),
        .hoverMessage =
            CompanionMessage{std::string(phrase(settings.phrasePack, PhraseSlot::purring)),
                             CompanionMessage::Kind::happy},
        .yawnProgress = scene.yawnProgress,
    };
}

void CompanionViewModel::update(const CompanionScene& scene, const PurloSettings& settings) {
    snapshot_.setIfChanged(makeSnapshot(scene, settings));
}

} // namespace purlo
