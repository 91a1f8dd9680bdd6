#include "settings/SettingsSidebar.h"

#include "companion/qt/SurfaceAppearance.h"
#include "settings/SettingsSidebarRow.h"
#include "ui/KitFont.h"
#include "ui/PurloText.h"

#include <QButtonGroup>
#include <QPainter>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <utility>

namespace purlo {
namespace {

constexpr QMargins sidebarPadding{10, 12, 10, 12};
constexpr int rowSpacing = 2;
// A group's header sits a little inside the rows' left edge and above them.
constexpr QMargins headerPadding{9, 0, 9, 4};
constexpr int groupSpacing = 14;
constexpr double headerPoints = 11;

QWidget* header(std::string_view text) {
    auto* label = new PurloText(QString::fromUtf8(text), kitFont(headerPoints, QFont::Bold),
                                PurloTheme::secondaryText);
    label->setContentsMargins(headerPadding);
    return label;
}

} // namespace

SettingsSidebar::SettingsSidebar(std::function<void(SettingsSectionTab)> choose, QWidget* parent)
    : QWidget(parent)
    , choose_(std::move(choose))
    , rows_(new QButtonGroup(this)) {
    setMinimumWidth(narrowest);
    setMaximumWidth(widest);
    rows_->setExclusive(true);

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(sidebarPadding);
    stack->setSpacing(rowSpacing);
    for (const SettingsSidebarGroup& group : settingsSidebarGroups) {
        if (stack->count() > 0) {
            stack->addSpacing(groupSpacing);
        }
        stack->addWidget(header(group.header));
        for (const SettingsSectionTab tab : group.tabs) {
            auto* row = new SettingsSidebarRow(tab);
            rows_->addButton(row, static_cast<int>(tab));
            stack->addWidget(row);
        }
    }
    stack->addStretch(1);

    // A row is chosen however it comes to be checked: a click, the arrow keys, or the
    // "Toggle" action of assistive technology, which checks it without a click.
    connect(rows_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) {
            choose_(static_cast<SettingsSectionTab>(id));
        }
    });
}

// Showing the tab chosen elsewhere asks for nothing.
void SettingsSidebar::setSelectedTab(SettingsSectionTab tab) {
    const QSignalBlocker quiet(rows_);
    row(tab).setChecked(true);
}

SettingsSidebarRow& SettingsSidebar::row(SettingsSectionTab tab) const {
    return *static_cast<SettingsSidebarRow*>(rows_->button(static_cast<int>(tab)));
}

QSize SettingsSidebar::sizeHint() const {
    return {idealWidth, QWidget::sizeHint().height()};
}

// The sidebar's own ground, a step apart from the page beside it, with a hairline
// along the edge they share.
void SettingsSidebar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), themeQColor(PurloTheme::controlFill, *this));
    painter.fillRect(QRect(width() - 1, 0, 1, height()), themeQColor(PurloTheme::border, *this));
}

} // namespace purlo
