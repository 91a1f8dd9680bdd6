#include "settings/controls/ProfileChip.h"

#include "companion/PurloTheme.h"
#include "companion/qt/SurfaceAppearance.h"
#include "settings/controls/ColorDot.h"
#include "settings/controls/ElidedText.h"
#include "settings/controls/HexColor.h"
#include "ui/KitFont.h"
#include "ui/PurloIcon.h"
#include "ui/RoundedFace.h"
#include "ui/RunsOnReturn.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QPainter>
#include <QTextDocument>
#include <string_view>
#include <utility>

namespace purlo {
namespace {

constexpr int leadingPadding = 13;
constexpr int verticalPadding = 7;
constexpr int dotSpacing = 8;
constexpr int crossPadding = 8;
constexpr double crossSide = 12;
// The dot's ring keeps a dark fur apart from a dark chip.
constexpr ThemeColor dotRing = themeColor(0xFFFFFF, 0.3);

// The chip's own fur colours, brighter than the fur previews so a small dot reads.
std::string_view skinChipHex(CatSkinPreset skin) {
    switch (skin) {
    case CatSkinPreset::calico:
        return "#F2C88F";
    case CatSkinPreset::tuxedo:
        return "#404040";
    case CatSkinPreset::orange:
        return "#E99138";
    case CatSkinPreset::gray:
        return "#9FA7AE";
    case CatSkinPreset::midnight:
        return "#232D45";
    }
    return "";
}

// A borderless button that is only its content: the chip draws the ground.
class ChipPart final : public RunsOnReturn<QAbstractButton> {
public:
    using RunsOnReturn::RunsOnReturn;

protected:
    void paintEvent(QPaintEvent*) override {}
};

ChipPart* applyPart(const CatProfile& profile) {
    auto* part = new ChipPart;
    const QString name = QString::fromStdString(profile.name);
    part->setText(name);
    part->setAccessibleName(QStringLiteral("Use ") + name);
    auto* dot = new ColorDot(ProfileChip::dotDiameter, dotRing);
    dot->setFill(colorFromHex(skinChipHex(profile.skin)));
    auto* nameText = new ElidedText(name, kitFont(13, QFont::DemiBold), PurloTheme::primaryText);
    nameText->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* row = new QHBoxLayout(part);
    row->setContentsMargins(leadingPadding, verticalPadding, 0, verticalPadding);
    row->setSpacing(dotSpacing);
    row->addWidget(dot);
    row->addWidget(nameText);
    part->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return part;
}

// The cross alone shows; its name tells assistive technology what it removes.
class CrossPart final : public RunsOnReturn<QAbstractButton> {
public:
    explicit CrossPart(const QString& accessibleName) {
        setAccessibleName(accessibleName);
        setFixedWidth(static_cast<int>(crossSide) + 2 * crossPadding);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const QRectF area(QRectF(rect()).center() - QPointF(crossSide / 2, crossSide / 2),
                          QSizeF(crossSide, crossSide));
        const QPixmap cross =
            purloIcon("xmark", area.size(), themeQColor(PurloTheme::tertiaryText, *this),
                      devicePixelRatioF());
        QPainter(this).drawPixmap(area, cross, QRectF(cross.rect()));
    }
};

} // namespace

ProfileChip::ProfileChip(CatProfile profile, std::function<void()> apply,
                         std::function<void()> remove, QWidget* parent)
    : QWidget(parent)
    , profile_(std::move(profile))
    , hover_(*this, [this](bool) { update(); }) {
    setToolTip(QString::fromStdString(profile_.summary()));
    ChipPart* applyButton = applyPart(profile_);
    auto* removeButton =
        new CrossPart(QStringLiteral("Remove ") + QString::fromStdString(profile_.name));
    connect(applyButton, &QAbstractButton::clicked, this, [apply = std::move(apply)] { apply(); });
    connect(removeButton, &QAbstractButton::clicked, this,
            [remove = std::move(remove)] { remove(); });
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(applyButton);
    row->addWidget(removeButton);
    // As wide as its whole name where the column has room; narrower, the name gives way.
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
}

// The tooltip describes the look; while the name is shortened it also says the name whole,
// shown as typed, whatever marks it holds.
void ProfileChip::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QString summary = QString::fromStdString(profile_.summary());
    setToolTip(
        width() < sizeHint().width()
            ? Qt::convertFromPlainText(QString::fromStdString(profile_.name) + '\n' + summary)
            : summary);
}

void ProfileChip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintRoundedFace(
        painter, QRectF(rect()), height() / 2.0, themeQColor(PurloTheme::controlFill, *this),
        themeQColor(hovering() ? PurloTheme::accent : PurloTheme::controlBorder, *this));
}

} // namespace purlo
