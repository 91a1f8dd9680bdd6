#pragma once

#include "companion/qt/PaintedOverHer.h"
#include "companion/qt/WidgetDrawing.h"

#include <QFont>
#include <QString>
#include <QWidget>

namespace purlo {

// The Pomodoro countdown beside the cat: bold monospaced white text on a dark capsule.
// It stands over the cat, who repaints what changed many times a second, so the capsule
// is drawn once per text and size and otherwise only laid down again.
class CompanionTimerLabel final : public QWidget, public PaintedOverHer {
    Q_OBJECT

public:
    explicit CompanionTimerLabel(QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    void setText(const QString& text);

    // The text's size with the capsule's padding around it.
    QSize sizeHint() const override;

    // The whole capsule.
    QRect paintedArea() const override { return rect(); }
    void paintOnto(QPainter& painter, const QRegion& region) override;
    // The capsule is always laid down as it was drawn.
    const QImage* pictureAtRest() override { return &capsule(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The capsule, drawn when there is none for its size and text yet.
    const QImage& capsule();
    void draw(QPainter& painter) const;

    QString text_;
    QFont font_;
    WidgetDrawing drawing_;
};

} // namespace purlo
