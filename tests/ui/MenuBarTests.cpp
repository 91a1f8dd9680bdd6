#include "companion/qt/PurloFontRegistrar.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/MenuLine.h"
#include "ui/MenuRow.h"
#include "ui/MenuRowPress.h"
#include "ui/PurloMenuBarStatus.h"
#include "ui/PurloMenuBarView.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using Mode = PomodoroController::State::Mode;
using Titles = std::vector<std::string>;
using Trailing = MenuRow::Trailing;
using testing::litRows;
using testing::pointAt;
using testing::press;
using testing::visibleRowTitles;

TEST(PurloMenuBarStatus, TheStatusLineTakesTheFirstRuleThatApplies) {
    const Date now{800000000};
    const double uptime = 5000;
    const PurloNap twentyLeft{now.addingSeconds(20 * 60)};
    const PurloNap hourAndFiveLeft{now.addingSeconds(65 * 60 - 30)};
    const PurloNap untilWoken{PurloNap::distantFuture};
    const PurloNap justEnded{now};
    const PomodoroController::State idle;
    const PomodoroController::State focus{Mode::focus, uptime + 24 * 60 + 59, 1, 0};
    const PomodoroController::State rest{Mode::rest, uptime + 4 * 60 + 59.5, 2, 1};
    const PomodoroController::State overdue{Mode::focus, uptime - 30, 3, 2};
    const struct {
        const char* name;
        std::optional<std::string> flashed;
        bool napping;
        PurloNap nap;
        PomodoroController::State pomodoro;
        std::string expected;
    } cases[] = {
        {"a flash shows as given", "Proud Of You!", true, untilWoken, focus, "Proud Of You!"},
        {"a nap with time left", std::nullopt, true, twentyLeft, focus, "napping 20m"},
        {"hours and minutes", std::nullopt, true, hourAndFiveLeft, idle, "napping 1h 5m"},
        {"until woken", std::nullopt, true, untilWoken, idle, "napping until woken"},
        {"an end that just passed", std::nullopt, true, justEnded, focus, "awake"},
        {"a nap the runtime no longer counts", std::nullopt, false, twentyLeft, idle,
         "purring along"},
        {"focus", std::nullopt, false, {}, focus, "focus 1 · 24:59"},
        {"a break", std::nullopt, false, {}, rest, "break 2 · 04:59"},
        {"a phase past its end", std::nullopt, false, {}, overdue, "focus 3 · 00:00"},
    };
    for (const auto& [name, flashed, napping, nap, pomodoro, expected] : cases) {
        EXPECT_EQ(menuBarStatusLine(flashed, napping, nap, pomodoro, now, uptime), expected)
            << name;
    }
}

TEST(PurloMenuBarStatus, TheStreakCaptionAppearsWithTheFirstWinEver) {
    const struct {
        std::int64_t current;
        std::int64_t total;
        std::optional<std::string> expected;
    } cases[] = {
        {0, 0, std::nullopt},      {3, 0, std::nullopt},   {0, 1, "No wins yet"},
        {-2, 7, "No wins yet"},    {1, 1, "1 day streak"}, {2, 9, "2 day streak"},
        {12, 40, "12 day streak"},
    };
    for (const auto& [current, total, expected] : cases) {
        PurloCompletionStreak streak;
        streak.currentDayCount = current;
        streak.totalCompletions = total;
        EXPECT_EQ(streakCaption(streak), expected) << current << " of " << total;
    }
}

TEST(MenuRowPress, AStillHandsSecondPressAndAPressSoonAfterARowMovedUnderItDoNothing) {
    constexpr double interval = 0.4;
    const struct {
        const char* name;
        MenuRowPress press;
        bool taken;
    } cases[] = {
        {"a press on a row the hand came to", {false, std::nullopt}, true},
        {"the second press of a double click", {true, std::nullopt}, false},
        {"the second press, long after the row came", {true, 5.0}, false},
        {"just after the row came under the hand", {false, 0.0}, false},
        {"just within the interval", {false, 0.399}, false},
        {"once the interval is over", {false, 0.4}, true},
        {"long after", {false, 30.0}, true},
    };
    for (const auto& [name, press, taken] : cases) {
        EXPECT_EQ(menuRowTakesPress(press, interval), taken) << name;
    }
}

