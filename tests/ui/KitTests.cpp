#include "companion/qt/ThemeQColor.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/PurloAppIcon.h"
#include "ui/PurloComponents.h"
#include "ui/PurloIcon.h"
#include "ui/PurloIntervalField.h"
#include "ui/ReleasedWhenHidden.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QVBoxLayout>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using Kind = PurloButtonChrome::Kind;
using testing::click;
using testing::sendFocus;

TEST(PurloButtonChrome, StatesChangeOpacityLiftShadowAndOutlineByTheirOwnRules) {
    const struct {
        Kind kind;
        bool enabled, hovering, pressed;
        double opacity, lift;
        bool shadow;
        std::optional<AppearanceColor> outline;
    } cases[] = {
        {Kind::primary, true, false, false, 1.0, 0, true, std::nullopt},
        {Kind::primary, true, true, false, 1.0, 1, true, std::nullopt},
        {Kind::primary, true, true, true, 0.85, 0, true, std::nullopt},
        {Kind::primary, false, true, false, 0.45, 0, false, std::nullopt},
        {Kind::primary, false, true, true, 0.45, 0, false, std::nullopt},
        {Kind::ghost, true, false, false, 1.0, 0, false, PurloTheme::border},
        {Kind::ghost, true, true, false, 1.0, 1, false, PurloTheme::accent},
        {Kind::ghost, true, false, true, 0.85, 0, false, PurloTheme::border},
        // The outline follows the pointer alone, a disabled button's too.
        {Kind::ghost, false, true, false, 0.45, 0, false, PurloTheme::accent},
    };
    for (const auto& c : cases) {
        for (const bool compact : {false, true}) {
            const auto look =
                PurloButtonChrome::look(c.kind, compact, c.enabled, c.hovering, c.pressed);
            SCOPED_TRACE(::testing::Message() << "case " << &c - cases << " compact " << compact);
            EXPECT_EQ(look.opacity, c.opacity);
            EXPECT_EQ(look.lift, c.lift);
            EXPECT_EQ(look.shadow, c.shadow);
            EXPECT_EQ(look.outline, c.outline);
        }
    }
}

TEST(PurloButtonChrome, FollowsThePointerAndTheAppearanceOfItsWindow) {
    for (const bool dark : {false, true}) {
        QWidget window;
        window.setPalette(purloPalette(dark));
        PurloButtonChrome* button = PurloPrimaryButtonStyle{}.makeBody("Continue", &window);
        button->adjustSize();
        const QImage face = button->grab().toImage();
        EXPECT_EQ(face.pixelColor(6, face.height() / 2).rgb(),
                  themeQColor(PurloTheme::accent, dark).rgb())
            << dark;
        testing::enter(*button, true);
        EXPECT_EQ(button->currentLook().lift, 1);
        button->setEnabled(false);
        EXPECT_EQ(button->currentLook().lift, 0) << "a disabled button never lifts";
    }
}

TEST(PurloButtonChrome, OnlyTheButtonUnderThePointerLiftsAsButtonsComeGoAndMoveUnderIt) {
    QWidget window;
    window.resize(400, 100);
    PurloButtonChrome* back = PurloGhostButtonStyle{}.makeBody("Back", &window);
    PurloButtonChrome* next = PurloPrimaryButtonStyle{}.makeBody("Continue", &window);
    back->setGeometry(10, 10, 120, 40);
    next->setGeometry(200, 10, 120, 40);
    window.show();
    const QPoint overBack = back->mapToGlobal(back->rect().center());
    const struct {
        const char* step;
        std::function<void()> act;
        bool backLit, nextLit;
    } steps[] = {
        {"pointer on Back", [&] { testing::pointAt(overBack); }, true, false},
        {"Continue takes Back's place",
         [&] {
             back->move(200, 10);
             next->move(10, 10);
         },
         false, true},
        {"Continue hides", [&] { next->hide(); }, false, false},
        {"and comes back", [&] { next->show(); }, false, true},
        {"the pointer moves off both",
         [&] { testing::pointAt(window.mapToGlobal(QPoint(390, 90))); }, false, false},
    };
    for (const auto& [step, act, backLit, nextLit] : steps) {
        act();
        EXPECT_EQ(back->hovering(), backLit) << step;
        EXPECT_EQ(next->hovering(), nextLit) << step;
    }
    testing::movePointerAway();
}

