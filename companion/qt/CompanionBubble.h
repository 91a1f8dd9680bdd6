#pragma once

#include "companion/CompanionBubbleLayout.h"
#include "companion/qt/PaintedOverHer.h"
#include "companion/qt/WidgetDrawing.h"
#include "model/CompanionMessage.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QWidget>
#include <optional>
#include <utility>

class QPainter;

namespace purlo {

// The bubble's tail: a square of the bubble's fill turned by 45 degrees about its
// centre, its right and bottom edges outlined in ink, so that they meet in the point
// under the bubble.
struct CompanionBubbleTail {
    QColor surface;
    double lineWidth = 1.5;
    double side = CompanionBubbleLayout::tailSide;

    void paint(QPainter& painter, QPointF centre) const;
};

// The measures of text set in a font, at whole pixel sizes.
BubbleTextMetrics bubbleTextMetrics(const QFont& font);

// One speech bubble laid out by layout, drawn with the layout's area at the painter's
// origin: the hard shadow, the pastel fill of the message's kind, the text in ink, the
// tail and, over everything, the outline drawn inside the body's edge.
void paintCompanionBubble(QPainter& painter, const CompanionBubbleLayout& layout,
                          CompanionMessage::Kind kind, const QFont& font, double cornerRadius,
                          double lineWidth);

// What the cat says, as a widget as wide as the space offered to the bubble: the body
// centred across it at the top, the tail and shadow below. A screen reader reads its
// words as a label's, and is told when they change. The host puts the widget so
// that the body's bottom edge sits where it wants it (layout().body).
//
// The cat beneath repaints what changed many times a second, and the bubble over her
// with it: the bubble is therefore laid out and drawn once per message and size, and
// otherwise only laid down again, faded and scaled while it comes and goes.
class CompanionBubble final : public QWidget, public PaintedOverHer {
    Q_OBJECT

public:
    static constexpr double defaultCornerRadius = 12;
    static constexpr double defaultLineWidth = 1.5;

    explicit CompanionBubble(CompanionMessage message, double cornerRadius = defaultCornerRadius,
                             double lineWidth = defaultLineWidth, QWidget* parent = nullptr);

    const CompanionMessage& message() const { return message_; }
    void setMessage(const CompanionMessage& message);

    // The pixel font when it was registered, else the default font.
    const QFont& textFont() const { return font_; }
    void setTextFont(const QFont& font);

    // How far the bubble has come in or gone out: drawn at opacity and scaled by scale
    // about the bottom centre of its body. Fully there is (1, 1).
    void setPresentation(double opacity, double scale);
    double presentationOpacity() const { return opacity_; }
    double presentationScale() const { return scale_; }

    // The layout for the widget's present width.
    CompanionBubbleLayout layout() const { return layoutFor(width()); }
    CompanionBubbleLayout layoutFor(double offeredWidth) const;

    // The part of the widget, in points, that the bubble may paint at rest or on its way:
    // its body, shadow and tail, with room for their soft edges and the hair the spring
    // scales it beyond its size. The rest of the widget stays clear.
    QRect paintedArea() const override;
    void paintOnto(QPainter& painter, const QRegion& region) override;
    const QImage* pictureAtRest() override;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The bubble at rest, drawn when there is none for its size yet.
    const QImage& picture();
    void nameForReaders();
    void draw(QPainter& painter) const;

    CompanionMessage message_;
    double cornerRadius_;
    double lineWidth_;
    QFont font_;
    double opacity_ = 1;
    double scale_ = 1;
    // The last layout and the width it was made for.
    mutable std::optional<std::pair<double, CompanionBubbleLayout>> laidOut_;
    // The bubble at rest.
    WidgetDrawing drawing_;
};

} // namespace purlo
