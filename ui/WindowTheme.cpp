#include "ui/WindowTheme.h"

#include "ui/PurloPalette.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace purlo {
namespace {

// Lives as the window's child, so it goes with the window.
class ThemeFollower final : public QObject {
public:
    ThemeFollower(QWidget& window, const Appearance& appearance)
        : QObject(&window)
        , window_(window)
        , appearance_(appearance) {
        window.installEventFilter(this);
        apply();
    }

protected:
    // When the desktop switches between light and dark, the appearance hears of it from
    // the same palette change; asking it on the next turn of the loop gets its new answer.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && (event->type() == QEvent::ApplicationPaletteChange ||
                                    event->type() == QEvent::ThemeChange)) {
            QTimer::singleShot(0, this, [this] { apply(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void apply() { window_.setPalette(purloPalette(appearance_.darkAppearance())); }

    QWidget& window_;
    const Appearance& appearance_;
};

} // namespace

void keepInTheme(QWidget& window, const Appearance& appearance) {
    new ThemeFollower(window, appearance);
}

} // namespace purlo
