#include "ui/OnboardingFurPicker.h"

#include "base/Enumeration.h"
#include "companion/PurloTheme.h"
#include "companion/qt/SurfaceAppearance.h"
#include "ui/AccessibleClick.h"
#include "ui/FocusRing.h"
#include "ui/KitFont.h"
#include "ui/PointerHover.h"
#include "ui/PurloText.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <utility>

namespace purlo {
namespace {

constexpr double trackRadius = 8;
constexpr int trackInset = 2;
constexpr int segmentPadding = 14;
constexpr int segmentHeight = 26;
// The chosen segment stands out from the track: white on light, a lighter grey on dark.
constexpr AppearanceColor chosenFill{PurloTheme::cardBackground.light, PurloTheme::border.dark};

QString skinTitle(CatSkinPreset skin) {
    const std::string_view name = title(skin);
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// One choice of the row: plain text, raised on a card-coloured face while chosen.
class FurSegment final : public QAbstractButton {
public:
    FurSegment(const QString& title, int width, QWidget* parent)
        : QAbstractButton(parent)
        , hover_(*this, [this](bool) { update(); }) {
        clickOnAccessibleActions<FurSegment>();
        setText(title);
        setCheckable(true);
        setFocusPolicy(Qt::TabFocus);
        setFont(kitFont(13, QFont::Medium));
        setFixedSize(width, segmentHeight);
    }

protected:
    // Choosing is left to the picker, which shows what was stored.
    void nextCheckState() override {}

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        if (isChecked()) {
            const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
            const double radius = trackRadius - trackInset;
            QPainterPath shadow;
            shadow.addRoundedRect(face.translated(0, 0.75), radius, radius);
            painter.fillPath(shadow, QColor::fromRgbF(0, 0, 0, 0.10f));
            QPainterPath path;
            path.addRoundedRect(face, radius, radius);
            painter.fillPath(path, themeQColor(chosenFill, *this));
            painter.setPen(QPen(themeQColor(PurloTheme::border, *this), 0.75));
            painter.drawPath(path);
        } else if (hover_.hovering()) {
            QPainterPath path;
            path.addRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), trackRadius - trackInset,
                                trackRadius - trackInset);
            painter.fillPath(path, themeQColor(PurloTheme::accentWash, *this));
        }
        painter.setFont(font());
        painter.setPen(
            themeQColor(isChecked() ? PurloTheme::primaryText : PurloTheme::secondaryText, *this));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
        // The segments sit edge to edge on the track: the ring goes inside the segment.
        if (hasFocus()) {
            paintFocusRingInside(painter, *this, QRectF(rect()), trackRadius - trackInset);
        }
    }

private:
    PointerHover hover_;
};

// The rounded ground the segments sit on.
class SegmentTrack final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath face;
        face.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), trackRadius,
                            trackRadius);
        painter.fillPath(face, themeQColor(PurloTheme::controlBackground, *this));
        painter.setPen(QPen(themeQColor(PurloTheme::border, *this), 1.0));
        painter.drawPath(face);
    }
};

} // namespace

OnboardingFurPicker::OnboardingFurPicker(Binding<CatSkinPreset> selection, QWidget* parent)
    : QWidget(parent)
    , selection_(std::move(selection)) {
    setAccessibleName(QStringLiteral("Fur"));
    auto* heading = new PurloText(QStringLiteral("Fur"), kitFont(13), PurloTheme::primaryText);
    auto* track = new SegmentTrack;
    auto* trackRow = new QHBoxLayout(track);
    trackRow->setContentsMargins(trackInset, trackInset, trackInset, trackInset);
    trackRow->setSpacing(0);

    // Every segment as wide as the widest title, as a segmented control draws them.
    const QFontMetrics metrics(kitFont(13, QFont::Medium));
    int widest = 0;
    for (const CatSkinPreset skin : allCases<CatSkinPreset>()) {
        widest = std::max(widest, metrics.horizontalAdvance(skinTitle(skin)));
    }
    for (const CatSkinPreset skin : allCases<CatSkinPreset>()) {
        auto* segment = new FurSegment(skinTitle(skin), widest + 2 * segmentPadding, track);
        connect(segment, &QAbstractButton::clicked, this, [this, skin] {
            selection_.set(skin);
            refresh();
        });
        trackRow->addWidget(segment);
        segments_.push_back(segment);
    }

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    row->addWidget(heading);
    row->addWidget(track);
    row->addStretch(1);
    refresh();
}

void OnboardingFurPicker::refresh() {
    const auto chosen = static_cast<std::size_t>(selection_());
    for (std::size_t index = 0; index < segments_.size(); ++index) {
        segments_[index]->setChecked(index == chosen);
    }
}

} // namespace purlo