// The row alone, over nothing: what it paints itself.
QImage drawn(MenuRow& row) {
    row.resize(272, row.sizeHint().height());
    QImage image(row.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    row.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// The columns from..to of an image, to compare what is drawn there.
QImage columns(const QImage& image, int from, int to) {
    return image.copy(from, 0, to - from, image.height());
}

// The darkest channel value among the opaque pixels of the columns, 255 when none.
int darkestInk(const QImage& image, int from, int to) {
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = from; x < to; ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() == 255) {
                darkest = std::min({darkest, pixel.red(), pixel.green(), pixel.blue()});
            }
        }
    }
    return darkest;
}

TEST(MenuRow, TheWholeRoundedRowTakesOneClick) {
    int clicks = 0;
    MenuRow row("Pet Purlo", "pawprint", Trailing::none(), false, [&] { ++clicks; });
    row.resize(272, row.sizeHint().height());
    testing::click(row, QPointF(260, 4));
    EXPECT_EQ(clicks, 1) << "far from the title, on the clear part of the row";
    testing::click(row, QPointF(0.2, 0.2));
    EXPECT_EQ(clicks, 1) << "outside the rounded corner";
    testing::sendMouse(row, QEvent::MouseButtonPress, {100, 10}, Qt::LeftButton, Qt::LeftButton);
    testing::sendMouse(row, QEvent::MouseButtonRelease, {100, 80}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(clicks, 1) << "a press dragged off the row is no click";
}

TEST(MenuRow, LightsUpInTheAccentOnlyWhileThePointerIsOver) {
    testing::movePointerAway();
    MenuRow row("Nap", "moon.zzz", Trailing::chevron(false), false, {});
    row.show();
    const QImage plain = drawn(row);
    const int middle = plain.height() / 2;
    EXPECT_EQ(plain.pixelColor(4, middle).alpha(), 0) << "no background of its own";

    testing::enter(row, true);
    EXPECT_TRUE(row.hovering());
    const QImage lit = drawn(row);
    EXPECT_EQ(lit.pixelColor(4, middle).rgb(), qRgb(0xF1, 0xDF, 0x74));
    EXPECT_EQ(lit.pixelColor(0, 0).alpha(), 0) << "rounded corners";
    EXPECT_LT(darkestInk(lit, 40, 120), 0x30) << "the title turns dark on the pale accent";
    EXPECT_GT(darkestInk(plain, 40, 120), 0xC0) << "and is light on the dark popover";
    row.hide();
    EXPECT_FALSE(row.hovering()) << "a closed popover keeps no highlight";
    row.show();
    testing::enter(row, false);
    EXPECT_EQ(drawn(row), plain);
}

TEST(MenuRow, TheTrailingItemKeepsItsPlaceAndTheChevronTurns) {
    MenuRow shortTitle("Quit Purlo", "xmark.circle", Trailing::hint("Ctrl+Q"), false, {});
    MenuRow longTitle("Quit " + QString(80, 'P'), "xmark.circle", Trailing::hint("Ctrl+Q"), false,
                      {});
    const QImage shortImage = drawn(shortTitle);
    const QImage longImage = drawn(longTitle);
    EXPECT_EQ(longImage.height(), shortImage.height()) << "one line";
    EXPECT_EQ(columns(shortImage, 212, 272), columns(longImage, 212, 272))
        << "the hint is drawn where it always is";
    EXPECT_NE(columns(shortImage, 0, 212), columns(longImage, 0, 212));

    MenuRow nap("Nap", "moon.zzz", Trailing::chevron(false), false, {});
    const QImage collapsed = drawn(nap);
    nap.setTrailing(Trailing::chevron(true));
    const QImage expanded = drawn(nap);
    EXPECT_EQ(columns(collapsed, 0, 242), columns(expanded, 0, 242));
    EXPECT_NE(columns(collapsed, 242, 272), columns(expanded, 242, 272));
}

const Titles rows{"Hide Purlo",  "Pet Purlo",      "Agent done",  "Mark small win", "Nap",
                  "Stretch now", "Reset position", "Start focus", "Settings…",      "Quit Purlo"};

class PurloMenuBarViewTest : public ::testing::Test {
protected:
    // The popover over the runtime as stored so far, open away from the pointer, as it
    // opens beside the paw.
    PurloMenuBarView& open() {
        if (!view_) {
            testing::movePointerAway();
            PurloFontRegistrar::shared().registerBundledFonts(
                QCoreApplication::applicationDirPath().toStdString());
            view_ = std::make_unique<PurloMenuBarView>(harness.runtime(), harness.clock,
                                                       harness.loop, harness.appearance,
                                                       PurloMenuBarView::Actions{
                                                           [this] { ++dismissed; },
                                                           [this] { ++settingsOpened; },
                                                           [this] { ++quitRequests; },
                                                       });
            view_->show();
        }
        return *view_;
    }
    std::string status() { return open().statusText().toStdString(); }
    void keys(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        testing::pressKey(open(), key, {}, modifiers);
    }

    testing::RuntimeHarness harness;
    int dismissed = 0;
    int settingsOpened = 0;
    int quitRequests = 0;

private:
    std::unique_ptr<PurloMenuBarView> view_;
};

// What the rows have done to the runtime so far, in a few words.
std::string effects(testing::RuntimeHarness& harness, double since, Date now) {
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
    say(harness.runtime().pomodoro()->mode == PomodoroController::State::Mode::focus, "focus");
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
        {"Hide Purlo", "hiding — the paw brings her back",
         "petted cheered wins=1 stretching placed hidden"},
        {"Show Purlo", "there you are!", "petted cheered wins=1 stretching placed"},
    };
    PurloMenuBarView& view = open();
    EXPECT_EQ(view.streakCaptionText(), "") << "no caption before the first win";
    const int height = view.height();
    for (const auto& [row, flash, done] : steps) {
        press(view, row);
        EXPECT_EQ(effects(harness, since, now), done) << row;
        EXPECT_EQ(status(), flash) << row;
    }
    EXPECT_EQ(view.streakCaptionText(), "1 day streak");
    EXPECT_GT(view.height(), height) << "the caption takes room only once it shows";
    EXPECT_EQ(dismissed, 0) << "only Settings closes the popover";
    press(view, "Settings…");
    EXPECT_EQ(settingsOpened, 1);
    EXPECT_EQ(dismissed, 1);
    EXPECT_EQ(quitRequests, 0);
    press(view, "Quit Purlo");
    EXPECT_EQ(quitRequests, 1);
    EXPECT_EQ(status(), "bye for now ♥");
}