TEST(PurloDisclosureGroup, TheWholeHeaderRowFoldsAndOpensTheContentAndKeepsItsChevronApart) {
    auto* label = new QLabel(QString(60, QChar('x')));
    auto* content = new QLabel("Details");
    std::unique_ptr<PurloDisclosureGroup> group(
        PurloTrailingDisclosureGroupStyle{}.makeBody(label, content));
    group->resize(group->minimumSizeHint().width(), 80);
    group->show();
    EXPECT_GE(group->chevron().geometry().left() - label->geometry().right() - 1, 3 * 12)
        << "the gap before the chevron, however long the label";
    EXPECT_FALSE(content->isVisible());
    QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(&group->header());
    ASSERT_NE(heard, nullptr);
    EXPECT_EQ(heard->text(QAccessible::Name), label->text()) << "named by its label";
    EXPECT_EQ(heard->text(QAccessible::Value), "Collapsed");
    EXPECT_TRUE(heard->state().expandable && heard->state().collapsed);

    group->resize(900, 80);
    // The empty middle of the row, between the label and the chevron.
    click(group->header(), QPointF(700, group->header().height() / 2.0));
    EXPECT_TRUE(group->isExpanded());
    EXPECT_TRUE(content->isVisible());
    EXPECT_EQ(heard->text(QAccessible::Value), "Expanded");
    EXPECT_TRUE(heard->state().expanded);
    click(group->header(), QPointF(5, 5));
    EXPECT_FALSE(content->isVisible());
    EXPECT_EQ(heard->text(QAccessible::Value), "Collapsed");
    // A screen reader's press opens it as a click does.
    heard->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(content->isVisible());
}

TEST(PurloText, PaintsInItsOwnColourWhereverItIsPlaced) {
    // A folding header is a button, whose text colour its children take unless told not to.
    const std::pair<const char*, std::function<QWidget*(QWidget*)>> holders[] = {
        {"a plain widget",
         [](QWidget* text) {
             auto* holder = new QWidget;
             (new QVBoxLayout(holder))->addWidget(text);
             return holder;
         }},
        {"a folding header",
         [](QWidget* text) {
             return PurloTrailingDisclosureGroupStyle{}.makeBody(text, new QLabel("Details"));
         }},
    };
    const QRgb tertiary = themeQColor(PurloTheme::tertiaryText, false).rgb();
    for (const auto& [name, hold] : holders) {
        SCOPED_TRACE(name);
        auto* text =
            new PurloText("Nothing is sent automatically.", QFont(), PurloTheme::tertiaryText);
        std::unique_ptr<QWidget> holder(hold(text));
        holder->resize(holder->sizeHint());
        const QImage picture =
            holder->grab(QRect(text->mapTo(holder.get(), QPoint(0, 0)), text->size())).toImage();
        int inColour = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                inColour += picture.pixel(x, y) == tertiary ? 1 : 0;
            }
        }
        EXPECT_GT(inColour, 10);
    }
}

TEST(ReleasedWhenHidden, AHiddenWindowGivesBackItsNativeWindowAndAShownOneKeepsIt) {
    ReleasedWhenHidden<QWidget> window;
    QWidget* child = new QWidget(&window);
    window.resize(120, 80);
    window.show();
    ASSERT_NE(window.windowHandle(), nullptr);
    window.hide();
    window.show(); // shown again before the loop turned: nothing is given back
    QCoreApplication::processEvents();
    EXPECT_NE(window.windowHandle(), nullptr);
    window.hide();
    QCoreApplication::processEvents();
    EXPECT_EQ(window.windowHandle(), nullptr);
    EXPECT_EQ(child->parentWidget(), &window) << "the widgets stay";
    window.show();
    EXPECT_TRUE(window.isVisible());
    EXPECT_NE(window.windowHandle(), nullptr);
    EXPECT_EQ(window.size(), QSize(120, 80));
}

TEST(PurloToggle, StoresEveryFlipAndShowsWhatWasStored) {
    bool stored = false;
    bool refuse = false;
    int writes = 0;
    PurloToggle toggle({[&] { return stored; },
                        [&](bool on) {
                            ++writes;
                            stored = refuse ? stored : on;
                        }},
                       "Eye tracking");
    toggle.resize(toggle.sizeHint());
    EXPECT_EQ(toggle.accessibleName(), "Eye tracking");
    EXPECT_TRUE(toggle.text().isEmpty()) << "the label is for assistive technology only";
    click(toggle);
    EXPECT_TRUE(stored);
    EXPECT_TRUE(toggle.isChecked());
    refuse = true;
    click(toggle);
    EXPECT_EQ(writes, 2);
    EXPECT_TRUE(toggle.isChecked()) << "the owner kept it on";
    stored = false;
    toggle.refresh();
    EXPECT_FALSE(toggle.isChecked());
}

