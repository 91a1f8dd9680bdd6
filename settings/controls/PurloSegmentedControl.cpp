#include "settings/controls/PurloSegmentedControl.h"

#include "companion/qt/SurfaceAppearance.h"
#include "ui/AccessibleClick.h"
#include "ui/FocusRing.h"
#include "ui/KitFont.h"
#include "ui/RoundedFace.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <utility>

namespace purlo {
namespace {

constexpr double segmentRadius = 7;
constexpr int segmentHorizontalPadding = 12;
constexpr int segmentVerticalPadding = 7;

QPainterPath roundedRect(const QRectF& rect, double radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

// One option: its text, on the accent while it is the chosen one. Choosing is left to
// the control, which shows what was stored.
class Segment final : public QAbstractButton {
public:
    Segment(const QString& title, QWidget* parent)
        : QAbstractButton(parent) {
        clickOnAccessibleActions<Segment>();
        setText(title);
        setCheckable(true);
        setFocusPolicy(Qt::TabFocus);
        setFont(kitFont(13, QFont::DemiBold));
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }

    QSize sizeHint() const override {
        const QFontMetricsF metrics(font());
        return {static_cast<int>(std::ceil(metrics.horizontalAdvance(text()))) +
                    2 * segmentHorizontalPadding,
                static_cast<int>(std::ceil(metrics.height())) + 2 * segmentVerticalPadding};
    }

protected:
    void nextCheckState() override {}

    bool hitButton(const QPoint& position) const override {
        return roundedRect(QRectF(rect()), segmentRadius).contains(QPointF(position));
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const double fillInset = hasFocus() ? double(focusRingRoom) : 0;
        if (isChecked()) {
            painter.fillPath(
                roundedRect(QRectF(rect()).adjusted(fillInset, fillInset, -fillInset, -fillInset),
                            segmentRadius - fillInset / 2),
                themeQColor(PurloTheme::accent, *this));
        }
        if (hasFocus()) {
            paintFocusRingInside(painter, *this, QRectF(rect()), segmentRadius);
        }
        painter.setFont(font());
        painter.setPen(
            themeQColor(isChecked() ? PurloTheme::onAccent : PurloTheme::secondaryText, *this));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
    }
};

} // namespace

PurloSegmentedControl::PurloSegmentedControl(OptionList options, QWidget* parent)
    : QWidget(parent)
    , selection_(std::move(options.selection)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(trackInset, trackInset, trackInset, trackInset);
    row->setSpacing(segmentSpacing);
    for (std::size_t index = 0; index < options.titles.size(); ++index) {
        auto* segment = new Segment(QString::fromStdString(options.titles[index]), this);
        connect(segment, &QAbstractButton::clicked, this, [this, index] {
            selection_.set(static_cast<int>(index));
            refresh();
        });
        row->addWidget(segment);
        segments_.push_back(segment);
    }
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    refresh();
}

void PurloSegmentedControl::refresh() {
    const int chosen = selection_();
    for (std::size_t index = 0; index < segments_.size(); ++index) {
        segments_[index]->setChecked(static_cast<int>(index) == chosen);
    }
}

void PurloSegmentedControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintRoundedFace(painter, QRectF(rect()), trackRadius,
                     themeQColor(PurloTheme::controlFill, *this),
                     themeQColor(PurloTheme::controlBorder, *this));
}

} // namespace purlo
