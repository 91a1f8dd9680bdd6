#include "settings/CompanionSettingsBindings.h"

#include "runtime/CompanionPanelGeometry.h"

namespace purlo {
namespace {

// The reaction intensities the cat tells apart; beyond them she reacts as at the bound.
constexpr double leastSensitivity = 0.1;
constexpr double mostSensitivity = 1.0;

} // namespace

Binding<bool> launchAtLoginBinding(PurloRuntime& runtime) {
    return {[&runtime] { return *runtime.launchAtLoginEnabled(); },
            [&runtime](bool on) {
                runtime.setLaunchAtLogin(on);
            }};
}

Binding<double> sensitivityBinding(PurloRuntime& runtime) {
    const Binding<double> stored = settingsBinding(runtime, &PurloSettings::reactionIntensity);
    return {[stored] { return std::clamp(stored(), leastSensitivity, mostSensitivity); },
            stored.set};
}

Binding<std::string> companionNameBinding(PurloRuntime& runtime) {
    const Binding<std::string> stored = settingsBinding(runtime, &PurloSettings::companionName);
    return {stored.get, [stored](std::string text) {
                stored.set(CatProfile::sanitizedName(text));
            }};
}

Binding<std::int64_t> edgePaddingBinding(PurloRuntime& runtime) {
    const Binding<std::int64_t> stored =
        settingsBinding(runtime, &PurloSettings::companionEdgePadding);
    return {[stored] { return std::clamp<std::int64_t>(stored(), 0, maximumEdgePadding); },
            [stored, &runtime](std::int64_t points) {
                stored.set(points);
                runtime.reclampCompanionPosition();
            }};
}

} // namespace purlo
