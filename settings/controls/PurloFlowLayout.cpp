#include "settings/controls/PurloFlowLayout.h"

#include "settings/controls/FlowRows.h"

#include <QWidget>
#include <cmath>
#include <vector>

namespace purlo {
namespace {

std::vector<Size> idealSizes(const QList<QLayoutItem*>& items) {
    std::vector<Size> sizes;
    sizes.reserve(static_cast<std::size_t>(items.size()));
    for (const QLayoutItem* item : items) {
        const QSize ideal = item->sizeHint();
        sizes.push_back({static_cast<double>(ideal.width()), static_cast<double>(ideal.height())});
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
    return wholePoints(flowRows(idealSizes(items_), spacing_, width).size).height();
}

QSize PurloFlowLayout::sizeHint() const {
    return wholePoints(flowRows(idealSizes(items_), spacing_, std::nullopt).size);
}

// As narrow as the widest item, so a narrow place wraps every item; the height at a
// given width comes from heightForWidth.
QSize PurloFlowLayout::minimumSize() const {
    QSize largest(0, 0);
    for (const QLayoutItem* item : items_) {
        largest = largest.expandedTo(item->sizeHint());
    }
    return largest;
}

void PurloFlowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const FlowPlacement placement = flowRows(idealSizes(items_), spacing_, rect.width());
    for (qsizetype index = 0; index < items_.size(); ++index) {
        const Point position = placement.positions[static_cast<std::size_t>(index)];
        items_[index]->setGeometry(QRect(
            rect.topLeft() + QPoint(static_cast<int>(position.x), static_cast<int>(position.y)),
            items_[index]->sizeHint()));
    }
}

} // namespace purlo
