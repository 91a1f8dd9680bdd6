// The yardstick the running program is measured against: the least a Qt program that
// animates a small window costs on this machine, started beside it in the same run.
// A plain 256 x 256 window repaints 250 rectangles that drift a little at every frame,
// 24 frames a second, until it is ended.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cmath>

namespace {

constexpr int side = 256;
constexpr int rectangleCount = 250;
constexpr int frameMilliseconds = 1000 / 24;

class RectanglesWindow final : public QWidget {
public:
    RectanglesWindow() {
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
        painter.fillRect(rect(), palette().window());
        painter.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < rectangleCount; ++i) {
            // A fixed scatter, each rectangle drifting along its own diagonal by a
            // fraction of a pixel a frame, as anything animated smoothly does.
            const double x = std::fmod(i * 37 + frame_ * (0.5 + i % 3 * 0.25), side);
            const double y = std::fmod(i * 71 + frame_ * (0.5 + i % 5 * 0.25), side);
            painter.fillRect(QRectF(x, y, 8 + i % 9, 8 + i % 7),
                             colours[static_cast<std::size_t>(i % 4)]);
        }
    }

private:
    const std::array<QColor, 4> colours{
        QColor(0xd9, 0x8a, 0x3d, 0xe0), QColor(0x3d, 0x6e, 0xd9, 0xe0),
        QColor(0x4f, 0xa8, 0x5c, 0xe0), QColor(0x2b, 0x2b, 0x2b, 0xe0)};
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