// The number behind a field, as its owner keeps it: by default whatever it is offered.
struct Owner {
    std::int64_t stored = 30;
    int writes = 0;
    std::function<std::int64_t(std::int64_t)> keep = std::identity{};
    PurloIntervalField field{{[this] { return stored; },
                              [this](std::int64_t value) {
                                  stored = keep(value);
                                  ++writes;
                              }},
                             {5, 120},
                             "min"};

    void type(const QString& text) {
        sendFocus(field.textField(), QEvent::FocusIn);
        field.textField().setText(text);
    }
};

TEST(PurloIntervalField, ReturnCommitsWhatTheDraftStandsForAndShowsIt) {
    const struct {
        QString draft;
        std::int64_t stored;
    } cases[] = {
        {"45 min", 45}, {"-7", 7},
        {"3", 5},       {"500", 120},
        {"1 2 0", 120}, {"", 5},
        {"abc", 5},     {"99999999999999999999", 5},
        {"\u00BD", 5},                       // a vulgar fraction is numeric but no ASCII digit
        {"\u0663", 5},                       // so is an Arabic-Indic three
        {"1\u00BD", 5}, {"\u2167 hours", 5}, // a Roman numeral
        {"2.5", 25},
    };
    for (const auto& [draft, stored] : cases) {
        Owner owner;
        owner.type(draft);
        testing::pressKey(owner.field.textField(), Qt::Key_Return);
        EXPECT_EQ(owner.stored, stored) << draft.toStdString();
        EXPECT_EQ(owner.writes, 1) << draft.toStdString();
        EXPECT_EQ(owner.field.draft(), QString::number(stored)) << draft.toStdString();
    }
}

TEST(PurloIntervalField, LosingFocusCommitsButChangesFromElsewhereWaitWhileTheUserTypes) {
    Owner owner;
    EXPECT_EQ(owner.field.draft(), "30");
    owner.type("45 min");
    owner.stored = 90;
    owner.field.valueDidChange();
    EXPECT_EQ(owner.field.draft(), "45 min") << "the text being typed is left alone";
    EXPECT_TRUE(owner.field.focused());
    sendFocus(owner.field.textField(), QEvent::FocusOut);
    EXPECT_FALSE(owner.field.focused());
    EXPECT_EQ(owner.stored, 45) << "the draft is committed over the outside change";
    EXPECT_EQ(owner.field.draft(), "45");

    owner.stored = 60;
    owner.field.valueDidChange();
    EXPECT_EQ(owner.field.draft(), "60") << "unfocused, the field shows the new value at once";
    owner.type("60");
    sendFocus(owner.field.textField(), QEvent::FocusOut);
    EXPECT_EQ(owner.writes, 2) << "an unchanged number is stored too";
}

TEST(PurloIntervalField, ShowsWhatItsOwnerStoredNotWhatItOffered) {
    Owner rounding;
    rounding.keep = [](std::int64_t value) {
        return value / 5 * 5;
    };
    rounding.type("47");
    testing::pressKey(rounding.field.textField(), Qt::Key_Return);
    EXPECT_EQ(rounding.stored, 45);
    EXPECT_EQ(rounding.field.draft(), "45");

    Owner refusing;
    refusing.keep = [&refusing](std::int64_t) {
        return refusing.stored;
    };
    refusing.type("80");
    sendFocus(refusing.field.textField(), QEvent::FocusOut);
    EXPECT_EQ(refusing.field.draft(), "30");
}

// A click on the box's padding, above, below or beside the digits, puts the typing in
// the field, as a click on the digits does.
TEST(PurloIntervalField, AClickAnywhereOnTheBoxTypesIntoTheField) {
    const struct {
        const char* where;
        double x, y; // as parts of the box's width and height
    } clicks[] = {{"just above the bottom edge", 0.5, 0.95},
                  {"just under the top edge", 0.5, 0.05},
                  {"beside the digits", 0.04, 0.5}};
    for (const auto& place : clicks) {
        Owner owner;
        owner.field.show();
        owner.field.activateWindow();
        testing::settle();
        const QLineEdit& digits = owner.field.textField();
        QWidget& box = *digits.parentWidget();
        const QPoint point(static_cast<int>(box.width() * place.x),
                           static_cast<int>(box.height() * place.y));
        QWidget* under = owner.field.childAt(box.mapTo(&owner.field, point));
        ASSERT_NE(under, nullptr) << place.where;
        click(*under, QPointF(under->mapFrom(&box, point)));
        QWidget* typing = QApplication::focusWidget();
        ASSERT_EQ(typing, &digits) << place.where;
        testing::typeInto(*typing, "10");
        testing::pressKey(*typing, Qt::Key_Return);
        EXPECT_EQ(owner.stored, 10) << place.where;
        EXPECT_EQ(owner.field.draft(), "10") << place.where;
    }
}

