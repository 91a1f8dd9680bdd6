#pragma once

#include <QKeyEvent>

namespace purlo {

// A button that runs on Return, or Enter, while it has the keyboard's focus, as every
// button of the desktop's dialogs does; Qt's own take only Space. Return where no such
// button has the focus goes on to the window, whose main button may answer it.
template <typename Button>
class RunsOnReturn : public Button {
public:
    using Button::Button;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            this->click();
            return;
        }
        Button::keyPressEvent(event);
    }
};

} // namespace purlo
