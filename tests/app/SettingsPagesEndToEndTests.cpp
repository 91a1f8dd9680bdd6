#include "base/Bundle.h"
#include "companion/qt/ThemeQColor.h"
#include "model/PurloAppInfo.h"
#include "settings/AdvancedSettingsTab.h"
#include "settings/PurloSettingsRouter.h"
#include "settings/SettingsSidebar.h"
#include "settings/SettingsSidebarRow.h"
#include "settings/SettingsView.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/PurloCard.h"
#include "ui/PurloDisclosureGroup.h"

#include <QCoreApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
// Last, so that its macros meet none of the headers above.
#include "tests/app/RealProgram.h"

namespace purlo {
namespace {

using testing::eventually;
using ::testing::Optional;
using testing::Profile;
using testing::Purlo;

constexpr QSize settingsSize = SettingsView::contentSize;
constexpr QSize panelSize = testing::herWindowSize;
// Her corner, bottom left, far from where Settings opens in the middle of the screen.
constexpr CompanionPlacement corner{20, 20};

// The Settings window as the program lays it out, built here with the same fonts on a
// runtime in the same state: where a person finds its rows, cards and buttons.
class SettingsLayout {
public:
    explicit SettingsLayout(testing::RuntimeHarness& harness)
        : view_(harness.runtime(), router_, harness.appearance) {
        view_.resize(settingsSize);
        view_.show();
        settle();
    }

    void open(SettingsSectionTab tab) {
        router_.setSelectedTab(tab);
        settle();
    }
    // The layouts settle on the event loop, as they do in the running program.
    static void settle() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    void scrollToEnd() {
        settle();
        QScrollBar* bar = view_.findChild<QScrollArea*>()->verticalScrollBar();
        bar->setValue(bar->maximum());
        settle();
    }

    QWidget& page() const { return view_.page(); }
    QRect place(const QWidget& widget) const {
        return {widget.mapTo(&view_, QPoint(0, 0)), widget.size()};
    }
    QPoint row(SettingsSectionTab tab) const { return place(view_.sidebar().row(tab)).center(); }
    // The part of the page the scrolling area shows.
    QRect shownPage() const { return place(*view_.findChild<QScrollArea*>()->viewport()); }
    // The page's cards, top to bottom.
    std::vector<QRect> cards() const {
        std::vector<QRect> cards;
        for (const PurloCard* card : testing::shownWidgets<PurloCard>(page())) {
            cards.push_back(place(*card));
        }
        std::sort(cards.begin(), cards.end(),
                  [](const QRect& a, const QRect& b) { return a.top() < b.top(); });
        return cards;
    }

private:
    PurloSettingsRouter router_;
    SettingsView view_;
};

// The Settings window laid out on a runtime such as the program's for a user without
// coding tools, with its hooks checked; make gives the user tools first.
struct LaidOutSettings {
    explicit LaidOutSettings(const std::function<void(testing::RuntimeHarness&)>& make = {}) {
        if (make) {
            make(harness);
        }
        harness.runtime().start();
        harness.runtime().startAgentIntegrations();
        layout = std::make_unique<SettingsLayout>(harness);
    }
    testing::RuntimeHarness harness;
    std::unique_ptr<SettingsLayout> layout;
};

// Whether the window at origin shows the page's cards where layout has them, each
// on the window's ground: the middle of each card's top and bottom edges, just inside,
// is the card's face, and just under the card the page's ground shows, so a card drawn
// shorter or taller than laid out (folded where it should be open) does not pass. Only
// what the scrolling area shows counts.
bool showsCards(const QImage& shot, QPoint origin, const std::vector<QRect>& cards, QRect shown,
                bool dark) {
    const QColor face = themeQColor(PurloTheme::cardBackground, dark);
    const QColor ground = themeQColor(PurloTheme::windowBackground, dark);
    return std::all_of(cards.begin(), cards.end(), [&](const QRect& card) {
        const QPoint top(card.center().x(), card.top() + 3);
        const QPoint bottom(card.center().x(), card.bottom() - 3);
        const QPoint under(card.center().x(), card.bottom() + 5);
        const auto shows = [&](QPoint point, const QColor& colour) {
            return !shown.contains(point) || shot.pixelColor(origin + point) == colour;
        };
        return shows(top, face) && shows(bottom, face) && shows(under, ground);
    });
}

// How many pixels of area in the shot differ from the card's face: its text and icons.
int marks(const QImage& shot, QRect area, bool dark) {
    const QRgb face = themeQColor(PurloTheme::cardBackground, dark).rgb();
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            found += shot.valid(x, y) && shot.pixel(x, y) != face ? 1 : 0;
        }
    }
    return found;
}

