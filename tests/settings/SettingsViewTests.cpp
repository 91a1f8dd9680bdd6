#include "companion/qt/PurloCharacterPreview.h"
#include "companion/qt/ThemeQColor.h"
#include "settings/SettingsSidebar.h"
#include "settings/SettingsSidebarRow.h"
#include "settings/SettingsSidebarRowColors.h"
#include "settings/SettingsView.h"
#include "tests/companion/BuildFolder.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/PurloPalette.h"

#include <QApplication>
#include <QPointer>
#include <QSplitter>
#include <algorithm>
#include <set>

namespace purlo {
namespace {

using testing::accessible;
using testing::settle;
using testing::shownTexts;
using testing::shownWidgets;

TEST(SettingsSidebarRowColors, TheChosenRowStandsOutOnlyInTheActiveWindow) {
    const struct {
        bool selected;
        bool windowActive;
        SettingsSidebarRowColors colors;
    } rows[] = {
        {true, true, {PurloTheme::onAccent, PurloTheme::accent}},
        {true, false, {PurloTheme::primaryText, PurloTheme::border}},
        {false, true, {PurloTheme::primaryText, std::nullopt}},
        {false, false, {PurloTheme::primaryText, std::nullopt}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(settingsSidebarRowColors(row.selected, row.windowActive), row.colors)
            << "selected " << row.selected << ", active " << row.windowActive;
    }
}

// The Settings window's content over a runtime on fakes, with a router of its own.
struct Window {
    explicit Window(bool dark = false) {
        harness.appearance.dark = dark;
        harness.appearance.reducesMotion = true; // one still frame of the cat
        view.setPalette(purloPalette(dark));
        view.resize(SettingsView::contentSize);
    }
    SettingsSidebarRow& row(const char* title) const {
        auto* row = dynamic_cast<SettingsSidebarRow*>(accessible(view, title));
        EXPECT_NE(row, nullptr) << "no sidebar row \"" << title << "\"";
        return *row;
    }
    // The heading is the one text shown that names a tab (the rows draw their own).
    QString heading() const {
        QStringList headings;
        for (const QString& text : shownTexts(view)) {
            if (fromString<SettingsSectionTab>(text.toLower().toStdString())) {
                headings.push_back(text);
            }
        }
        EXPECT_EQ(headings.size(), 1) << headings.join(", ").toStdString();
        return headings.value(0);
    }
    bool showsPreview() const { return !shownWidgets<PurloCharacterPreview>(view).isEmpty(); }

    testing::RuntimeHarness harness;
    PurloSettingsRouter router;
    SettingsView view{harness.runtime(), router, harness.appearance};
};

TEST(SettingsView, SevenRowsInTwoGroupsEachWithItsOwnIdentifier) {
    const Window window;
    const QStringList texts = shownTexts(window.view);
    EXPECT_LT(texts.indexOf("Purlo"), texts.indexOf("Support"));
    EXPECT_GE(texts.indexOf("Purlo"), 0);
    std::set<QString> identifiers;
    QStringList titles;
    for (const SettingsSidebarRow* row : shownWidgets<SettingsSidebarRow>(window.view)) {
        identifiers.insert(row->objectName());
        titles.push_back(row->accessibleName());
    }
    EXPECT_EQ(titles, (QStringList{"Appearance", "Behavior", "Focus", "Agent", "Privacy", "Help",
                                   "About"}));
    EXPECT_EQ(identifiers, (std::set<QString>{"settings.sidebar.appearance",
                                              "settings.sidebar.behavior", "settings.sidebar.focus",
                                              "settings.sidebar.agent", "settings.sidebar.privacy",
                                              "settings.sidebar.help", "settings.sidebar.about"}));
}

TEST(SettingsView, ARowChosenInTheSidebarShowsItsHeadingAndOnlyAppearanceShowsTheCat) {
    Window window;
    EXPECT_EQ(window.heading(), "Appearance");
    EXPECT_TRUE(window.showsPreview());
    EXPECT_TRUE(window.row("Appearance").isChecked());

    const struct {
        const char* title;
        SettingsSectionTab tab;
        bool preview;
    } rows[] = {
        {"Behavior", SettingsSectionTab::behavior, false},
        {"Appearance", SettingsSectionTab::appearance, true},
        {"About", SettingsSectionTab::about, false},
        {"Focus", SettingsSectionTab::focus, false},
    };
    for (const auto& row : rows) {
        testing::click(window.row(row.title));
        EXPECT_EQ(*window.router.selectedTab(), row.tab) << row.title;
        EXPECT_EQ(window.heading(), row.title);
        EXPECT_EQ(window.showsPreview(), row.preview) << row.title;
        EXPECT_EQ(std::ranges::count_if(
                      shownWidgets<SettingsSidebarRow>(window.view),
                      [](const SettingsSidebarRow* shown) { return shown->isChecked(); }),
                  1);
    }

    // The empty space under the last row, and a click on the chosen row, keep the choice.
    SettingsSidebar& sidebar = window.view.sidebar();
    testing::click(sidebar, QPointF(sidebar.width() / 2.0, sidebar.height() - 8.0));
    testing::click(window.row("Focus"));
    EXPECT_EQ(*window.router.selectedTab(), SettingsSectionTab::focus);
    EXPECT_TRUE(window.row("Focus").isChecked());
}

TEST(SettingsView, FollowsTheRouterAndMakesAPageAfreshOnlyForAnotherTab) {
    Window window;
    window.router.setSelectedTab(SettingsSectionTab::agent);
    EXPECT_TRUE(window.row("Agent").isChecked());
    EXPECT_EQ(window.heading(), "Agent");
    EXPECT_FALSE(window.showsPreview());

    QPointer page = &window.view.page();
    window.router.setSelectedTab(SettingsSectionTab::agent);
    settle();
    EXPECT_EQ(&window.view.page(), page.get()) << "the same tab again keeps its page";
    window.router.setSelectedTab(SettingsSectionTab::help);
    window.router.setSelectedTab(SettingsSectionTab::agent);
    settle();
    EXPECT_TRUE(page.isNull()) << "a page left behind goes";
    EXPECT_NE(&window.view.page(), nullptr);
}

TEST(SettingsView, TheChosenRowTakesTheAccentOnlyWhileItsWindowIsActive) {
    Window window;
    QWidget other;
    window.view.show();
    window.view.activateWindow();
    settle();
    ASSERT_TRUE(window.view.isActiveWindow()) << "the offscreen platform activates windows";
    const QColor onAccent = themeQColor(PurloTheme::onAccent, false);
    const QColor primary = themeQColor(PurloTheme::primaryText, false);
    EXPECT_EQ(window.row("Appearance").foreground(), onAccent);
    EXPECT_EQ(window.row("Agent").foreground(), primary);

    other.show();
    other.activateWindow();
    settle();
    ASSERT_FALSE(window.view.isActiveWindow());
    EXPECT_EQ(window.row("Appearance").foreground(), primary);
    window.view.activateWindow();
    settle();
    EXPECT_EQ(window.row("Appearance").foreground(), onAccent);
}

TEST(SettingsView, TheSidebarsEdgeMovesOnlyBetweenItsBounds) {
    Window window;
    window.view.show();
    QSplitter& splitter = window.view.splitter();
    settle();
    EXPECT_EQ(window.view.sidebar().width(), SettingsSidebar::idealWidth);
    const struct {
        int asked;
        int got;
    } rows[] = {{100, SettingsSidebar::narrowest}, {200, 200}, {400, SettingsSidebar::widest}};
    for (const auto& row : rows) {
        splitter.setSizes({row.asked, SettingsView::contentSize.width() - row.asked});
        settle();
        EXPECT_EQ(window.view.sidebar().width(), row.got) << row.asked;
    }
}

// The window as a person sees it, in both appearances, active; kept for a person to look at.
TEST(Pictures, TheSettingsWindowDrawsInTheThemeOfItsAppearance) {
    for (const bool dark : {false, true}) {
        Window window(dark);
        window.view.show();
        window.view.activateWindow();
        settle();
        const QImage picture = window.view.grab().toImage();
        if (const auto artifacts = testing::artifactsFolder()) {
            picture.save(artifacts->filePath(dark ? "settings-dark.png" : "settings-light.png"));
        }
        const auto theme = [dark](const AppearanceColor& color) {
            return themeQColor(color, dark).rgb();
        };
        const SettingsSidebarRow& chosen = window.row("Appearance");
        const QPoint inRow = chosen.mapTo(&window.view, QPoint(chosen.width() - 6, 4));
        EXPECT_EQ(picture.pixel(inRow), theme(PurloTheme::accent));
        EXPECT_EQ(picture.pixel(4, SettingsView::contentSize.height() - 4),
                  theme(PurloTheme::controlFill));
        EXPECT_EQ(picture.pixel(SettingsView::contentSize.width() - 4, 4),
                  theme(PurloTheme::windowBackground));
    }
}

} // namespace
} // namespace purlo
