#include "companion/qt/ThemeQColor.h"
#include "settings/AdvancedSettingsTab.h"
#include "settings/SettingsSidebar.h"
#include "settings/SettingsSidebarRow.h"
#include "settings/SettingsView.h"
#include "settings/controls/FurSwatch.h"
#include "settings/controls/PurloSegmentedControl.h"
#include "tests/companion/BuildFolder.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/FocusPictures.h"
#include "tests/ui/TabWalk.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/PurloDisclosureGroup.h"
#include "ui/PurloPalette.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace purlo {
namespace {

// The control of that kind on Appearance, the chosen one or another.
using Find = std::function<QWidget*(SettingsView&, bool chosen)>;

QWidget* sidebarRow(SettingsView& view, bool chosen) {
    return &view.sidebar().row(chosen ? SettingsSectionTab::appearance : SettingsSectionTab::agent);
}

QWidget* furSwatch(SettingsView& view, bool chosen) {
    for (FurSwatch* swatch : testing::shownWidgets<FurSwatch>(view)) {
        if (swatch->isSelected() == chosen) {
            return swatch;
        }
    }
    return nullptr;
}

QWidget* bubbleStyle(SettingsView& view, bool chosen) {
    const PurloSegmentedControl* control =
        testing::shownWidgets<PurloSegmentedControl>(view).value(0);
    if (control == nullptr) {
        return nullptr;
    }
    for (QAbstractButton* segment : control->segments()) {
        if (segment->isChecked() == chosen) {
            return segment;
        }
    }
    return nullptr;
}

// How many pixels differ between two pictures of one size, and how many of those became
// the colour given.
std::pair<int, int> changes(const QImage& before, const QImage& after, QRgb colour) {
    int changed = 0;
    int toColour = 0;
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y)) {
                ++changed;
                toColour += after.pixel(x, y) == colour ? 1 : 0;
            }
        }
    }
    return {changed, toColour};
}

// The fur swatches, the bubble-style segments and the sidebar rows each show the keyboard's
// focus with a ring all round in the theme's accent, light and dark, the chosen one too,
// whose accent fill draws back from the ring; a click takes no focus, so the mouse leaves
// no ring. The pictures are kept for a person to look at, one under the other for each
// appearance.
TEST(KeyboardFocus, SidebarRowsFurSwatchesAndBubbleStylesShowItInTheAccent) {
    const std::pair<const char*, Find> kinds[] = {
        {"fur swatch", furSwatch}, {"bubble style", bubbleStyle}, {"sidebar row", sidebarRow}};
    for (const bool dark : {false, true}) {
        testing::RuntimeHarness harness;
        harness.appearance.dark = dark;
        harness.appearance.reducesMotion = true;
        PurloSettingsRouter router;
        SettingsView view(harness.runtime(), router, harness.appearance);
        view.setPalette(purloPalette(dark));
        view.resize(SettingsView::contentSize);
        view.show();
        view.activateWindow();
        testing::settle();
        // Opened, the window holds the keyboard itself; the first Tab takes it to the first
        // row, so no ring shows before the user moves the keyboard.
        EXPECT_EQ(QApplication::focusWidget(), &view);
        testing::pressKey(view, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), sidebarRow(view, true));
        const QRgb accent = themeQColor(PurloTheme::accent, dark).rgb();
        std::vector<QImage> focused;
        for (const auto& [kind, find] : kinds) {
            for (const bool chosen : {true, false}) {
                SCOPED_TRACE(std::string(dark ? "dark, " : "light, ") +
                             (chosen ? "the chosen " : "another ") + kind);
                QWidget* control = find(view, chosen);
                ASSERT_NE(control, nullptr);
                view.setFocus(Qt::OtherFocusReason);
                testing::settle();
                const QImage before = control->grab().toImage();
                control->setFocus(Qt::TabFocusReason);
                testing::settle();
                ASSERT_TRUE(control->hasFocus());
                const QImage after = control->grab().toImage();
                focused.push_back(after);
                focused.back().setDevicePixelRatio(1);
                const auto [changed, toAccent] = changes(before, after, accent);
                const int around = control->width() + control->height();
                EXPECT_GE(changed, around) << "a ring all round, not a dot";
                if (!chosen) {
                    EXPECT_GE(toAccent, around) << "in the accent";
                    // Chosen with the mouse, it takes no focus and shows no ring.
                    view.setFocus(Qt::OtherFocusReason);
                    const QPointF at = control->mapTo(&view, QRectF(control->rect()).center());
                    for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                        QMouseEvent event(type, at, view.mapToGlobal(at), Qt::LeftButton,
                                          type == QEvent::MouseButtonPress ? Qt::LeftButton
                                                                           : Qt::NoButton,
                                          Qt::NoModifier);
                        QApplication::sendEvent(view.windowHandle(), &event);
                    }
                    EXPECT_FALSE(control->hasFocus());
                }
            }
        }
        if (const auto artifacts = testing::artifactsFolder()) {
            int height = 0;
            int width = 0;
            for (const QImage& picture : focused) {
                height += picture.height() + 8;
                width = std::max(width, picture.width());
            }
            QImage sheet(width + 16, height + 8, QImage::Format_ARGB32_Premultiplied);
            sheet.fill(themeQColor(PurloTheme::windowBackground, dark));
            QPainter painter(&sheet);
            int top = 8;
            for (const QImage& picture : focused) {
                painter.drawImage(8, top, picture);
                top += picture.height() + 8;
            }
            painter.end();
            sheet.save(
                artifacts->filePath(dark ? "focus-rings-dark.png" : "focus-rings-light.png"));
        }
    }
}

