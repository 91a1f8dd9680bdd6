#include "settings/controls/PurloTextField.h"

#include "ui/KitFont.h"
#include "ui/PurloFieldChrome.h"

#include <QEvent>
#include <QHBoxLayout>
#include <string>
#include <utility>

namespace purlo {

PurloTextField::Style PurloTextField::settingsStyle(bool mono) {
    return {.font = mono ? kitFont(13.5, QFont::Normal, true) : kitFont(14, QFont::DemiBold)};
}

PurloTextField::PurloTextField(Binding<std::string> text, const QString& placeholder,
                               std::optional<int> width, Qt::Alignment alignment, bool mono,
                               QWidget* parent)
    : PurloTextField(std::move(text), placeholder, width, alignment, settingsStyle(mono), parent) {}

PurloTextField::PurloTextField(Binding<std::string> text, const QString& placeholder,
                               std::optional<int> width, Qt::Alignment alignment, Style style,
                               QWidget* parent)
    : QWidget(parent)
    , text_(std::move(text))
    , alignment_(alignment)
    , style_(std::move(style))
    , lineEdit_(new FieldLineEdit(this)) {
    lineEdit_->setFrame(false);
    lineEdit_->setPlaceholderText(placeholder);
    lineEdit_->setFont(style_.font);
    lineEdit_->setAlignment(alignment_ | Qt::AlignVCenter);
    lineEdit_->installEventFilter(this);
    // Qt's line edit tells of text that assistive technology sets only as a change of its
    // text, never as an edit: every change but the bound text shown again is an edit.
    connect(lineEdit_, &QLineEdit::textChanged, this, [this](const QString& shown) {
        if (lineEdit_->isReadOnly()) {
            refresh();
        } else if (std::string edited = shown.toStdString(); edited != text_()) {
            text_.set(std::move(edited));
        }
    });
    connect(lineEdit_, &QLineEdit::returnPressed, this, &PurloTextField::submitted);

    auto* padding = new QHBoxLayout(this);
    padding->setContentsMargins(style_.boxed ? style_.padding : QMargins());
    padding->addWidget(lineEdit_);
    setFocusProxy(lineEdit_);
    if (width) {
        setFixedWidth(*width);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    } else {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    applyFieldTextColors(*lineEdit_, *this);
    refuseTextWhileDisabled(*lineEdit_);
    refresh();
}

void PurloTextField::refresh() {
    const QString stored = QString::fromStdString(text_());
    if (lineEdit_->text() != stored) {
        lineEdit_->setText(stored);
    }
}

void PurloTextField::paintEvent(QPaintEvent*) {
    if (style_.boxed) {
        paintFieldBox(*this, style_.cornerRadius, focused_);
    }
}

// A click on the padding reaches the text as well.
void PurloTextField::mousePressEvent(QMouseEvent* event) {
    lineEdit_->setFocus(Qt::MouseFocusReason);
    QWidget::mousePressEvent(event);
}

void PurloTextField::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        applyFieldTextColors(*lineEdit_, *this);
    } else if (event->type() == QEvent::EnabledChange) {
        refuseTextWhileDisabled(*lineEdit_);
    }
}

bool PurloTextField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit_ && lineEdit_->isEnteredBy(*event)) {
        setFocused(true);
    } else if (watched == lineEdit_ && lineEdit_->isLeftBy(*event)) {
        setFocused(false);
    }
    return QWidget::eventFilter(watched, event);
}

void PurloTextField::setFocused(bool focused) {
    if (focused == focused_) {
        return;
    }
    focused_ = focused;
    lineEdit_->setAlignment((focused ? Qt::AlignLeading : alignment_) | Qt::AlignVCenter);
    update();
    Q_EMIT focusChanged(focused);
}

} // namespace purlo