TEST_F(PurloMenuBarViewTest, AWinThatCouldNotBeSavedIsNeverPraised) {
    PurloMenuBarView& view = open();
    harness.store.failingKeys.emplace(purloSettingsKey);
    for (int attempt = 1; attempt <= 2; ++attempt) {
        press(view, "Mark small win");
        EXPECT_EQ(status(), "Couldn’t save settings: no space left on device") << attempt;
        harness.loop.advance(3);
        EXPECT_EQ(status(), "purring along");
    }
    harness.store.failingKeys.clear();
    press(view, "Mark small win");
    EXPECT_EQ(status(), "proud of you!");
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
    Titles expanded = rows;
    expanded.insert(expanded.begin() + 5,
                    {"Quick catnap · 20m", "Proper nap · 1h", "Until I wake her"});
    Titles asleep = rows;
    asleep[4] = "Wake Purlo";
    PurloMenuBarView& view = open();
    EXPECT_EQ(visibleRowTitles(view), rows);
    const int collapsedHeight = view.height();
    press(view, "Nap");
    EXPECT_EQ(visibleRowTitles(view), expanded);
    EXPECT_EQ(status(), "purring along") << "unfolding says nothing";
    EXPECT_GT(view.height(), collapsedHeight) << "the popover grows with its rows";
    press(view, "Nap");
    EXPECT_EQ(visibleRowTitles(view), rows);
    EXPECT_EQ(view.height(), collapsedHeight);

    // A nap from elsewhere hides the choices without folding them.
    press(view, "Nap");
    harness.runtime().nap(PurloNapDuration::fifteenMinutes, harness.clock.now());
    EXPECT_EQ(visibleRowTitles(view), asleep);
    harness.runtime().wake();
    EXPECT_EQ(visibleRowTitles(view), expanded);
}

