#include "ui/PurloText.h"

#include "companion/qt/SurfaceAppearance.h"

#include <QEvent>

namespace purlo {

PurloText::PurloText(const QString& text, const QFont& font, const AppearanceColor& color,
                     QWidget* parent)
    : QLabel(text, parent)
    , color_(color) {
    setTextFormat(Qt::PlainText);
    setFont(font);
    // The colour lives in WindowText. Left to itself, a label inside a button (a folding
    // header, say) would paint in the button's text colour instead.
    setForegroundRole(QPalette::WindowText);
    applyColor();
}

void PurloText::setColor(const AppearanceColor& color) {
    color_ = color;
    applyColor();
}

// The window's palette arrives when the text is placed in it and whenever the window
// changes appearance; the text colour is worked out again each time.
bool PurloText::event(QEvent* event) {
    const bool handled = QLabel::event(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ParentChange ||
        event->type() == QEvent::Polish) {
        applyColor();
    }
    return handled;
}

void PurloText::applyColor() {
    const QColor wanted = themeQColor(color_, *this);
    if (palette().color(QPalette::WindowText) == wanted) {
        return;
    }
    QPalette own = palette();
    own.setColor(QPalette::WindowText, wanted);
    setPalette(own);
}

} // namespace purlo
