#include "companion/CompanionViewModel.h"
#include "tests/support/RuntimeHarness.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::Deliveries;
using testing::settingsWith;
using Kind = CompanionMessage::Kind;

CompanionScene sceneWith(CatMood mood, std::optional<CompanionMessage> message = {}) {
    CompanionScene scene;
    scene.mood = mood;
    scene.message = std::move(message);
    return scene;
}

TEST(CompanionViewModel, KeepsTheUsersSizeWithinItsRange) {
    const struct {
        double stored;
        double shown;
    } cases[] = {{0.5, 0.75}, {0.75, 0.75}, {0.9, 0.9}, {1.0, 1.0}, {1.2, 1.2}, {2.0, 1.2}};
    for (const auto& [stored, shown] : cases) {
        const auto settings = settingsWith([&](PurloSettings& s) { s.companionScale = stored; });
        EXPECT_EQ(CompanionViewModel::makeSnapshot({}, settings).companionScale, shown) << stored;
    }
}

TEST(CompanionViewModel, NamesHerForScreenReadersWithTheSanitisedName) {
    using enum CatAccessoryPreset;
    const struct {
        const char* name;
        CatPatternPreset pattern;
        CatAccessoryPreset accessory;
        const char* label;
    } cases[] = {
        {"  Mochi \n", CatPatternPreset::stripes, bell,
         "Mochi, a stripes pixel cat companion with bell"},
        {"", CatPatternPreset::tuxedo, none, "Purlo, a tuxedo pixel cat companion"},
        {" \t ", CatPatternPreset::socks, crown, "Purlo, a socks pixel cat companion with crown"},
    };
    for (const auto& [name, pattern, accessory, label] : cases) {
        const auto settings = settingsWith([&](PurloSettings& s) {
            s.companionName = name;
            s.pattern = pattern;
            s.accessory = accessory;
        });
        const auto snapshot = CompanionViewModel::makeSnapshot({}, settings);
        EXPECT_EQ(snapshot.accessibilityLabel(), label);
        EXPECT_EQ(snapshot.companionName, CatProfile::sanitizedName(name));
    }
}

TEST(CompanionViewModel, HoverLineComesFromThePhrasePackUnlessSheIsCarried) {
    const struct {
        PurloPhrasePack pack;
        const char* line;
    } packs[] = {{PurloPhrasePack::soft, "purr"},
                 {PurloPhrasePack::focused, "ready"},
                 {PurloPhrasePack::playful, "prrr"},
                 {PurloPhrasePack::quiet, "mm"}};
    const CompanionMessage said{"hi", Kind::focus};
    for (const auto& [pack, line] : packs) {
        const auto settings = settingsWith([&](PurloSettings& s) { s.phrasePack = pack; });
        const CompanionMessage hover{line, Kind::happy};

        const auto idle =
            CompanionViewModel::makeSnapshot(sceneWith(CatMood::idle, said), settings);
        EXPECT_EQ(idle.bubbleMessage(true), hover);
        EXPECT_EQ(idle.bubbleMessage(false), said);

        const auto quiet = CompanionViewModel::makeSnapshot(sceneWith(CatMood::idle), settings);
        EXPECT_EQ(quiet.bubbleMessage(true), hover) << "shown even when the scene says nothing";
        EXPECT_EQ(quiet.bubbleMessage(false), std::nullopt);

        const auto carried =
            CompanionViewModel::makeSnapshot(sceneWith(CatMood::dragged, said), settings);
        EXPECT_EQ(carried.bubbleMessage(true), said);
        const auto carriedSilently =
            CompanionViewModel::makeSnapshot(sceneWith(CatMood::dragged), settings);
        EXPECT_EQ(carriedSilently.bubbleMessage(true), std::nullopt);
    }
}

TEST(CompanionViewModel, PublishesOnlyWhatTheViewWouldDrawDifferently) {
    const PurloSettings settings;
    CompanionScene scene = sceneWith(CatMood::idle, CompanionMessage{"meow", Kind::soft});
    CompanionViewModel model(CompanionViewModel::makeSnapshot(scene, settings));
    Deliveries deliveries(model.snapshot());

    model.update(scene, settings);
    EXPECT_EQ(deliveries.count(), 0) << "the first update matches the snapshot it was made with";

    // The window's place, visibility and the butterfly are the windows' business.
    scene.position = {400, 300};
    scene.isVisible = false;
    scene.butterflyPosition = Point{10, 10};
    model.update(scene, settings);
    EXPECT_EQ(deliveries.count(), 0);

    const struct {
        const char* name;
        std::function<void(CompanionScene&, PurloSettings&)> change;
    } changes[] = {
        {"mood",
         [](CompanionScene& c, PurloSettings&) {
             c.mood = CatMood::purring;
         }},
        {"message",
         [](CompanionScene& c, PurloSettings&) {
             c.message.reset();
         }},
        {"gaze",
         [](CompanionScene& c, PurloSettings&) {
             c.eyeOffset = {0.3, 0};
         }},
        {"timer",
         [](CompanionScene& c, PurloSettings&) {
             c.timerLabel = "24:59";
         }},
        {"yawn",
         [](CompanionScene& c, PurloSettings&) {
             c.yawnProgress = 0.4;
         }},
        {"skin",
         [](CompanionScene&, PurloSettings& s) {
             s.skin = CatSkinPreset::orange;
         }},
        {"name",
         [](CompanionScene&, PurloSettings& s) {
             s.companionName = "Mochi";
         }},
        {"pack",
         [](CompanionScene&, PurloSettings& s) {
             s.phrasePack = PurloPhrasePack::quiet;
         }},
    };
    for (const auto& [name, change] : changes) {
        CompanionScene changedScene = scene;
        PurloSettings changedSettings = settings;
        change(changedScene, changedSettings);
        Deliveries changed(model.snapshot());
        model.update(changedScene, changedSettings);
        model.update(changedScene, changedSettings);
        EXPECT_EQ(changed.count(), 1) << name;
        model.update(scene, settings);
    }

    // A name that sanitises to the same text draws the same.
    Deliveries sameName(model.snapshot());
    model.update(scene, settingsWith([](PurloSettings& s) { s.companionName = "  Purlo  "; }));
    EXPECT_EQ(sameName.count(), 0);
}

} // namespace
} // namespace purlo
