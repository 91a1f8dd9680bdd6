#include "settings/controls/PurloFlowLayout.h"

#include "settings/controls/FlowRows.h"

#include <QWidget>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace purlo {
namespace {

// Each item's ideal size, but never wider than the flow: the flow is never narrower than
// an item's minimum, so only an item that can give way is ever given less.
std::vector<Size> idealSizes(const QList<QLayoutItem*>& items, std::optional<int> width) {
    std::vector<Size> sizes;
    sizes.reserve(static_cast<std::size_t>(items.size()));
    for (const QLayoutItem* item : items) {
        const QSize ideal = item->sizeHint();
        const int given = width ? std::min(ideal.width(), *width) : ideal.width();
        sizes.push_back({static_cast<double>(given), static_cast<double>(ideal.height())});
    }
    return sizes;
}

QSize wholePoints(Size size) {
    return {static_cast<int>(std::ceil(size.width)), static_cast<int>(std::ceil(size.height))};
}

} // namespace

PurloFlowLayout::PurloFlowLayout(double spacing, QWidget* parent)
    : QLayout(parent)
    , spacing_(spacing) {
    setContentsMargins(0, 0, 0, 0);
}

PurloFlowLayout::~PurloFlowLayout() {
    qDeleteAll(items_);
}

void PurloFlowLayout::addItem(QLayoutItem* item) {
    items_.push_back(item);
    invalidate();
}

int PurloFlowLayout::count() const {
    return static_cast<int>(items_.size());
}

QLayoutItem* PurloFlowLayout::itemAt(int index) const {
    return index >= 0 && index < items_.size() ? items_[index] : nullptr;
}

QLayoutItem* PurloFlowLayout::takeAt(int index) {
    if (index < 0 || index >= items_.size()) {
        return nullptr;
    }
    QLayoutItem* item = items_.takeAt(index);
    invalidate();
    return item;
}

Qt::Orientations PurloFlowLayout::expandingDirections() const {
    return {};
}

bool PurloFlowLayout::hasHeightForWidth() const {
    return true;
}

int PurloFlowLayout::heightForWidth(int width) const {
    return wholePoints(flowRows(idealSizes(items_, width), spacing_, width).size).height();
}

QSize PurloFlowLayout::sizeHint() const {
    return wholePoints(flowRows(idealSizes(items_, std::nullopt), spacing_, std::nullopt).size);
}

// As narrow as the widest item can be, so a narrow place wraps every item and an item
// wider than the place gives way rather than widen what holds the flow; the height at a
// given width comes from heightForWidth.
QSize PurloFlowLayout::minimumSize() const {
    QSize largest(0, 0);
    for (const QLayoutItem* item : items_) {
        largest = largest.expandedTo(QSize(item->minimumSize().width(), item->sizeHint().height()));
    }
    return largest;
}

void PurloFlowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const std::vector<Size> sizes = idealSizes(items_, rect.width());
    const FlowPlacement placement = flowRows(sizes, spacing_, rect.width());
    for (qsizetype index = 0; index < items_.size(); ++index) {
        const auto at = static_cast<std::size_t>(index);
        items_[index]->setGeometry(
            QRect(rect.topLeft() + QPoint(static_cast<int>(placement.positions[at].x),
                                          static_cast<int>(placement.positions[at].y)),
                  wholePoints(sizes[at])));
    }
}

} // namespace purlo
