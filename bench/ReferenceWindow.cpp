// The yardstick the running program is measured against: the least a Qt program that
// animates a small translucent window costs on this machine, started beside it in the
// same run. Its work is fixed and plain on purpose, and it is never tuned toward a
// figure: a ratio to it means something only while it stays what it is.
//
// A frameless, translucent tool window of 256 x 256 that stays on top. On a precise
// timer, 24 times a second, it clears itself to transparent and fills 250 rectangles at
// whole-pixel places that move with the frame, in fixed colours at alpha 200, with no
// antialiasing.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

constexpr int side = 256;
constexpr int rectangleCount = 250;
constexpr int frameMilliseconds = 1000 / 24;
// The rectangles' places wrap within this much of the side.
constexpr int placeRange = 240;
constexpr int alpha = 200;

class RectanglesWindow final : public QWidget {
public:
    RectanglesWindow()
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
        setAttribute(Qt::WA_TranslucentBackground);
        resize(side, side);
        frameTimer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&frameTimer_, &QTimer::timeout, this, [this] {
            ++frame_;
            update();
        });
        frameTimer_.start(frameMilliseconds);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(rect(), Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        for (int i = 0; i < rectangleCount; ++i) {
            const int x = (i * 37 + frame_ * 3) % placeRange;
            const int y = (i * 53 + frame_ * 2) % placeRange;
            painter.fillRect(QRect(x, y, 8 + i % 9, 8 + i % 7),
                             QColor(i * 40 % 256, i * 90 % 256, i * 150 % 256, alpha));
        }
    }

private:
    QTimer frameTimer_;
    int frame_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    RectanglesWindow window;
    window.show();
    return QApplication::exec();
}
