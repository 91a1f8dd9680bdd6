#include "settings/CompanionSettingsBindings.h"
#include "tests/support/RuntimeHarness.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::Deliveries;
using testing::RuntimeHarness;

TEST(CompanionSettingsBindings, DedicatedBindingsShowTheUsableValueAndStoreTheEdit) {
    const struct {
        std::int64_t storedPadding;
        double storedIntensity;
        std::int64_t shownPadding;
        double shownIntensity;
    } shown[] = {
        {300, 0, 96, 0.1},
        {-4, 1.7, 0, 1.0},
        {40, 0.35, 40, 0.35},
    };
    for (const auto& row : shown) {
        RuntimeHarness harness(testing::settingsWith([&](PurloSettings& settings) {
            settings.companionEdgePadding = row.storedPadding;
            settings.reactionIntensity = row.storedIntensity;
        }));
        PurloRuntime& runtime = harness.runtime();
        Deliveries published(runtime.settings());
        EXPECT_EQ(edgePaddingBinding(runtime)(), row.shownPadding);
        EXPECT_EQ(sensitivityBinding(runtime)(), row.shownIntensity);
        EXPECT_EQ(published.count(), 0) << "showing a value writes nothing";
        EXPECT_EQ(harness.stored().reactionIntensity, row.storedIntensity);
    }

    RuntimeHarness harness(testing::settingsWith([](PurloSettings& settings) {
        settings.companionPlacement = CompanionPlacement{10, 10};
    }));
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    edgePaddingBinding(runtime).set(96);
    EXPECT_EQ(harness.stored().companionEdgePadding, 96);
    EXPECT_EQ(harness.scene().position, (Point{96, 96})) << "she moves inside the new margin";

    for (const auto& [typed, stored] : std::initializer_list<std::pair<std::string, std::string>>{
             {"   ", "Purlo"}, {" \tMochi \n", "Mochi"}, {"Nori", "Nori"}}) {
        companionNameBinding(runtime).set(typed);
        EXPECT_EQ(harness.stored().companionName, stored) << typed;
    }

    Deliveries published(runtime.settings());
    launchAtLoginBinding(runtime).set(true);
    EXPECT_TRUE(launchAtLoginBinding(runtime)());
    EXPECT_EQ(harness.loginItem.status(), LoginItemStatus::enabled);
    EXPECT_EQ(published.count(), 0) << "the login switch writes no setting";
}

TEST(CompanionSettingsBindings, AnOptionListChoosesByPositionAndKnowsWhenNoneIsChosen) {
    CatSkinPreset stored = CatSkinPreset::gray;
    int writes = 0;
    const OptionList list = optionList(Binding<CatSkinPreset>{[&] { return stored; },
                                                              [&](CatSkinPreset skin) {
                                                                  ++writes;
                                                                  stored = skin;
                                                              }},
                                       std::vector{CatSkinPreset::midnight, CatSkinPreset::calico},
                                       [](CatSkinPreset skin) { return std::string(title(skin)); });

    EXPECT_EQ(list.titles, (std::vector<std::string>{"Midnight", "Calico"}));
    EXPECT_EQ(list.selection(), -1) << "gray is not offered";
    list.selection.set(1);
    EXPECT_EQ(stored, CatSkinPreset::calico);
    EXPECT_EQ(list.selection(), 1);
    list.selection.set(1);
    list.selection.set(2);
    list.selection.set(-1);
    EXPECT_EQ(writes, 2) << "choosing the chosen one writes again; no position, no write";
}

} // namespace
} // namespace purlo