// The user's desktop draws windows light on dark, as a dark colour scheme of KDE Plasma
// does: Qt reads the scheme's colours from the user's kdeglobals.
void useDarkDesktop(Profile& profile) {
    const auto config = profile.folder / "home" / ".config";
    std::filesystem::create_directories(config);
    testing::writeFile(config / "kdeglobals", "[Colors:Window]\n"
                                              "BackgroundNormal=35,38,41\n"
                                              "ForegroundNormal=239,240,241\n"
                                              "[Colors:View]\n"
                                              "BackgroundNormal=27,30,32\n"
                                              "ForegroundNormal=239,240,241\n"
                                              "[Colors:Button]\n"
                                              "BackgroundNormal=49,54,59\n"
                                              "ForegroundNormal=239,240,241\n"
                                              "[Colors:Selection]\n"
                                              "BackgroundNormal=61,174,233\n"
                                              "ForegroundNormal=255,255,255\n");
    profile.environment["XDG_CURRENT_DESKTOP"] = "KDE";
    profile.environment["KDE_SESSION_VERSION"] = "5";
}

class SettingsPagesOnScreen : public testing::OnTestDisplay {
protected:
    // Starts the program for profile and opens Settings as a second start does; the
    // window once it is there.
    std::optional<QRect> openSettings(const Profile& profile) {
        purlo = std::make_unique<Purlo>(profile, screen.name);
        if (!screen.awaited(panelSize)) {
            ADD_FAILURE() << "the cat never came out";
            return std::nullopt;
        }
        Purlo second(profile, screen.name);
        EXPECT_THAT(second.ended(), Optional(0)) << "a second start hands over and ends";
        return screen.awaited(settingsSize);
    }
    // Ends the program as a desktop's logout does.
    void quit() {
        purlo->terminate();
        EXPECT_THAT(purlo->ended(), Optional(0));
    }

    std::unique_ptr<Purlo> purlo;
};

// The hook command the program wrote into Codex's hook file for that event.
std::string codexHookCommand(const Profile& profile, const std::string& event) {
    const auto file = profile.folder / "home" / ".codex" / "hooks.json";
    const auto hooks = nlohmann::json::parse(testing::readFile(file), nullptr, false);
    if (!hooks.contains("hooks") || !hooks["hooks"].contains(event)) {
        return {};
    }
    return hooks["hooks"][event][0]["hooks"][0].value("command", "");
}

// Runs a hook command as Codex does: through the shell, with what happened on its input.
std::optional<int> runAsCodex(const Profile& profile, const std::string& command,
                              const std::string& input) {
    QProcess hook;
    hook.setProcessEnvironment(testing::environmentOf(profile));
    hook.start("/bin/sh", {"-c", QString::fromStdString(command)});
    hook.write(input.data(), static_cast<qint64>(input.size()));
    hook.closeWriteChannel();
    const bool ended = hook.waitForFinished(10000) && hook.exitStatus() == QProcess::NormalExit;
    EXPECT_TRUE(hook.readAll().isEmpty()) << "a hook says nothing to the tool";
    return ended ? std::optional(hook.exitCode()) : std::nullopt;
}

