#include "companion/PurloTheme.h"
#include "settings/controls/FlowRows.h"
#include "settings/controls/HexColor.h"
#include "settings/controls/PurloFlowLayout.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace purlo {
namespace {

TEST(FlowRows, ItemsFlowIntoRowsLikeWords) {
    const Size item{50, 20};
    const struct {
        const char* what;
        std::vector<Size> sizes;
        std::optional<double> width;
        std::vector<Point> positions;
        Size size;
    } cases[] = {
        {"nothing", {}, 120, {}, {0, 0}},
        {"no width: one row",
         {item, {30, 10}, {40, 30}},
         {},
         {{0, 0}, {58, 0}, {96, 0}},
         {136, 30}},
        {"width 0: a row each", {item, {70, 10}, item}, 0, {{0, 0}, {0, 28}, {0, 46}}, {70, 66}},
        {"two fit, the third wraps",
         {item, item, item},
         120,
         {{0, 0}, {58, 0}, {0, 28}},
         {108, 48}},
        {"ending exactly at the width fits", {item, item}, 108, {{0, 0}, {58, 0}}, {108, 20}},
        {"one point over wraps", {item, item}, 107, {{0, 0}, {0, 28}}, {50, 48}},
        {"too wide still starts its row", {{200, 20}, item}, 120, {{0, 0}, {0, 28}}, {200, 48}},
        {"rows clear the tallest",
         {item, {50, 40}, {50, 10}},
         110,
         {{0, 0}, {58, 0}, {0, 48}},
         {108, 58}},
    };
    for (const auto& c : cases) {
        const FlowPlacement placement = flowRows(c.sizes, 8, c.width);
        EXPECT_EQ(placement.positions, c.positions) << c.what;
        EXPECT_EQ(placement.size, c.size) << c.what;
    }
}

TEST(FlowRows, TheLayoutPlacesWidgetsWhereTheRowsSayAndIsAsTallAsTheyNeed) {
    QWidget area;
    auto* flow = new PurloFlowLayout(8, &area);
    std::vector<QWidget*> items;
    for (int index = 0; index < 3; ++index) {
        auto* item = new QWidget;
        item->setFixedSize(50, 20);
        flow->addWidget(item);
        items.push_back(item);
    }
    EXPECT_EQ(flow->heightForWidth(120), 48);
    EXPECT_EQ(flow->sizeHint(), QSize(166, 20));
    area.resize(120, 48);
    area.show();
    EXPECT_EQ(items[1]->geometry(), QRect(58, 0, 50, 20));
    EXPECT_EQ(items[2]->geometry(), QRect(0, 28, 50, 20));
}

// A widget wider than the flow that can give way takes the flow's width; the flow asks for
// no more width than its widest widget can make do with, here the rigid one's.
TEST(FlowRows, AWidgetWiderThanTheFlowGivesWayToItsWidth) {
    class Wide final : public QWidget {
    public:
        QSize sizeHint() const override { return {300, 20}; }
        QSize minimumSizeHint() const override { return {40, 20}; }
    };
    const std::pair<int, QRect> cases[] = {
        {400, {0, 0, 300, 20}}, {120, {0, 0, 120, 20}}, {20, {0, 0, 60, 20}}};
    for (const auto& [width, place] : cases) {
        QWidget area;
        auto* flow = new PurloFlowLayout(8, &area);
        auto* wide = new Wide;
        wide->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
        auto* rigid = new QWidget;
        rigid->setFixedSize(60, 20);
        flow->addWidget(wide);
        flow->addWidget(rigid);
        EXPECT_EQ(flow->minimumSize(), QSize(60, 20)) << width;
        area.resize(width, flow->heightForWidth(width));
        area.show();
        EXPECT_EQ(wide->geometry(), place) << width;
        EXPECT_EQ(rigid->geometry().topLeft(), width >= 368 ? QPoint(308, 0) : QPoint(0, 28))
            << width;
    }
}

TEST(HexColor, ReadsTheLeadingHexDigitsAfterSpacesAndHashes) {
    const std::pair<std::string_view, std::uint32_t> cases[] = {
        {" \t#47331F\t ", 0x47331F},
        {"##12#34#56", 0x123456},
        {"#12zz34", 0x12},
        {"#not a colour", 0},
        // Too long for 64 bits: held at the largest number, never wrapped round.
        {"#FFFFFFFFFFFFFFFFFFFF00", 0xFFFFFF},
    };
    for (const auto& [hex, rgb] : cases) {
        EXPECT_EQ(colorFromHex(hex), hexColor(rgb)) << hex;
    }
}

} // namespace
} // namespace purlo
