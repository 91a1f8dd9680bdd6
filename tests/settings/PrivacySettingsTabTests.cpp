#include "settings/PrivacySettingsTab.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::accessible;
using testing::button;
using testing::click;

TEST(PrivacySettingsTab, TheRowShowsTheButtonOrThePillAsTheGrantIsPublished) {
    testing::RuntimeHarness harness;
    harness.keys.granted = false;
    PrivacySettingsTab tab(harness.runtime());
    tab.show();
    const QStringList texts = testing::shownTexts(tab);
    EXPECT_EQ(texts.mid(0, 3),
              (QStringList{"Typing Reactions", "Input Monitoring",
                           "Optional. Lets Purlo react to typing rhythm without reading what "
                           "you type."}))
        << "the subtitle names no place of another system: it keeps its words";
    EXPECT_EQ(accessible(tab, "Allowed"), nullptr);
    QAbstractButton* ask = button(tab, "Check Access Again");
    ASSERT_NE(ask, nullptr);
    EXPECT_EQ(ask->accessibleDescription(),
              "Asks the X server again whether key timing can be read.");

    click(*ask);
    EXPECT_EQ(harness.keys.requestCount, 1);
    EXPECT_EQ(accessible(tab, "Allowed"), nullptr) << "asking alone changes nothing";

    const struct {
        bool granted;
        bool pill;
    } publications[] = {{true, true}, {false, false}, {true, true}};
    for (const auto& [granted, pill] : publications) {
        harness.keys.granted = granted;
        harness.runtime().recheckInputMonitoringPermission();
        EXPECT_EQ(accessible(tab, "Allowed") != nullptr, pill) << granted;
        EXPECT_EQ(button(tab, "Check Access Again") == nullptr, pill) << granted;
    }
}

} // namespace
} // namespace purlo