TEST_F(SettingsPagesOnScreen, AnEventFromTheInstalledHookShowsUnderRecentActivityOnTheAgentPage) {
    Profile profile(true, corner);
    std::filesystem::create_directories(profile.folder / "home" / ".codex");
    const auto window = openSettings(profile);
    ASSERT_TRUE(window) << "a second start opens no 760 x 620 window";
    const QPoint origin = window->topLeft();

    const auto withCodex = [](testing::RuntimeHarness& harness) {
        std::filesystem::create_directories(harness.folder / "home" / ".codex");
    };
    LaidOutSettings quiet(withCodex);
    quiet.layout->open(SettingsSectionTab::agent);
    const std::vector<QRect> before = quiet.layout->cards();
    const QRect shown = quiet.layout->shownPage();
    LaidOutSettings heard(withCodex);
    heard.layout->open(SettingsSectionTab::agent);
    testing::writeFile(heard.harness.folder / "support" / "agent-event.json",
                       R"({"event":"completed","source":"Codex"})");
    heard.harness.loop.advance(1.1);
    // Read as far down as the page goes, as a person does to see the new card.
    heard.layout->scrollToEnd();
    const std::vector<QRect> after = heard.layout->cards();
    ASSERT_EQ(before.size(), 2u);
    ASSERT_EQ(after.size(), 3u) << "no \"Recent Activity\" card to look for";
    const QRect recent = after.back() & shown;
    const QLabel* connected =
        testing::shownWith(heard.layout->page(), &QLabel::text, QString("Connected"));
    ASSERT_NE(connected, nullptr) << "Codex, heard from, reads no \"Connected\"";
    // Where "Connected" begins and the shorter "Ready", ending at the same place, does not.
    const int ready = connected->fontMetrics().horizontalAdvance("Ready");
    const QRect connectedStart = heard.layout->place(*connected).adjusted(0, 0, -ready - 4, 0);

    screen.click(origin + quiet.layout->row(SettingsSectionTab::agent));
    EXPECT_TRUE(screen.shows("settings-desktop-agent-quiet", *window, [&](const QImage& shot) {
        return showsCards(shot, origin, before, shown, false);
    })) << "the Agent page with its two cards never showed";

    const std::string command = codexHookCommand(profile, "Stop");
    ASSERT_FALSE(command.empty()) << "no hook of the program in Codex's hook file";
    EXPECT_THAT(runAsCodex(profile, command,
                           R"({"session_id":"5f1c","hook_event_name":"Stop","cwd":"/tmp"})"),
                Optional(0));
    EXPECT_TRUE(screen.shows("settings-desktop-agent-heard", *window, [&](const QImage& shot) {
        screen.scrollDown(origin + shown.center());
        return showsCards(shot, origin, after, shown, false) &&
               marks(shot, recent.translated(origin).adjusted(16, 16, -16, -16), false) > 40 &&
               marks(shot, connectedStart.translated(origin), false) > 10;
    })) << "the hook's event never showed under \"Recent Activity\", from a connected Codex";
    quit();
}

TEST_F(SettingsPagesOnScreen, TheAgentPrivacyHelpAndAboutPagesShowInTheDesktopsAppearance) {
    const std::pair<SettingsSectionTab, const char*> pages[] = {
        {SettingsSectionTab::agent, "agent"},
        {SettingsSectionTab::privacy, "privacy"},
        {SettingsSectionTab::help, "help"},
        {SettingsSectionTab::about, "about"},
    };
    LaidOutSettings laidOut;
    for (const bool dark : {false, true}) {
        const QString appearance = dark ? "dark" : "light";
        Profile profile(true, corner);
        if (dark) {
            useDarkDesktop(profile);
        }
        const auto window = openSettings(profile);
        ASSERT_TRUE(window) << "a second start opens no 760 x 620 window";
        for (const auto& [tab, name] : pages) {
            laidOut.layout->open(tab);
            const std::vector<QRect> cards = laidOut.layout->cards();
            const QRect shown = laidOut.layout->shownPage();
            screen.click(window->topLeft() + laidOut.layout->row(tab));
            EXPECT_TRUE(
                screen.shows(QString("settings-desktop-%1-%2").arg(name, appearance), *window,
                             [&](const QImage& shot) {
                                 return showsCards(shot, window->topLeft(), cards, shown, dark);
                             }))
                << "the " << name << " page never showed in " << appearance.toStdString();
        }
        quit();
    }
}

// What the X clipboard holds, read as another program reads it; empty when nothing.
std::string clipboard(const std::string& display) {
    QProcess xclip;
    QProcessEnvironment environment;
    environment.insert("DISPLAY", QString::fromStdString(display));
    xclip.setProcessEnvironment(environment);
    xclip.start("xclip", {"-o", "-selection", "clipboard", "-t", "UTF8_STRING"});
    const bool read = xclip.waitForFinished(5000) && xclip.exitStatus() == QProcess::NormalExit &&
                      xclip.exitCode() == 0;
    return read ? xclip.readAllStandardOutput().toStdString() : std::string();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> lines{{}};
    for (const char c : text) {
        if (c == '\n') {
            lines.emplace_back();
        } else {
            lines.back().push_back(c);
        }
    }
    return lines;
}

