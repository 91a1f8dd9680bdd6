#include "base/UnicodeText.h"
#include "companion/qt/PurloCharacterPreview.h"
#include "companion/qt/ThemeQColor.h"
#include "settings/SettingsSidebar.h"
#include "settings/SettingsSidebarRow.h"
#include "settings/SettingsView.h"
#include "tests/companion/BuildFolder.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/PurloPalette.h"

#include <QApplication>
#include <QPointer>
#include <algorithm>

namespace purlo {
namespace {

using testing::accessible;
using testing::settle;
using testing::shownTexts;
using testing::shownWidgets;

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
    QStringList rows;
    for (const SettingsSidebarRow* row : shownWidgets<SettingsSidebarRow>(window.view)) {
        rows.push_back(row->accessibleName() + " " + row->objectName());
    }
    EXPECT_EQ(rows,
              (QStringList{"Appearance settings.sidebar.appearance",
                           "Behavior settings.sidebar.behavior", "Focus settings.sidebar.focus",
                           "Agent settings.sidebar.agent", "Privacy settings.sidebar.privacy",
                           "Help settings.sidebar.help", "About settings.sidebar.about"}));
    EXPECT_EQ(shownTexts(window.view.sidebar()), (QStringList{"Purlo", "Support"}));
}

TEST(SettingsView, ARowChosenInTheSidebarShowsItsHeadingAndOnlyAppearanceShowsTheCat) {
    Window window;
    EXPECT_EQ(window.heading(), "Appearance");
    EXPECT_TRUE(window.showsPreview());
    EXPECT_TRUE(window.row("Appearance").isChecked());

    for (const std::string title : {"Behavior", "Appearance", "About", "Focus"}) {
        testing::click(window.row(title.c_str()));
        EXPECT_EQ(toString(*window.router.selectedTab()), lowercased(title));
        EXPECT_EQ(window.heading().toStdString(), title);
        EXPECT_EQ(window.showsPreview(), title == "Appearance") << title;
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

// The window as a person sees it in both appearances, active, is kept for a person to
// look at; the chosen row stands out on the accent only while its window is the active one.
TEST(SettingsView, TheChosenRowTakesTheAccentOnlyWhileItsWindowIsActive) {
    for (const bool dark : {false, true}) {
        Window window(dark);
        QWidget other;
        window.view.show();
        window.view.activateWindow();
        settle();
        ASSERT_TRUE(window.view.isActiveWindow()) << "the offscreen platform activates windows";
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
        EXPECT_EQ(chosen.foreground().rgb(), theme(PurloTheme::onAccent));
        EXPECT_EQ(window.row("Agent").foreground().rgb(), theme(PurloTheme::primaryText));
        EXPECT_EQ(picture.pixel(4, SettingsView::contentSize.height() - 4),
                  theme(PurloTheme::controlFill));
        EXPECT_EQ(picture.pixel(SettingsView::contentSize.width() - 4, 4),
                  theme(PurloTheme::windowBackground));

        other.show();
        other.activateWindow();
        settle();
        ASSERT_FALSE(window.view.isActiveWindow());
        EXPECT_EQ(window.view.grab().toImage().pixel(inRow), theme(PurloTheme::border));
        EXPECT_EQ(chosen.foreground().rgb(), theme(PurloTheme::primaryText));
        window.view.activateWindow();
        settle();
        EXPECT_EQ(chosen.foreground().rgb(), theme(PurloTheme::onAccent));
    }
}

} // namespace
} // namespace purlo
