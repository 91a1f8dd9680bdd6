#include "companion/qt/PixelCatView.h"
#include "companion/qt/PurloFontRegistrar.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/MenuBarTesting.h"
#include "ui/PurloMenuBarView.h"

#include <QCoreApplication>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace purlo {
namespace {

using Mode = PomodoroController::State::Mode;
using testing::press;
using testing::RuntimeHarness;
using testing::visibleRowTitles;
using Titles = std::vector<std::string>;

class PurloMenuBarViewTest : public ::testing::Test {
protected:
    PurloMenuBarViewTest() {
        PurloFontRegistrar::shared().registerBundledFonts(
            QCoreApplication::applicationDirPath().toStdString());
    }

    // The popover over the runtime as stored so far, open.
    PurloMenuBarView& open() {
        if (!view_) {
            view_ = std::make_unique<PurloMenuBarView>(
                harness.runtime(), harness.clock, harness.loop, harness.appearance,
                PurloMenuBarView::Actions{
                    .dismiss = [this] { ++dismissed; },
                    .openSettings = [this] { ++settingsOpened; },
                    .quit = [this] { ++quitRequests; },
                });
            view_->show();
        }
        return *view_;
    }

    std::string status() { return open().statusText().toStdString(); }

    RuntimeHarness harness;
    int dismissed = 0;
    int settingsOpened = 0;
    int quitRequests = 0;

private:
    std::unique_ptr<PurloMenuBarView> view_;
};

TEST_F(PurloMenuBarViewTest, ListsItsRowsUnderTheSanitisedName) {
    for (const auto& [stored, shown] :
         {std::pair{"  Mochi \n", "Mochi"}, {" \t\n", "Purlo"}, {"", "Purlo"}}) {
        RuntimeHarness local(testing::settingsWith(
            [&](PurloSettings& settings) { settings.companionName = stored; }));
        PurloMenuBarView view(local.runtime(), local.clock, local.loop, local.appearance, {});
        view.show();
        const std::string name = shown;
        EXPECT_EQ(view.nameText().toStdString(), name);
        EXPECT_EQ(
            visibleRowTitles(view),
            (Titles{"Hide " + name, "Pet " + name, "Agent done", "Mark small win", "Nap",
                    "Stretch now", "Reset position", "Start focus", "Settings…", "Quit Purlo"}));
        EXPECT_EQ(view.statusText().toStdString(), "purring along");
        EXPECT_EQ(view.width(), PurloMenuBarView::fixedWidth);
    }
}

// What the rows have done to the runtime so far, in a few words.
std::string effects(RuntimeHarness& harness, double since, Date now) {
    const auto& state = harness.runtime().behaviorEngine().state;
    const PurloSettings& settings = harness.settings();
    std::string said;
    const auto say = [&](bool condition, const std::string& word) {
        if (condition) {
            said += said.empty() ? word : " " + word;
        }
    };
    say(state.petUntil > since, "petted");
    say(state.celebrationUntil > since, "cheered");
    say(settings.completionStreak.totalCompletions > 0,
        "wins=" + std::to_string(settings.completionStreak.totalCompletions));
    say(state.stretchUntil > since, "stretching");
    say(settings.companionPlacement.has_value(), "placed");
    say(harness.runtime().pomodoro()->mode == Mode::focus, "focus");
    say(!harness.scene().isVisible, "hidden");
    say(settings.nap.isIndefinite(), "asleep until woken");
    say(settings.nap.until && !settings.nap.isIndefinite(),
        "asleep for " + std::to_string(std::lround(settings.nap.until->secondsSinceReferenceDate -
                                                   now.secondsSinceReferenceDate)));
    return said;
}

TEST_F(PurloMenuBarViewTest, EveryRowReachesTheRuntimeAndSaysSo) {
    const double since = harness.clock.uptime();
    const Date now = harness.clock.now();
    const struct {
        const char* row;
        const char* flash;
        const char* effects;
    } steps[] = {
        {"Nap", "purring along", ""},
        {"Quick catnap · 20m", "napping · back in 20m", "asleep for 1200"},
        {"Wake Purlo", "good morning!", ""},
        {"Nap", "good morning!", ""},
        {"Proper nap · 1h", "napping · back in 1h", "asleep for 3600"},
        {"Wake Purlo", "good morning!", ""},
        {"Nap", "good morning!", ""},
        {"Until I wake her", "napping until you wake her", "asleep until woken"},
        {"Wake Purlo", "good morning!", ""},
        {"Pet Purlo", "loved ♥", "petted"},
        {"Agent done", "nice work! ✨", "petted cheered"},
        {"Mark small win", "proud of you!", "petted cheered wins=1"},
        {"Stretch now", "stretching… reach up high", "petted cheered wins=1 stretching"},
        {"Reset position", "recentered — hi again", "petted cheered wins=1 stretching placed"},
        {"Start focus", "focusing · 25:00", "petted cheered wins=1 stretching placed focus"},
        {"Stop focus", "good session ♥", "petted cheered wins=1 stretching placed"},
        {"Hide Purlo", "hiding — Ctrl+H to return",
         "petted cheered wins=1 stretching placed hidden"},
        {"Show Purlo", "there you are!", "petted cheered wins=1 stretching placed"},
    };
    PurloMenuBarView& view = open();
    for (const auto& [row, flash, done] : steps) {
        press(view, row);
        EXPECT_EQ(effects(harness, since, now), done) << row;
        EXPECT_EQ(status(), flash) << row;
    }
    EXPECT_EQ(dismissed, 0) << "only Settings closes the popover";
    EXPECT_EQ(quitRequests, 0);

    press(view, "Settings…");
    EXPECT_EQ(settingsOpened, 1);
    EXPECT_EQ(dismissed, 1);
    press(view, "Quit Purlo");
    EXPECT_EQ(quitRequests, 1);
    EXPECT_EQ(status(), "bye for now ♥");
}

TEST_F(PurloMenuBarViewTest, ANewerFlashKeepsItsFullTimeWhateverTheOlderTimerDoes) {
    PurloMenuBarView& view = open();
    press(view, "Pet Purlo");
    harness.loop.advance(1.0);
    press(view, "Agent done");
    harness.loop.advance(2.0);
    EXPECT_EQ(status(), "nice work! ✨") << "the first flash's time is over, its timer is not";
    harness.loop.advance(0.79);
    EXPECT_EQ(status(), "nice work! ✨");
    harness.loop.advance(0.02);
    EXPECT_EQ(status(), "purring along");
    EXPECT_EQ(view.flashedMood(), std::nullopt);

    // A flash shown while the popover is closed still ends on time.
    press(view, "Pet Purlo");
    view.hide();
    harness.loop.advance(PurloMenuBarView::flashDuration + 0.01);
    view.show();
    EXPECT_EQ(status(), "purring along");
}

TEST_F(PurloMenuBarViewTest, TheStatusLineFollowsNapAndPomodoroAfterTheFlash) {
    harness.storeSettings(
        testing::settingsWith([](PurloSettings& settings) { settings.pomodoroFocusMinutes = 0; }));
    PurloMenuBarView& view = open();
    press(view, "Start focus");
    EXPECT_EQ(status(), "focusing · 0:00") << "the stored length, however short";
    harness.loop.advance(3);
    EXPECT_EQ(status(), "focus 1 · 00:57");
    EXPECT_EQ(visibleRowTitles(view).at(7), "Stop focus");

    press(view, "Nap");
    press(view, "Quick catnap · 20m");
    harness.loop.advance(3);
    EXPECT_EQ(status(), "napping 20m") << "the nap comes before the Pomodoro";
    harness.runtime().napUntilWoken();
    EXPECT_EQ(status(), "napping until woken");
}

TEST_F(PurloMenuBarViewTest, NapChoicesFoldAwayAfterAChoiceAndWhileSheSleeps) {
    const Titles collapsed{"Hide Purlo", "Pet Purlo",   "Agent done",     "Mark small win",
                           "Nap",        "Stretch now", "Reset position", "Start focus",
                           "Settings…",  "Quit Purlo"};
    Titles expanded = collapsed;
    expanded.insert(expanded.begin() + 5,
                    {"Quick catnap · 20m", "Proper nap · 1h", "Until I wake her"});
    Titles asleep = collapsed;
    asleep[4] = "Wake Purlo";

    PurloMenuBarView& view = open();
    const int collapsedHeight = view.height();
    press(view, "Nap");
    EXPECT_EQ(visibleRowTitles(view), expanded);
    EXPECT_EQ(status(), "purring along") << "unfolding says nothing";
    EXPECT_GT(view.height(), collapsedHeight) << "the popover grows with its rows";
    press(view, "Nap");
    EXPECT_EQ(visibleRowTitles(view), collapsed);
    EXPECT_EQ(view.height(), collapsedHeight);

    // A nap from elsewhere hides the choices without folding them (a choice made here
    // folds them, which the walk through every row relies on).
    press(view, "Nap");
    harness.runtime().nap(PurloNapDuration::fifteenMinutes, harness.clock.now());
    EXPECT_EQ(visibleRowTitles(view), asleep);
    EXPECT_TRUE(view.napOptionsExpanded());
    harness.runtime().wake();
    EXPECT_EQ(visibleRowTitles(view), expanded);
}

TEST_F(PurloMenuBarViewTest, TheStreakCaptionTakesNoRoomBeforeTheFirstWin) {
    PurloMenuBarView& view = open();
    EXPECT_EQ(view.streakCaptionText().toStdString(), "");
    const int before = view.height();
    press(view, "Mark small win");
    EXPECT_EQ(view.streakCaptionText().toStdString(), "1 day streak");
    EXPECT_GT(view.height(), before);
}

TEST_F(PurloMenuBarViewTest, ShortcutsActAsTheirRowsWhileTheKeysAreHers) {
    PurloMenuBarView& view = open();
    testing::pressKeys(view, Qt::Key_H, Qt::ControlModifier);
    EXPECT_FALSE(harness.scene().isVisible);
    EXPECT_EQ(visibleRowTitles(view).front(), "Show Purlo");
    EXPECT_EQ(testing::visibleRow(view, "Show Purlo")->systemImage(), "eye");
    testing::pressKeys(view, Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(harness.scene().isVisible);
    EXPECT_EQ(status(), "there you are!");
    EXPECT_EQ(testing::visibleRow(view, "Hide Purlo")->systemImage(), "eye.slash");

    testing::pressKeys(view, Qt::Key_H, Qt::NoModifier);
    testing::pressKeys(view, Qt::Key_Q, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(harness.scene().isVisible) << "a plain H is no shortcut";
    EXPECT_EQ(quitRequests, 0);

    testing::pressKeys(view, Qt::Key_Comma, Qt::ControlModifier);
    EXPECT_EQ(settingsOpened, 1);
    EXPECT_EQ(dismissed, 1);
    testing::pressKeys(view, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quitRequests, 1);
}

TEST_F(PurloMenuBarViewTest, ThePortraitWearsTheChosenLook) {
    harness.storeSettings(testing::settingsWith([](PurloSettings& settings) {
        settings.skin = CatSkinPreset::calico;
        settings.accessory = CatAccessoryPreset::crown;
    }));
    harness.appearance.reducesMotion = true;
    PurloMenuBarView& view = open();
    const auto* portrait = view.findChild<PixelCatView*>();
    ASSERT_NE(portrait, nullptr);
    EXPECT_EQ(portrait->look().skin, CatSkinPreset::calico);
    EXPECT_EQ(portrait->look().accessory, CatAccessoryPreset::crown);
    EXPECT_TRUE(portrait->reduceMotion());
    EXPECT_EQ(portrait->scene().mood, CatMood::idle) << "she poses the same whatever she does";
    harness.change([](PurloSettings& settings) { settings.skin = CatSkinPreset::orange; });
    EXPECT_EQ(portrait->look().skin, CatSkinPreset::orange);
}

} // namespace
} // namespace purlo