QPoint middleOf(const QWidget& popover, const QString& title) {
    const QAbstractButton* row = testing::button(popover, title);
    return row != nullptr ? row->mapToGlobal(row->rect().center()) : QPoint(-100, -100);
}

TEST_F(PurloMenuBarViewTest, OnlyTheRowUnderThePointerIsLitWhileRowsComeAndGoUnderIt) {
    PurloMenuBarView& view = open();
    const struct {
        const char* moveTo; // nothing: the pointer stays where it is
        const char* press;
        Titles lit;
    } steps[] = {
        {"Nap", nullptr, {"Nap"}},
        {nullptr, "Nap", {"Nap"}},
        {"Quick catnap · 20m", nullptr, {"Quick catnap · 20m"}},
        // She falls asleep: the choices fold away and the next rows move up under it.
        {nullptr, "Quick catnap · 20m", {"Stretch now"}},
        {"Wake Purlo", nullptr, {"Wake Purlo"}},
        // She wakes: "Nap" comes back under the still pointer.
        {nullptr, "Wake Purlo", {"Nap"}},
        {"Stretch now", nullptr, {"Stretch now"}},
        {"Reset position", nullptr, {"Reset position"}},
    };
    for (const auto& [target, pressed, lit] : steps) {
        if (target != nullptr) {
            pointAt(middleOf(view, target));
        }
        if (pressed != nullptr) {
            press(view, pressed);
            QCoreApplication::processEvents();
        }
        EXPECT_EQ(litRows(view), lit) << (target ? target : "") << (pressed ? pressed : "");
    }
    pointAt(view.mapToGlobal(QPoint(view.width() / 2, 10)));
    EXPECT_EQ(litRows(view), Titles{}) << "over the header";
    testing::movePointerAway();
}

TEST_F(PurloMenuBarViewTest, EveryStatusTextFitsTheHeaderOrWrapsWhole) {
    PurloMenuBarView& view = open();
    const MenuLine* status = view.findChild<MenuLine*>("statusLine");
    ASSERT_NE(status, nullptr);
    const int headerRight = view.width() - PurloMenuBarView::padding;
    // The longest things the header says: flashes, and the Pomodoro's line with counts
    // and minutes as large as stored settings can make them.
    for (const char* text :
         {"napping until you wake her", "stretching… reach up high", "recentered — hi again",
          "hiding — the paw brings her back", "napping · back in 20m", "focusing · 1440:00",
          "focus 9223372036854775807 · 1440:00", "napping 99999h 59m"}) {
        view.flash(text);
        EXPECT_EQ(view.statusText(), text);
        const QRect wrapped = QFontMetrics(status->font())
                                  .boundingRect(QRect(0, 0, status->width(), 1000),
                                                Qt::TextWordWrap, QString::fromUtf8(text));
        EXPECT_LE(wrapped.height(), status->height()) << text << ": lines cut off";
        EXPECT_LE(status->mapTo(&view, QPoint(status->width(), 0)).x(), headerRight) << text;
    }
}

TEST_F(PurloMenuBarViewTest, ShortcutsActAsTheirRowsWhileTheKeysAreHers) {
    keys(Qt::Key_H, Qt::ControlModifier);
    EXPECT_FALSE(harness.scene().isVisible);
    EXPECT_NE(testing::button(open(), "Show Purlo"), nullptr);
    keys(Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(harness.scene().isVisible);
    EXPECT_EQ(status(), "there you are!");

    keys(Qt::Key_H, Qt::NoModifier);
    keys(Qt::Key_Q, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(harness.scene().isVisible) << "a plain H is no shortcut";
    EXPECT_EQ(quitRequests, 0);
    keys(Qt::Key_Comma, Qt::ControlModifier);
    EXPECT_EQ(settingsOpened, 1);
    EXPECT_EQ(dismissed, 1);
    keys(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quitRequests, 1);
}

} // namespace
} // namespace purlo