// Every control of every page that the keyboard reaches shows it has it, in the accent,
// light and dark. The window is tall enough for every page to show whole.
TEST(KeyboardFocus, EveryControlOfEveryPageShowsItInTheAccent) {
    for (const bool dark : {false, true}) {
        testing::RuntimeHarness harness;
        harness.appearance.dark = dark;
        harness.appearance.reducesMotion = true;
        for (const SettingsSectionTab tab : allCases<SettingsSectionTab>()) {
            PurloSettingsRouter router;
            router.setSelectedTab(tab);
            SettingsView view(harness.runtime(), router, harness.appearance);
            view.setPalette(purloPalette(dark));
            view.resize(SettingsView::contentSize.width(), 3000);
            view.show();
            testing::settle();
            testing::expectEveryFocusShows(testing::focusPictures(view, dark),
                                           "settings-" + std::string(toString(tab)) +
                                               (dark ? "-dark" : "-light"));
        }
    }
}

// Tab goes through every page in the order its controls stand, a reminder added by the
// user, a saved look's chip and the update form that a check builds anew included; a
// screen reader names every stop, the page's scrolling area too; Return runs every button
// it stops at. Every row a switch or a fold can show is shown.
TEST(KeyboardFocus, TabGoesThroughEveryPageAsItStandsNamesEveryStopAndReturnRunsButtons) {
    const std::function<void(SettingsView&)> nothing = [](SettingsView&) {
    };
    const std::pair<SettingsSectionTab, std::function<void(SettingsView&)>> pages[] = {
        {SettingsSectionTab::appearance, nothing},
        {SettingsSectionTab::behavior, nothing},
        {SettingsSectionTab::focus, nothing},
        {SettingsSectionTab::focus,
         [](SettingsView& view) {
             testing::click(*testing::button(view, "Add Reminder"));
         }},
        {SettingsSectionTab::agent, nothing},
        {SettingsSectionTab::privacy, nothing},
        {SettingsSectionTab::help, nothing},
        {SettingsSectionTab::help,
         [](SettingsView& view) {
             auto& help = static_cast<AdvancedSettingsTab&>(view.page());
             help.supportReport().setExpanded(true);
             help.technicalDetails().setExpanded(true);
         }},
        {SettingsSectionTab::about, nothing},
        {SettingsSectionTab::about,
         [](SettingsView& view) {
             testing::click(*testing::button(view, "Check Now"));
         }},
    };
    for (const auto& [tab, change] : pages) {
        SCOPED_TRACE(toString(tab));
        testing::RuntimeHarness harness(testing::settingsWith([](PurloSettings& settings) {
            settings.quietHours.enabled = true;
            settings.scheduledNap.enabled = true;
        }));
        harness.runtime().saveCatProfile("Window seat");
        PurloSettingsRouter router;
        router.setSelectedTab(tab);
        SettingsView view(harness.runtime(), router, harness.appearance);
        view.resize(SettingsView::contentSize);
        view.show();
        change(view);
        testing::settle();
        const std::vector<QWidget*> stops = testing::tabStops(view);
        testing::expectTabFollowsTheScreen(stops);
        testing::expectReturnRunsEveryButton(stops);
    }
}

} // namespace
} // namespace purlo
