#include "app/PurloMenuBarController.h"
#include "settings/PurloSettingsRouter.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/MenuBarTesting.h"

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>
#include <sstream>

namespace purlo {
namespace {

using testing::RuntimeHarness;

class PurloMenuBarControllerTest : public ::testing::Test {
protected:
    RuntimeHarness harness;
    std::ostringstream messages;
    PurloMenuBarController controller{harness.runtime(), harness.clock, harness.loop,
                                      harness.appearance, messages};
};

TEST_F(PurloMenuBarControllerTest, WithoutATraySaysOnceWhereSettingsAre) {
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable()) << "the offscreen platform has no tray";
    EXPECT_EQ(messages.str(), std::string(PurloMenuBarController::noTrayMessage) + "\n");
    controller.togglePopover();
    controller.togglePopover();
    EXPECT_EQ(messages.str(), std::string(PurloMenuBarController::noTrayMessage) + "\n");
}

TEST_F(PurloMenuBarControllerTest, ThePawTogglesARoundedPopupOnTheScreen) {
    EXPECT_EQ(controller.statusItem().toolTip(), "Purlo");
    EXPECT_FALSE(controller.statusItem().icon().isNull());

    controller.togglePopover();
    ASSERT_TRUE(controller.isPopoverShown());
    PurloMenuBarView& popover = controller.popover();
    EXPECT_EQ(popover.windowType(), Qt::Popup) << "a click elsewhere closes it";
    EXPECT_EQ(popover.width(), PurloMenuBarView::fixedWidth);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(popover.geometry())) << "where the tray gives no place: by "
                                                        "the pointer, on the screen";
    EXPECT_FALSE(popover.mask().contains(QPoint(0, 0))) << "cut to its rounded corners";
    EXPECT_TRUE(popover.mask().contains(popover.rect().center()));
    EXPECT_TRUE(popover.mask().contains(QPoint(popover.width() / 2, popover.height() - 1)));

    controller.togglePopover();
    EXPECT_FALSE(controller.isPopoverShown());
    controller.togglePopover();
    EXPECT_TRUE(controller.isPopoverShown());
}

TEST_F(PurloMenuBarControllerTest, GrowingKeepsThePopoverInPlaceAndCut) {
    controller.togglePopover();
    PurloMenuBarView& popover = controller.popover();
    const QPoint origin = popover.pos();
    const int height = popover.height();
    testing::press(popover, "Nap");
    ASSERT_GT(popover.height(), height);
    EXPECT_TRUE(popover.mask().contains(QPoint(popover.width() / 2, popover.height() - 1)))
        << "the outline follows the new size";
    EXPECT_EQ(popover.pos().x(), origin.x());
}

TEST_F(PurloMenuBarControllerTest, SettingsClosesThePopoverAndKeepsTheLastTab) {
    PurloSettingsRouter::shared().setSelectedTab(SettingsSectionTab::privacy);
    controller.togglePopover();
    testing::press(controller.popover(), "Settings…");
    EXPECT_FALSE(controller.isPopoverShown());
    EXPECT_EQ(*PurloSettingsRouter::shared().selectedTab(), SettingsSectionTab::privacy);
    controller.togglePopover();
    testing::press(controller.popover(), "Pet Purlo");
    EXPECT_TRUE(controller.isPopoverShown()) << "every other row leaves it open";
}

} // namespace
} // namespace purlo
