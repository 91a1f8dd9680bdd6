#include "companion/qt/CompanionBubble.h"

#include "companion/PurloTheme.h"
#include "companion/qt/PurloFontRegistrar.h"
#include "companion/qt/ThemeQColor.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <numbers>

namespace purlo {
namespace {

// The companion panel's width: the space the bubble is offered there.
constexpr int panelWidth = 160;

QFont atSize(QFont font, double pointSize) {
    font.setPixelSize(static_cast<int>(std::lround(pointSize)));
    return font;
}

// Her words as a screen reader reads a label's: by the bubble's name.
QAccessibleInterface* bubbleAccessible(const QString&, QObject* object) {
    auto* bubble = qobject_cast<CompanionBubble*>(object);
    return bubble != nullptr ? new QAccessibleWidget(bubble, QAccessible::StaticText) : nullptr;
}

QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRectF qtRect(const CanvasRect& rect) {
    return {rect.x, rect.y, rect.width, rect.height};
}

QPainterPath roundedRect(const QRectF& rect, double radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

} // namespace

void CompanionBubbleTail::paint(QPainter& painter, QPointF centre) const {
    const double half = side / 2;
    painter.save();
    painter.translate(centre);
    painter.rotate(45);
    painter.fillRect(QRectF(-half, -half, side, side), surface);
    QPainterPath edges;
    edges.moveTo(half, -half);
    edges.lineTo(half, half);
    edges.lineTo(-half, half);
    QPen pen(themeQColor(PurloTheme::ink), lineWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(10);
    painter.strokePath(edges, pen);
    painter.restore();
}

BubbleTextMetrics bubbleTextMetrics(const QFont& font) {
    auto cache = std::make_shared<std::map<long, QFontMetricsF>>();
    const auto metricsAt = [font, cache](double pointSize) -> const QFontMetricsF& {
        const long pixels = std::lround(pointSize);
        auto found = cache->find(pixels);
        if (found == cache->end()) {
            found = cache->emplace(pixels, QFontMetricsF(atSize(font, pointSize))).first;
        }
        return found->second;
    };
    return {[metricsAt](std::string_view text, double pointSize) {
                return metricsAt(pointSize).horizontalAdvance(qtText(text));
            },
            [metricsAt](double pointSize) {
                return metricsAt(pointSize).lineSpacing();
            }};
}

void paintCompanionBubble(QPainter& painter, const CompanionBubbleLayout& layout,
                          CompanionMessage::Kind kind, const QFont& font, double cornerRadius,
                          double lineWidth) {
    const QColor fill = themeQColor(PurloTheme::bubbleFill(kind));
    const QColor ink = themeQColor(PurloTheme::ink);
    const QRectF body = qtRect(layout.body);
    const QPainterPath bodyPath = roundedRect(body, cornerRadius);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(bodyPath.translated(CompanionBubbleLayout::shadowOffset,
                                         CompanionBubbleLayout::shadowOffset),
                     themeQColor(PurloTheme::inkShadow));
    painter.fillPath(bodyPath, fill);

    painter.setFont(atSize(font, layout.textPointSize));
    painter.setPen(ink);
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
        const QRectF line(layout.text.x, layout.text.y + static_cast<double>(i) * layout.lineHeight,
                          layout.text.width, layout.lineHeight);
        painter.drawText(line, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                         qtText(layout.lines[i]));
    }

    CompanionBubbleTail{fill, lineWidth}.paint(painter,
                                               QPointF(layout.tailCentreX, layout.tailCentreY));

    const double half = lineWidth / 2;
    painter.strokePath(
        roundedRect(body.adjusted(half, half, -half, -half), std::max(0.0, cornerRadius - half)),
        QPen(ink, lineWidth));
    painter.restore();
}

CompanionBubble::CompanionBubble(CompanionMessage message, double cornerRadius, double lineWidth,
                                 QWidget* parent)
    : QWidget(parent)
    , message_(std::move(message))
    , cornerRadius_(cornerRadius)
    , lineWidth_(lineWidth)
    , font_(PurloFontRegistrar::shared().font(PurloFontRegistrar::pixelFontName,
                                              static_cast<int>(CompanionBubbleLayout::pointSize))) {
    // Assistive technology asks one factory list for the whole process.
    static const bool readAsALabel = [] {
        QAccessible::installFactory(bubbleAccessible);
        return true;
    }();
    Q_UNUSED(readAsALabel);
    setAttribute(Qt::WA_TranslucentBackground);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void CompanionBubble::setMessage(const CompanionMessage& message) {
    if (message == message_) {
        return;
    }
    message_ = message;
    if (isVisible()) {
        nameForReaders();
    }
    laidOut_.reset();
    drawing_.forget();
    updateGeometry();
    update();
}

// A reader is told the words as they show, and again only when they change: a new kind of
// the same words, or the same words coming back, is no news, and a hidden bubble tells
// nothing.
void CompanionBubble::nameForReaders() {
    if (const QString words = qtText(message_.text); accessibleName() != words) {
        setAccessibleName(words);
    }
}

void CompanionBubble::setTextFont(const QFont& font) {
    font_ = font;
    laidOut_.reset();
    drawing_.forget();
    updateGeometry();
    update();
}

void CompanionBubble::setPresentation(double opacity, double scale) {
    if (opacity == opacity_ && scale == scale_) {
        return;
    }
    opacity_ = opacity;
    scale_ = scale;
    update();
}

CompanionBubbleLayout CompanionBubble::layoutFor(double offeredWidth) const {
    if (!laidOut_ || laidOut_->first != offeredWidth) {
        laidOut_.emplace(offeredWidth,
                         CompanionBubbleLayout::make(message_.text, offeredWidth,
                                                     bubbleTextMetrics(font_), lineWidth_));
    }
    return laidOut_->second;
}

int CompanionBubble::heightForWidth(int width) const {
    return static_cast<int>(std::ceil(layoutFor(width).height));
}

QSize CompanionBubble::sizeHint() const {
    return {panelWidth, heightForWidth(panelWidth)};
}

// On its way in or out the bubble is its picture at rest, faded and scaled as one about
// the bottom centre of its body: far cheaper at each of the spring's steps than drawing
// it again, and its shadow no longer shows through its fill while it fades.
void CompanionBubble::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    paintOnto(painter, event->region());
}

void CompanionBubble::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    nameForReaders();
}

void CompanionBubble::paintOnto(QPainter& painter, const QRegion& region) {
    if (!(opacity_ > 0)) {
        return;
    }
    const QImage& bubble = picture();
    QTransform presentation;
    if (scale_ != 1) {
        const CompanionBubbleLayout laidOut = layout();
        const QPointF anchor(laidOut.body.x + laidOut.body.width / 2,
                             laidOut.body.y + laidOut.body.height);
        presentation.translate(anchor.x(), anchor.y());
        presentation.scale(scale_, scale_);
        presentation.translate(-anchor.x(), -anchor.y());
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setOpacity(std::min(opacity_, 1.0));
    WidgetDrawing::layDown(painter, bubble, region, presentation);
}

const QImage* CompanionBubble::pictureAtRest() {
    return opacity_ >= 1 && scale_ == 1 ? &picture() : nullptr;
}

const QImage& CompanionBubble::picture() {
    return drawing_.of(*this, [this](QPainter& onto) { draw(onto); });
}

// The palette's colours and the size it is drawn at are part of the drawing.
void CompanionBubble::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        drawing_.forget();
    }
}

QRect CompanionBubble::paintedArea() const {
    // Antialiased edges reach a pixel out; scaled by 1.003 about its foot, no part of a
    // bubble within the panel moves a whole point.
    constexpr double margin = 2;
    const CompanionBubbleLayout laidOut = layout();
    const QRectF body(laidOut.body.x, laidOut.body.y, laidOut.body.width, laidOut.body.height);
    const QRectF shadow =
        body.translated(CompanionBubbleLayout::shadowOffset, CompanionBubbleLayout::shadowOffset);
    // The turned square's half diagonal, outline included.
    const double reach = (CompanionBubbleLayout::tailSide + lineWidth_) * std::numbers::sqrt2 / 2;
    const QRectF tail(laidOut.tailCentreX - reach, laidOut.tailCentreY - reach, 2 * reach,
                      2 * reach);
    return (body | shadow | tail).adjusted(-margin, -margin, margin, margin).toAlignedRect();
}

void CompanionBubble::draw(QPainter& painter) const {
    paintCompanionBubble(painter, layout(), message_.kind, font_, cornerRadius_, lineWidth_);
}

} // namespace purlo
