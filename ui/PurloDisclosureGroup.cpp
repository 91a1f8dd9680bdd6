#include "ui/PurloDisclosureGroup.h"

#include "companion/PurloTheme.h"
#include "ui/FocusRing.h"
#include "ui/PurloSymbol.h"

#include <QEasingCurve>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace purlo {
namespace {

constexpr double openChevronDegrees = 90;
constexpr double focusCornerRadius = 6;

// A button without chrome of its own: its children draw the row, and a click anywhere
// in its rectangle, the empty middle included, presses it.
class DisclosureHeader final : public QAbstractButton {
public:
    using QAbstractButton::QAbstractButton;

protected:
    void paintEvent(QPaintEvent*) override {}
};

} // namespace

PurloDisclosureGroup::PurloDisclosureGroup(QWidget* label, QWidget* content, QWidget* parent)
    : QWidget(parent)
    , header_(new DisclosureHeader(this))
    , chevron_(new PurloSymbol("chevron.right", QSizeF(12, 12), PurloTheme::tertiaryText,
                               QSize(14, 14), header_))
    , content_(content) {
    header_->setFocusPolicy(Qt::TabFocus);
    // The header spans the group edge to edge and its label starts at the edge, so the
    // ring round the header is drawn beside the group, in the room its surroundings leave.
    showFocusAround(*header_, *this, focusCornerRadius);
    header_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    header_->setAccessibleDescription(QStringLiteral("Collapsed"));
    auto* row = new QHBoxLayout(header_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(headerSpacing);
    row->addWidget(label);
    // The free space keeps its minimum with the row's spacing on both of its sides; the
    // layout itself spaces two widgets only once.
    row->addSpacerItem(
        new QSpacerItem(minimumGap + headerSpacing, 0, QSizePolicy::MinimumExpanding));
    row->addWidget(chevron_);

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addWidget(header_);
    stack->addWidget(content_);
    content_->hide();

    chevronTurn_.setDuration(toggleAnimationMilliseconds);
    chevronTurn_.setEasingCurve(QEasingCurve::InOutQuad);
    connect(&chevronTurn_, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& degrees) { chevron_->setRotation(degrees.toDouble()); });
    connect(header_, &QAbstractButton::clicked, this, [this] { setExpanded(!expanded_); });
}

void PurloDisclosureGroup::setExpanded(bool expanded) {
    if (expanded == expanded_) {
        return;
    }
    expanded_ = expanded;
    content_->setVisible(expanded);
    header_->setAccessibleDescription(expanded ? QStringLiteral("Expanded")
                                               : QStringLiteral("Collapsed"));
    chevronTurn_.stop();
    chevronTurn_.setStartValue(chevron_->rotation());
    chevronTurn_.setEndValue(expanded ? openChevronDegrees : 0.0);
    chevronTurn_.start();
    Q_EMIT expandedChanged(expanded);
}

} // namespace purlo
