#include "companion/qt/PurloFontRegistrar.h"
#include "model/PurloPhrasePack.h"
#include "model/PurloPrivacySignal.h"
#include "settings/SettingsView.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/MenuLine.h"
#include "ui/MenuRow.h"
#include "ui/OnboardingView.h"
#include "ui/PurloMenuBarView.h"

#include <QCoreApplication>
#include <QGlyphRun>
#include <QRegularExpression>
#include <QTextLayout>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace purlo {
namespace {

// A fixed text of the program as a person meets it: drawn in a font, somewhere.
struct ShownText {
    QString text;
    QFont font;
    std::string where;
};
using ShownTexts = std::vector<ShownText>;

QFont bubbleFont() {
    PurloFontRegistrar& registrar = PurloFontRegistrar::shared();
    registrar.registerBundledFonts(QCoreApplication::applicationDirPath().toStdString());
    return registrar.font(PurloFontRegistrar::pixelFontName, 10);
}

// Every text shown inside root, in the font its widget draws it in.
void addShown(const QWidget& root, const std::string& where, ShownTexts& texts) {
    for (const QWidget* widget : testing::shownWidgets<QWidget>(root)) {
        if (const auto* label = dynamic_cast<const QLabel*>(widget)) {
            texts.push_back({label->text(), label->font(), where});
        } else if (const auto* line = dynamic_cast<const MenuLine*>(widget)) {
            texts.push_back({line->text(), line->font(), where});
        } else if (const auto* button = dynamic_cast<const QAbstractButton*>(widget)) {
            texts.push_back({button->text(), button->font(), where});
        }
        if (const auto* row = dynamic_cast<const MenuRow*>(widget)) {
            texts.push_back({row->trailing().keyHint, row->font(), where});
        }
        // Rows that draw their own titles, and what assistive technology says.
        texts.push_back({widget->accessibleName(), widget->font(), where});
    }
}

// What the cat says in her bubble: every line of every voice, and the reminders she
// comes with.
void addBubbleTexts(ShownTexts& texts) {
    const QFont font = bubbleFont();
    for (const PurloPhrasePack pack : allCases<PurloPhrasePack>()) {
        for (const std::string_view line : phrases(pack)) {
            texts.push_back({QString::fromUtf8(line), font, "bubble"});
        }
    }
    for (const PurloHabitReminder& reminder : PurloSettings::builtInHabitReminders()) {
        texts.push_back({QString::fromStdString(reminder.message), font, "bubble"});
    }
}

// The popover along every way through it: each row is pressed once, at the end of the
// shortest way that shows it, and everything shown then is kept, the flash included.
void addPopoverTexts(ShownTexts& texts) {
    std::vector<QStringList> ways{{}};
    std::set<QString> reached;
    for (std::size_t next = 0; next < ways.size(); ++next) {
        testing::RuntimeHarness harness;
        PurloMenuBarView view(harness.runtime(), harness.clock, harness.loop, harness.appearance,
                              {});
        view.show();
        for (const QString& title : ways[next]) {
            testing::press(view, title);
        }
        addShown(view, "popover after " + ways[next].join(", ").toStdString(), texts);
        for (const MenuRow* row : testing::shownWidgets<MenuRow>(view)) {
            if (reached.insert(row->text()).second) {
                ways.push_back(ways[next] + QStringList{row->text()});
            }
        }
    }
}

void addOnboardingTexts(ShownTexts& texts) {
    for (const bool granted : {false, true}) {
        for (int slide = 1; slide <= OnboardingView::slideCount; ++slide) {
            testing::RuntimeHarness harness;
            harness.keys.granted = granted;
            OnboardingView view(harness.runtime(), harness.appearance, slide, {});
            view.show();
            addShown(view, "onboarding slide " + std::to_string(slide), texts);
        }
    }
}

void addSettingsTexts(ShownTexts& texts) {
    testing::RuntimeHarness harness;
    PurloSettingsRouter router;
    SettingsView view(harness.runtime(), router, harness.appearance);
    view.show();
    for (const SettingsSectionTab tab : allCases<SettingsSectionTab>()) {
        router.setSelectedTab(tab);
        addShown(view, "settings on " + std::string(toString(tab)), texts);
    }
}

// What the privacy tab lists: each signal in every state the switches, a nap, quiet
// hours and the typing permission can put it in.
void addPrivacyTexts(ShownTexts& texts) {
    const PurloSettings on;
    const PurloSettings eyesOnly = testing::settingsWith([](PurloSettings& settings) {
        settings.reactionsEnabled = false;
        settings.companionPresenceMode = CompanionPresenceMode::autoHideWhenAppsActive;
    });
    const PurloSettings off = testing::settingsWith([](PurloSettings& settings) {
        settings.eyeTrackingEnabled = false;
        settings.reactionsEnabled = false;
        settings.typingReactionsEnabled = false;
        settings.activeAppAwarenessEnabled = false;
        settings.localAgentBridgeEnabled = false;
        settings.stretchReminderMinutes = 0;
        settings.kindNudgeMinutes = 0;
        settings.pomodoroFocusMinutes = 0;
        settings.companionPresenceMode = CompanionPresenceMode::autoHideWhenAppsActive;
    });
    using Signal = PurloPrivacySignal;
    const QFont font = QApplication::font();
    for (const PurloSettings* settings : {&on, &eyesOnly, &off}) {
        for (const int resting : {0, 1, 2, 3}) {
            const bool nap = resting & 1;
            const bool quiet = resting & 2;
            for (const Signal& signal : {Signal::cursorAttentionSignal(*settings, nap, quiet),
                                         Signal::typingRhythmSignal(*settings, nap, quiet, true),
                                         Signal::typingRhythmSignal(*settings, nap, quiet, false),
                                         Signal::appContextSignal(*settings, nap, quiet),
                                         Signal::localAgentBridgeSignal(*settings, nap),
                                         Signal::motivationSignal(*settings, nap, quiet),
                                         Signal::privateContentSignal()}) {
                texts.push_back({QString::fromStdString(signal.detail), font, "privacy"});
            }
        }
    }
}

const ShownTexts& everyFixedText() {
    static const ShownTexts texts = [] {
        ShownTexts all;
        addBubbleTexts(all);
        addPopoverTexts(all);
        addOnboardingTexts(all);
        addSettingsTexts(all);
        addPrivacyTexts(all);
        return all;
    }();
    return texts;
}

// Whether a font the program can use draws the character: laid out alone in the
// text's font, it gets a real glyph, from that font or from one Qt falls back on.
bool drawable(char32_t character, const QFont& font) {
    QTextLayout layout(QString::fromUcs4(&character, 1), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    return !runs.isEmpty() && std::ranges::all_of(runs, [](const QGlyphRun& run) {
        return !run.glyphIndexes().isEmpty() && !run.glyphIndexes().contains(0);
    });
}

TEST(FixedTexts, EveryCharacterHasAFontThatDrawsIt) {
    const ShownTexts& texts = everyFixedText();
    const auto met = [&](const QString& text) {
        return std::ranges::any_of(texts,
                                   [&](const ShownText& shown) { return shown.text == text; });
    };
    EXPECT_TRUE(met("nice work! ✨") && met("good morning!") && met("Typing reactions are ready") &&
                met("About"))
        << "the walk reaches the flashes of rows that appear on the way, every slide and tab";

    std::map<std::pair<QString, char32_t>, bool> checked;
    for (const auto& [text, font, where] : texts) {
        for (const char32_t character : text.toUcs4()) {
            if (QChar::isSpace(character)) {
                continue;
            }
            const auto [known, fresh] = checked.try_emplace({font.key(), character}, false);
            if (fresh) {
                known->second = drawable(character, font);
            }
            EXPECT_TRUE(known->second)
                << "U+" << std::hex << std::uppercase << static_cast<std::uint32_t>(character)
                << " of \"" << text.toStdString() << "\" (" << where << ") in "
                << font.family().toStdString();
        }
    }
}

TEST(FixedTexts, NoneNamesAPlaceOrKeyThatLinuxDoesNotHave) {
    const QRegularExpression elsewhere(
        "\\b(macOS|Mac|System Settings|System Preferences|Applications|Finder|Dock|Launchpad)\\b"
        "|⌘|⌥");
    for (const auto& [text, font, where] : everyFixedText()) {
        EXPECT_FALSE(elsewhere.match(text).hasMatch())
            << text.toStdString() << " (" << where << ")";
    }
}

} // namespace
} // namespace purlo
