#pragma once

#include <QObject>

class QWidget;

namespace purlo {

// Keeps a window of a designed height whole on its screen, frame and all: at that height
// where the screen's free area holds it, at the height there is where it does not, its
// content scrolling to the rest. The window manager's frame is known only once it has
// framed the window, and the user may take the window to a shorter screen: a window that
// moves and finds itself too tall for its screen is fitted and centred there again.
class HeightKeptOnScreen final : public QObject {
public:
    // window must outlive every call; once it is gone the keeper hears nothing more of it.
    HeightKeptOnScreen(QWidget& window, int designedHeight);

    // Fits the height to the window's screen and centres the window there.
    void center();
    // Fits the height to the screen as it is now (screens come and go and change their
    // scale while a window waits hidden); a window whose height had to change is centred
    // again, since its place was chosen for the other height.
    void fitAgain();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    int designedHeight_;
};

} // namespace purlo