int tintedPixelCount(const QImage& image, QRgb tint) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() == 255) {
                count += pixel.rgb() == tint ? 1 : 1000;
            }
        }
    }
    return count;
}

TEST(PurloIcon, KnownSymbolsDrawInTheTintAtTheirPixelSizeAndNothingElseDraws) {
    // Unknown symbols, paths out of the icon folder and empty sizes draw nothing.
    EXPECT_TRUE(purloIcon("no.such.symbol", QSizeF(18, 18), Qt::white).isNull());
    EXPECT_TRUE(purloIcon("../Fonts/Silkscreen-Regular", QSizeF(18, 18), Qt::white).isNull());
    EXPECT_TRUE(purloIcon("pawprint.fill", QSizeF(0, 0), Qt::white).isNull());
    const QPixmap paw = purloIcon("pawprint.fill", QSizeF(18, 18), QColor(0x20, 0x23, 0x22), 2.0);
    ASSERT_FALSE(paw.isNull()) << "Icons/pawprint.fill.svg is not installed beside the tests";
    EXPECT_EQ(paw.size(), QSize(36, 36));
    const int solid = tintedPixelCount(paw.toImage(), qRgb(0x20, 0x23, 0x22));
    EXPECT_GT(solid, 50);
    EXPECT_LT(solid, 1000) << "a fully opaque pixel in another colour than the tint";
}

// The tray's icon is drawn when the panel asks, at the size it asks for: never one drawn
// for another size and scaled, and in a place of another shape, square and centred.
TEST(PurloAppIcon, DrawsThePawAtTheSizeAskedForWhenAsked) {
    const QIcon icon = purloAppIcon();
    EXPECT_FALSE(icon.availableSizes().isEmpty()) << "a tray that asks which sizes there are";
    const qreal ratio = qApp->devicePixelRatio();
    for (const int side : {16, 22, 28, 22, 144}) {
        EXPECT_EQ(icon.pixmap(QSize(side, side)).toImage(),
                  purloPawPixmap(static_cast<int>(std::lround(side * ratio))).toImage())
            << side;
    }
    QImage place(40, 28, QImage::Format_ARGB32_Premultiplied);
    place.fill(Qt::transparent);
    QImage expected = place;
    QPainter painter(&place);
    icon.paint(&painter, place.rect());
    painter.end();
    QPainter centred(&expected);
    centred.drawPixmap(6, 0, purloPawPixmap(28));
    centred.end();
    EXPECT_EQ(place, expected);
}

TEST(PurloStatusPill, EachVariantDrawsItsBadgeAndTextInItsColourWithAWhiteSymbol) {
    using Variant = PurloStatusPill::Variant;
    const std::pair<Variant, ThemeColor> variants[] = {
        {Variant::ok, PurloTheme::statusGreen},
        {Variant::warn, PurloTheme::statusOrange},
        {Variant::never, PurloTheme::statusGray},
        {Variant::pending, PurloTheme::statusBlue},
    };
    // Pixels at least this much lighter than the colour: the symbol's smoothed strokes.
    const auto lighter = [](const QImage& image, QRgb than, int by) {
        int found = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                found += qGray(image.pixel(x, y)) >= qGray(than) + by ? 1 : 0;
            }
        }
        return found;
    };
    for (const auto& [variant, color] : variants) {
        SCOPED_TRACE(static_cast<int>(variant));
        PurloStatusPill pill(variant, "Allowed");
        pill.resize(pill.sizeHint());
        QImage picture(pill.size(), QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        pill.render(&picture);
        const QRgb tint = themeQColor(color).rgba();
        const int middle = pill.height() / 2;
        EXPECT_EQ(picture.pixel(2, middle), tint) << "the badge";
        EXPECT_GT(lighter(picture.copy(4, middle - 5, 10, 10), tint, 40), 4) << "its symbol";
        const int textStart =
            static_cast<int>(PurloStatusPill::badgeDiameter + PurloStatusPill::spacing);
        const QImage text = picture.copy(textStart, 0, 30, pill.height());
        int inTint = 0;
        for (int y = 0; y < text.height(); ++y) {
            for (int x = 0; x < text.width(); ++x) {
                inTint += text.pixel(x, y) == tint ? 1 : 0;
            }
        }
        EXPECT_GT(inTint, 4) << "the text";
    }
}

} // namespace
} // namespace purlo
