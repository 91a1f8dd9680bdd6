#include "ui/PurloDisclosureGroup.h"

#include "companion/PurloTheme.h"
#include "ui/FocusRing.h"
#include "ui/PurloSymbol.h"
#include "ui/RunsOnReturn.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEasingCurve>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace purlo {
namespace {

constexpr double openChevronDegrees = 90;
constexpr double focusCornerRadius = 6;

// What a screen reader says of the group: whether it is open.
QString foldingValue(bool expanded) {
    return expanded ? QStringLiteral("Expanded") : QStringLiteral("Collapsed");
}

// A button without chrome of its own: its children draw the row, and a click anywhere
// in its rectangle, the empty middle included, presses it.
class DisclosureHeader final : public RunsOnReturn<QAbstractButton> {
public:
    explicit DisclosureHeader(PurloDisclosureGroup& group)
        : RunsOnReturn(&group)
        , group_(group) {}

    bool expanded() const { return group_.isExpanded(); }

protected:
    void paintEvent(QPaintEvent*) override {}

private:
    const PurloDisclosureGroup& group_;
};

// The header as a screen reader hears it: a button named by the group's label, whose
// value says whether the group is open, "Expanded" or "Collapsed", and which a press
// folds or opens.
class DisclosureHeaderAccessible final : public QAccessibleWidget {
public:
    explicit DisclosureHeaderAccessible(DisclosureHeader& header)
        : QAccessibleWidget(&header, QAccessible::Button)
        , header_(header) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) {
            return foldingValue(header_.expanded());
        }
        return QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = header_.expanded();
        state.collapsed = !header_.expanded();
        return state;
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction()) {
            header_.click();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

private:
    DisclosureHeader& header_;
};

QAccessibleInterface* disclosureHeaderAccessible(const QString&, QObject* object) {
    auto* header = dynamic_cast<DisclosureHeader*>(object);
    return header != nullptr ? new DisclosureHeaderAccessible(*header) : nullptr;
}

// The label's texts, in the order they were made: the first names the header, the rest
// (a line under the title, say) describe it.
QStringList labelTexts(QWidget& label) {
    QList<QLabel*> labels = label.findChildren<QLabel*>();
    if (auto* text = qobject_cast<QLabel*>(&label)) {
        labels.prepend(text);
    }
    QStringList texts;
    for (const QLabel* text : labels) {
        texts.push_back(text->text());
    }
    return texts;
}

} // namespace

PurloDisclosureGroup::PurloDisclosureGroup(QWidget* label, QWidget* content, QWidget* parent)
    : QWidget(parent)
    , header_(new DisclosureHeader(*this))
    , chevron_(new PurloSymbol("chevron.right", QSizeF(12, 12), PurloTheme::tertiaryText,
                               QSize(14, 14), header_))
    , content_(content) {
    // Assistive technology asks one factory list for the whole process.
    static const bool heardAsDisclosure = [] {
        QAccessible::installFactory(disclosureHeaderAccessible);
        return true;
    }();
    Q_UNUSED(heardAsDisclosure);
    header_->setFocusPolicy(Qt::TabFocus);
    // The header spans the group edge to edge and its label starts at the edge, so the
    // ring round the header is drawn beside the group, in the room its surroundings leave.
    showFocusAround(*header_, *this, focusCornerRadius);
    header_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    const QStringList texts = labelTexts(*label);
    header_->setAccessibleName(texts.value(0));
    header_->setAccessibleDescription(texts.mid(1).join(' '));
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
    QAccessible::State folding;
    folding.expanded = true;
    folding.collapsed = true;
    QAccessibleStateChangeEvent stateTold(header_, folding);
    QAccessible::updateAccessibility(&stateTold);
    QAccessibleValueChangeEvent valueTold(header_, foldingValue(expanded));
    QAccessible::updateAccessibility(&valueTold);
    chevronTurn_.stop();
    chevronTurn_.setStartValue(chevron_->rotation());
    chevronTurn_.setEndValue(expanded ? openChevronDegrees : 0.0);
    chevronTurn_.start();
    Q_EMIT expandedChanged(expanded);
}

} // namespace purlo