TEST_F(SettingsPagesOnScreen, CopyReportOnTheHelpPagePutsTheReportOnTheDesktopClipboard) {
    if (QStandardPaths::findExecutable("xclip").isEmpty()) {
        GTEST_SKIP() << "xclip is not installed (scripts/setup.sh installs it): nothing here "
                        "reads the clipboard as another program would.";
    }
    Profile profile(true, corner, [](PurloSettings& settings) {
        settings.userName = "Ada Lovelace";
        settings.companionName = "Mochi";
        settings.pinnedMessage = "ship the release";
        settings.reactionIntensity = 0.625;
        settings.stretchReminderMinutes = 0;
        settings.kindNudgeMinutes = 500;
    });
    const auto window = openSettings(profile);
    ASSERT_TRUE(window) << "a second start opens no 760 x 620 window";
    const QPoint origin = window->topLeft();

    LaidOutSettings laidOut;
    SettingsLayout& layout = *laidOut.layout;
    layout.open(SettingsSectionTab::help);
    auto& page = dynamic_cast<AdvancedSettingsTab&>(layout.page());
    const std::vector<QRect> folded = layout.cards();
    const QPoint header = layout.place(page.supportReport().header()).center();
    page.supportReport().setExpanded(true);
    SettingsLayout::settle();
    const std::vector<QRect> open = layout.cards();
    const QPoint copy = layout.place(*testing::button(page, "Copy Report")).center();
    laidOut.harness.runtime().copySupportReport();
    SettingsLayout::settle();
    const QLabel* copied =
        testing::shownWith(page, &QLabel::text, QString("Support report copied."));
    ASSERT_NE(copied, nullptr);
    const QRect status = layout.place(*copied);
    const std::vector<QRect> reported = layout.cards();
    const QRect shown = layout.shownPage();

    screen.click(origin + layout.row(SettingsSectionTab::help));
    ASSERT_TRUE(screen.shows("settings-desktop-help-folded", *window, [&](const QImage& shot) {
        return showsCards(shot, origin, folded, shown, false);
    })) << "the Help page never showed";
    screen.click(origin + header);
    ASSERT_TRUE(screen.shows("settings-desktop-help-open", *window, [&](const QImage& shot) {
        return showsCards(shot, origin, open, shown, false);
    })) << "the support report's card never opened";
    EXPECT_EQ(clipboard(screen.name), "") << "the clipboard holds something already";
    screen.click(origin + copy);

    std::string report;
    EXPECT_TRUE(eventually([&] { return !(report = clipboard(screen.name)).empty(); }))
        << "\"Copy Report\" put nothing on the clipboard";
    EXPECT_TRUE(screen.shows("settings-desktop-help-copied", *window, [&](const QImage& shot) {
        return showsCards(shot, origin, reported, shown, false) &&
               marks(shot, status.translated(origin), false) > 20;
    })) << "no \"Support report copied.\" under the buttons";

    const PurloAppInfo app(Bundle::fromExecutableFolder(*testing::programResources()));
    using ::testing::Matcher;
    using ::testing::MatchesRegex;
    using ::testing::StartsWith;
    const Matcher<std::string> signal = StartsWith("- ");
    const std::vector<Matcher<std::string>> expected = {
        "Purlo Support Report",
        MatchesRegex("Generated: [0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}Z"),
        "",
        "App",
        "- Name: Purlo",
        "- Version: " + app.version,
        "- Build: " + app.build,
        "- Updates: Website download",
        "- Network: Update checks do not include desktop activity or telemetry",
        "",
        "Diagnostics",
        StartsWith("- Status: "),
        StartsWith("- Runtime cadence: "),
        StartsWith("- Memory: "),
        StartsWith("- Detail: "),
        "",
        "Privacy Signals",
        signal,
        signal,
        signal,
        signal,
        signal,
        signal,
        "",
        "Local Agent",
        "- Bridge: On",
        "- Status: Waiting",
        "- Recent events: 0",
        "- Event file path: Not included in support report",
        "- Event messages: Not included in support report",
        "",
        "Settings Summary",
        "- Eye tracking: On",
        "- Playful reactions: On",
        "- Typing rhythm reactions: On",
        "- Reaction intensity: 63%",
        "- Developer tool awareness: On",
        "- Local agent bridge: On",
        "- Stretch reminder: 0 minutes",
        "- Active habit reminders: 0",
        "- Kind nudges: Every 240 minutes",
        "- Pomodoro focus: 25 minutes",
        "- Quiet hours: Off",
        "- Scheduled nap: Off",
        "- Cat body: Anchored unless dragged, reset, or re-homed after display changes",
        "",
        "Excluded Private Content",
        "- Typed text",
        "- Screenshots",
        "- Prompts, code, terminal output, and browser contents",
        "- Messages and document contents",
        "- User-provided names and pinned notes",
        "- Full local file paths",
        "- Local agent event details",
        "- Reddit usernames or community data",
    };
    EXPECT_THAT(lines(report), ::testing::ElementsAreArray(expected));
    for (const std::string& privateText :
         {std::string("Ada Lovelace"), std::string("Mochi"), std::string("ship the release"),
          profile.folder.path().string()}) {
        EXPECT_THAT(report, ::testing::Not(::testing::HasSubstr(privateText)));
    }
    quit();
}

} // namespace
} // namespace purlo
