#include "ui/PurloIntervalField.h"

#include "companion/PurloTheme.h"
#include "ui/KitFont.h"
#include "ui/PurloFieldChrome.h"
#include "ui/PurloText.h"

#include <QEvent>
#include <QHBoxLayout>
#include <utility>

namespace purlo {
namespace {

// The rounded ground under the text; its outline takes the accent while the text has
// focus. The text is narrower and lower than the box, so a click on the padding around
// it is passed on to the text, as it is in the windows' text fields; the number is
// chosen whole, since such a click cannot place the cursor inside it.
class FieldBox final : public QWidget {
public:
    explicit FieldBox(const bool& focused, QWidget* parent)
        : QWidget(parent)
        , focused_(focused) {}

protected:
    void paintEvent(QPaintEvent*) override { paintFieldBox(*this, 8, focused_); }
    void mousePressEvent(QMouseEvent* event) override {
        if (auto* text = qobject_cast<QLineEdit*>(focusProxy())) {
            text->setFocus(Qt::MouseFocusReason);
            text->selectAll();
        }
        QWidget::mousePressEvent(event);
    }

private:
    const bool& focused_;
};

} // namespace

PurloIntervalField::PurloIntervalField(Binding<std::int64_t> value, IntervalRange range,
                                       const QString& unit, QWidget* parent)
    : QWidget(parent)
    , value_(std::move(value))
    , range_(range)
    , box_(new FieldBox(focused_, this))
    , textField_(new FieldLineEdit(box_)) {
    textField_->setFrame(false);
    textField_->setAlignment(Qt::AlignCenter);
    textField_->setFont(kitFont(13.5, QFont::Bold, true));
    textField_->setFixedWidth(textWidth);
    textField_->installEventFilter(this);
    box_->setFocusProxy(textField_);
    setFocusProxy(textField_);
    connect(textField_, &QLineEdit::returnPressed, this,
            [this] { commitOnSubmit([this] { commit(); }); });
    // Typing always has the focus, and commits as it leaves. A number that assistive
    // technology sets while the focus is elsewhere has nothing to commit it, and showing
    // the stored number again would silently undo it.
    connect(textField_, &QLineEdit::textChanged, this, [this](const QString& shown) {
        if (textField_->isReadOnly()) {
            showStoredValue();
        } else if (!focused_ && shown != storedText()) {
            commit();
        }
    });

    auto* boxLayout = new QHBoxLayout(box_);
    boxLayout->setContentsMargins(6, 8, 6, 8);
    boxLayout->addWidget(textField_);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(unitSpacing);
    row->addWidget(box_);
    if (!unit.isEmpty()) {
        unitLabel_ = new PurloText(unit, kitFont(13.5), PurloTheme::secondaryText);
        row->addWidget(unitLabel_);
    }
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    applyTextColors();
    refuseTextWhileDisabled(*textField_);
    showStoredValue();
}

void PurloIntervalField::commitOnSubmit(const std::function<void()>& action) {
    action();
}

void PurloIntervalField::valueDidChange() {
    if (!focused_) {
        showStoredValue();
    }
}

// Every commit stores, an unchanged number included, and then shows what the binding
// kept: an owner that trims or refuses the number is never contradicted by the field.
void PurloIntervalField::commit() {
    value_.set(committedInterval(textField_->text().toStdString(), range_));
    showStoredValue();
}

bool PurloIntervalField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == textField_ && textField_->isEnteredBy(*event)) {
        focused_ = true;
        box_->update();
    } else if (watched == textField_ && focused_ && textField_->isLeftBy(*event)) {
        focused_ = false;
        box_->update();
        commit();
    }
    return QWidget::eventFilter(watched, event);
}

void PurloIntervalField::showEvent(QShowEvent*) {
    showStoredValue();
}

void PurloIntervalField::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        applyTextColors();
    } else if (event->type() == QEvent::EnabledChange) {
        refuseTextWhileDisabled(*textField_);
    }
}

QString PurloIntervalField::storedText() const {
    return QString::number(value_());
}

void PurloIntervalField::showStoredValue() {
    textField_->setText(storedText());
}

void PurloIntervalField::applyTextColors() {
    applyFieldTextColors(*textField_, *this);
}

} // namespace purlo
