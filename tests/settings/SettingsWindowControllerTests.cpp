#include "settings/SettingsView.h"
#include "settings/SettingsWindowController.h"
#include "tests/companion/BuildFolder.h"
#include "tests/support/RecordingFixedWindowHints.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <gtest/gtest.h>

namespace purlo {
namespace {

// Every tab at its longest: the rows that only show while a switch is on show, and
// saved looks take a row of chips.
PurloSettings longestTabs() {
    return testing::settingsWith([](PurloSettings& settings) {
        settings.quietHours.enabled = true;
        settings.scheduledNap.enabled = true;
    });
}

QRect onScreen(const QWidget& widget) {
    return {widget.mapToGlobal(QPoint(0, 0)), widget.size()};
}

// On every screen there is (ctest also runs this on 1920 x 1080 and 1920 x 1200 screens
// at two pixels to a point, and on 1366 x 768 ones at one and a quarter and one and a
// half), the window, frame and all, stays inside the free area: 620 points tall where
// that holds it, as tall as the free area where it does not. Whatever the height, every
// control of every tab scrolls into view and is then wholly on the screen.
TEST(SettingsWindowController, TakesTheHeightItsScreenHasAndScrollsToEveryControl) {
    for (QScreen* screen : QGuiApplication::screens()) {
        SCOPED_TRACE(screen->name().toStdString());
        testing::RuntimeHarness harness(longestTabs());
        harness.runtime().saveCatProfile("Window seat");
        PurloSettingsRouter router;
        testing::RecordingFixedWindowHints hints;
        SettingsWindowController controller(harness.runtime(), router, harness.appearance, hints);
        SettingsView& window = controller.window();
        // Opened where that screen is, as on a desktop whose pointer is there.
        window.move(screen->availableGeometry().topLeft());
        controller.makeKeyAndOrderFront();
        testing::settle();

        const QRect free = screen->availableGeometry();
        const QRect frame = window.frameGeometry();
        ASSERT_EQ(window.screen(), screen);
        EXPECT_TRUE(free.contains(frame)) << "free " << free.height() << " at " << free.top()
                                          << ", framed " << frame.height() << " at " << frame.top();
        EXPECT_EQ(window.height(),
                  std::min(620, free.height() - (frame.height() - window.height())));
        EXPECT_EQ(window.width(), 760);
        EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "not resizable";

        auto* area = window.findChild<QScrollArea*>();
        ASSERT_NE(area, nullptr);
        for (const SettingsSectionTab tab : allCases<SettingsSectionTab>()) {
            router.setSelectedTab(tab);
            testing::settle();
            for (QWidget* control : testing::shownWidgets<QWidget>(window)) {
                if (!(control->focusPolicy() & Qt::TabFocus)) {
                    continue;
                }
                // The sidebar's rows stand outside the scrolling page.
                const bool onPage = window.page().isAncestorOf(control);
                if (onPage) {
                    // The whole control, where Qt would bring a text field's cursor alone.
                    const QPoint middle = control->mapTo(area->widget(), control->rect().center());
                    area->ensureVisible(middle.x(), middle.y(), control->width() / 2 + 1,
                                        control->height() / 2 + 1);
                    testing::settle();
                }
                const QRect place = onScreen(*control);
                EXPECT_TRUE(free.contains(place) &&
                            (!onPage || onScreen(*area->viewport()).contains(place)))
                    << toString(tab) << ": " << control->metaObject()->className() << " \""
                    << control->accessibleName().toStdString() << "\" at " << place.top() << ", "
                    << place.height() << " tall";
            }
            // Appearance scrolled to its end on each named screen, for a person to look at.
            const auto artifacts = testing::artifactsFolder();
            if (tab == SettingsSectionTab::appearance && artifacts && !screen->name().isEmpty()) {
                area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
                testing::settle();
                window.grab().save(artifacts->filePath(
                    "settings-on-" + screen->name().replace(' ', '-') + "-screen.png"));
            }
        }
    }
}

} // namespace
} // namespace purlo
