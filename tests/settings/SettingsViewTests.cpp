#include "base/UnicodeText.h"
#include "companion/qt/PurloCharacterPreview.h"
#include "companion/qt/ThemeQColor.h"
#include "settings/SettingsSidebar.h"
#include "settings/SettingsSidebarRow.h"
#include "settings/SettingsView.h"
#include "settings/controls/ElidedText.h"
#include "settings/controls/FurSwatch.h"
#include "settings/controls/ProfileChip.h"
#include "tests/companion/BuildFolder.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/support/qt/PicturePixels.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/PurloPalette.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextBoundaryFinder>
#include <QTextDocumentFragment>
#include <algorithm>
#include <functional>
#include <set>

namespace purlo {
namespace {

using testing::accessible;
using testing::settle;
using testing::shownTexts;
using testing::shownWidgets;

// The Settings window's content over a runtime on fakes, with a router of its own.
struct Window {
    explicit Window(bool dark = false) {
        harness.appearance.dark = dark;
        harness.appearance.reducesMotion = true; // one still frame of the cat
        view.setPalette(purloPalette(dark));
        view.resize(SettingsView::contentSize);
    }
    // The row of that title; the page that scrolls below the heading is heard by the same
    // name.
    SettingsSidebarRow& row(const char* title) const {
        const QList<SettingsSidebarRow*> rows = shownWidgets<SettingsSidebarRow>(view);
        const auto found = std::ranges::find(rows, QString(title), &QWidget::accessibleName);
        EXPECT_NE(found, rows.end()) << "no sidebar row \"" << title << "\"";
        return **found;
    }
    // The heading is the one text shown that names a tab (the rows draw their own).
    QString heading() const {
        QStringList headings;
        for (const QString& text : shownTexts(view)) {
            if (fromString<SettingsSectionTab>(text.toLower().toStdString())) {
                headings.push_back(text);
            }
        }
        EXPECT_EQ(headings.size(), 1) << headings.join(", ").toStdString();
        return headings.value(0);
    }
    bool showsPreview() const { return !shownWidgets<PurloCharacterPreview>(view).isEmpty(); }

    testing::RuntimeHarness harness;
    PurloSettingsRouter router;
    SettingsView view{harness.runtime(), router, harness.appearance};
};

TEST(SettingsView, SevenRowsInTwoGroupsEachWithItsOwnIdentifier) {
    const Window window;
    QStringList rows;
    for (const SettingsSidebarRow* row : shownWidgets<SettingsSidebarRow>(window.view)) {
        rows.push_back(row->accessibleName() + " " + row->objectName());
    }
    EXPECT_EQ(rows,
              (QStringList{"Appearance settings.sidebar.appearance",
                           "Behavior settings.sidebar.behavior", "Focus settings.sidebar.focus",
                           "Agent settings.sidebar.agent", "Privacy settings.sidebar.privacy",
                           "Help settings.sidebar.help", "About settings.sidebar.about"}));
    EXPECT_EQ(shownTexts(window.view.sidebar()), (QStringList{"Purlo", "Support"}));
}

TEST(SettingsView, ARowChosenInTheSidebarShowsItsHeadingAndOnlyAppearanceShowsTheCat) {
    Window window;
    EXPECT_EQ(window.heading(), "Appearance");
    EXPECT_TRUE(window.showsPreview());
    EXPECT_TRUE(window.row("Appearance").isChecked());

    for (const std::string title : {"Behavior", "Appearance", "About", "Focus"}) {
        testing::click(window.row(title.c_str()));
        EXPECT_EQ(toString(*window.router.selectedTab()), lowercased(title));
        EXPECT_EQ(window.heading().toStdString(), title);
        EXPECT_EQ(window.showsPreview(), title == "Appearance") << title;
        EXPECT_EQ(std::ranges::count_if(
                      shownWidgets<SettingsSidebarRow>(window.view),
                      [](const SettingsSidebarRow* shown) { return shown->isChecked(); }),
                  1);
    }

    // The empty space under the last row, and a click on the chosen row, keep the choice.
    SettingsSidebar& sidebar = window.view.sidebar();
    testing::click(sidebar, QPointF(sidebar.width() / 2.0, sidebar.height() - 8.0));
    testing::click(window.row("Focus"));
    EXPECT_EQ(*window.router.selectedTab(), SettingsSectionTab::focus);
    EXPECT_TRUE(window.row("Focus").isChecked());
}

TEST(SettingsView, FollowsTheRouterAndMakesAPageAfreshOnlyForAnotherTab) {
    Window window;
    window.router.setSelectedTab(SettingsSectionTab::agent);
    EXPECT_TRUE(window.row("Agent").isChecked());
    EXPECT_EQ(window.heading(), "Agent");
    EXPECT_FALSE(window.showsPreview());

    QPointer page = &window.view.page();
    window.router.setSelectedTab(SettingsSectionTab::agent);
    settle();
    EXPECT_EQ(&window.view.page(), page.get()) << "the same tab again keeps its page";
    window.router.setSelectedTab(SettingsSectionTab::help);
    window.router.setSelectedTab(SettingsSectionTab::agent);
    settle();
    EXPECT_TRUE(page.isNull()) << "a page left behind goes";
    EXPECT_NE(&window.view.page(), nullptr);
}

// A screen reader that still holds the page's scrolling area's count from before a switch
// of tabs asks for its children up to and past that count, as it would after the switch
// hid or showed the scroll bar: the count never changes, so what it holds stays true, and a
// child past it is nothing, never a crash.
TEST(SettingsView, TheScrollingAreaKeepsItsChildrenAcrossTabsAndAnswersPastThemWithNothing) {
    Window window;
    window.view.show();
    settle();
    QScrollArea* area = window.view.findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(area);
    ASSERT_NE(reader, nullptr);
    const int count = reader->childCount();
    std::set<bool> scrollBarShown;
    for (const char* title :
         {"Focus", "Agent", "Focus", "Privacy", "Help", "About", "Appearance"}) {
        SCOPED_TRACE(title);
        testing::click(window.row(title));
        settle();
        scrollBarShown.insert(area->verticalScrollBar()->isVisible());
        EXPECT_EQ(reader->childCount(), count);
        for (int index = 0; index <= count; ++index) {
            const QAccessibleInterface* child = reader->child(index);
            EXPECT_EQ(child != nullptr, index < count) << "child " << index << " of " << count;
            if (child != nullptr) {
                EXPECT_EQ(reader->indexOfChild(child), index);
                EXPECT_EQ(child->parent()->object(), area);
            }
        }
    }
    EXPECT_EQ(scrollBarShown.size(), 2u) << "some tab is short enough to hide the scroll bar";
}

// A row chosen through assistive technology, as a screen reader's "Toggle" does, shows
// its tab as a click does.
TEST(SettingsView, ARowToggledByAssistiveTechnologyShowsItsTab) {
    Window window;
    for (const std::string title : {"Agent", "About", "Appearance"}) {
        QAccessibleInterface* row =
            QAccessible::queryAccessibleInterface(&window.row(title.c_str()));
        ASSERT_NE(row, nullptr);
        QAccessibleActionInterface* actions = row->actionInterface();
        ASSERT_NE(actions, nullptr);
        ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()))
            << actions->actionNames().join(", ").toStdString();
        actions->doAction(QAccessibleActionInterface::toggleAction());
        settle();
        EXPECT_TRUE(window.row(title.c_str()).isChecked()) << title;
        EXPECT_EQ(toString(*window.router.selectedTab()), lowercased(title));
        EXPECT_EQ(window.heading().toStdString(), title);
    }
}

// However many looks are saved, and however many rows their chips wrap into, the page
// grows to hold them and every fur tile keeps its whole circle and its name.
TEST(SettingsView, SavedLooksNeverSquashTheFurTiles) {
    for (const int looks : {0, 5, 20}) {
        Window window;
        for (int index = 0; index < looks; ++index) {
            window.harness.runtime().saveCatProfile("Look number " + std::to_string(index + 1));
        }
        window.view.show();
        settle();
        const QList<FurSwatch*> tiles = shownWidgets<FurSwatch>(window.view);
        ASSERT_EQ(tiles.size(), 5);
        for (const FurSwatch* tile : tiles) {
            const QString what = QString("%1 looks, %2").arg(looks).arg(tile->text());
            EXPECT_EQ(tile->height(), tile->sizeHint().height()) << what.toStdString();
            EXPECT_EQ(tile->visibleRegion().boundingRect(), tile->rect()) << what.toStdString();
            EXPECT_GE(tile->cardRect().width(),
                      QFontMetricsF(tile->font()).horizontalAdvance(tile->text()))
                << what.toStdString();
        }
        const QList<ProfileChip*> chips = shownWidgets<ProfileChip>(window.view);
        ASSERT_EQ(chips.size(), looks);
        for (const ProfileChip* chip : chips) {
            EXPECT_EQ(chip->height(), chip->sizeHint().height());
            EXPECT_TRUE(window.view.page().rect().contains(
                QRect(chip->mapTo(&window.view.page(), QPoint()), chip->size())))
                << looks << " looks: the page holds every chip";
        }
    }
}

// Where the page shows each control, by its kind and name, left to right and top to
// bottom, and how wide the page is; the saved looks' chips left out.
struct PagePlaces {
    int pageWidth;
    std::vector<std::pair<QString, QRect>> controls;
    friend bool operator==(const PagePlaces&, const PagePlaces&) = default;
    friend void PrintTo(const PagePlaces& places, std::ostream* out) {
        *out << "page " << places.pageWidth << " wide;";
        for (const auto& [control, place] : places.controls) {
            *out << " " << control.toStdString() << " (" << place.x() << ", " << place.y() << ", "
                 << place.width() << " x " << place.height() << ")";
        }
    }
};

PagePlaces pagePlaces(const SettingsView& view) {
    PagePlaces places{view.page().width(), {}};
    for (const QWidget* control : shownWidgets<QWidget>(view.page())) {
        if ((control->focusPolicy() & Qt::TabFocus) && !qobject_cast<const ProfileChip*>(control) &&
            !qobject_cast<const ProfileChip*>(control->parentWidget())) {
            places.controls.emplace_back(QString(control->metaObject()->className()) + " " +
                                             control->accessibleName(),
                                         QRect(control->mapTo(&view, QPoint()), control->size()));
        }
    }
    return places;
}

// However long a saved look's name, its chip never makes Appearance wider than its column:
// the name is shortened with "…" where the column ends, never inside a character, and said
// whole in the chip's tooltip and to a screen reader, the cross to remove it still there.
// The page and every control keep the places they have beside a short name.
TEST(SettingsView, ALongSavedLookNameIsShortenedInItsChipAndMovesNothing) {
    const auto shown = [](const std::string& name, const std::function<void(Window&)>& check) {
        Window window;
        window.harness.runtime().saveCatProfile(name);
        window.view.show();
        settle();
        check(window);
    };
    PagePlaces reference{};
    shown("Nap", [&](Window& window) { reference = pagePlaces(window.view); });
    ASSERT_FALSE(reference.controls.empty());

    std::string seventy;
    while (seventy.size() < 70) {
        seventy += "Sunday afternoon ";
    }
    seventy.resize(70);
    std::string cats;
    for (int cat = 0; cat < 60; ++cat) {
        cats += "\U0001F408\u200D\u2B1B"; // a black cat, one character of three code points
    }
    const std::pair<const char*, std::string> names[] = {
        {"70-characters", seventy}, {"200-characters", std::string(200, 'W')}, {"emoji", cats}};
    for (const auto& [label, name] : names) {
        SCOPED_TRACE(label);
        shown(name, [&](Window& window) {
            EXPECT_EQ(pagePlaces(window.view), reference);
            const QList<ProfileChip*> chips = shownWidgets<ProfileChip>(window.view);
            ASSERT_EQ(chips.size(), 1);
            ProfileChip& chip = *chips[0];
            const QWidget& page = window.view.page();
            const QRect chipPlace(chip.mapTo(&page, QPoint()), chip.size());
            EXPECT_TRUE(page.rect().contains(chipPlace)) << "the chip stays in the column";

            const QString whole = QString::fromStdString(name);
            const QString tip = Qt::mightBeRichText(chip.toolTip())
                                    ? QTextDocumentFragment::fromHtml(chip.toolTip()).toPlainText()
                                    : chip.toolTip();
            EXPECT_TRUE(tip.contains(whole)) << tip.toStdString();
            EXPECT_NE(accessible(chip, "Use " + whole), nullptr);
            const QWidget* cross = accessible(chip, "Remove " + whole);
            ASSERT_NE(cross, nullptr);
            EXPECT_TRUE(chip.rect().contains(QRect(cross->mapTo(&chip, QPoint()), cross->size())))
                << "the cross is whole";

            const ElidedText* text = shownWidgets<ElidedText>(chip).value(0);
            ASSERT_NE(text, nullptr);
            const QString kept = text->shownText();
            ASSERT_TRUE(kept.endsWith(QStringLiteral("…"))) << kept.toStdString();
            const QString start = kept.chopped(1);
            EXPECT_TRUE(whole.startsWith(start));
            QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, whole);
            characters.setPosition(static_cast<int>(start.size()));
            EXPECT_TRUE(characters.isAtBoundary()) << "cut between whole characters";
            EXPECT_LE(QFontMetricsF(text->font()).horizontalAdvance(kept), text->width());

            if (const auto artifacts = testing::artifactsFolder()) {
                window.view.findChild<QScrollArea*>()->ensureWidgetVisible(&chip);
                settle();
                window.view.grab().save(
                    artifacts->filePath(QString("saved-look-%1.png").arg(label)));
            }
        });
    }
}

// The band under the heading keeps its place and height; the cat stands 12 points above
// its bottom and, at 120 %, rises 12 points past its top, whole.
TEST(SettingsView, TheCatAboveAppearanceGrowsPastTheBandAndIsNeverCut) {
    const struct {
        double scale;
        int aboveBand; // how far her frame's top rises above the band's top
    } sizes[] = {{1.0, -18}, {1.2, 12}};
    for (const auto& [scale, aboveBand] : sizes) {
        Window window;
        PurloSettings settings = *window.harness.runtime().settings();
        settings.companionScale = scale;
        window.harness.runtime().setSettings(settings);
        window.view.show();
        settle();
        const auto* preview = shownWidgets<PurloCharacterPreview>(window.view).value(0);
        ASSERT_NE(preview, nullptr);
        const QRect band =
            preview->band().toRect().translated(preview->mapTo(&window.view, QPoint()));
        const QLabel* heading =
            testing::shownWith(window.view, &QLabel::text, QStringLiteral("Appearance"));
        ASSERT_NE(heading, nullptr);
        EXPECT_EQ(band.top() - heading->mapTo(&window.view, QPoint(0, heading->height())).y(), 12)
            << scale;
        EXPECT_EQ(band.height(), 180) << scale;

        const QWidget& cat = preview->catView();
        EXPECT_TRUE(preview->rect().contains(cat.geometry())) << scale << ": nothing cuts her";
        const QRect drawn(cat.mapTo(&window.view, QPoint()), cat.size());
        EXPECT_EQ(band.top() - drawn.top(), aboveBand) << scale;
        EXPECT_EQ(band.bottom() - drawn.bottom(), 12) << scale;
    }
}

// The window as a person sees it in both appearances, active, is kept for a person to
// look at; the chosen row stands out on the accent only while its window is the active one.
TEST(SettingsView, TheChosenRowTakesTheAccentOnlyWhileItsWindowIsActive) {
    for (const bool dark : {false, true}) {
        Window window(dark);
        QWidget other;
        window.view.show();
        window.view.activateWindow();
        settle();
        ASSERT_TRUE(window.view.isActiveWindow()) << "the offscreen platform activates windows";
        const QImage picture = window.view.grab().toImage();
        if (const auto artifacts = testing::artifactsFolder()) {
            picture.save(artifacts->filePath(dark ? "settings-dark.png" : "settings-light.png"));
        }
        const auto theme = [dark](const AppearanceColor& color) {
            return themeQColor(color, dark).rgb();
        };
        const SettingsSidebarRow& chosen = window.row("Appearance");
        const QPoint inRow = chosen.mapTo(&window.view, QPoint(chosen.width() - 6, 4));
        EXPECT_EQ(testing::pixelAt(picture, inRow), theme(PurloTheme::accent));
        EXPECT_EQ(chosen.foreground().rgb(), theme(PurloTheme::onAccent));
        EXPECT_EQ(window.row("Agent").foreground().rgb(), theme(PurloTheme::primaryText));
        EXPECT_EQ(testing::pixelAt(picture, {4, SettingsView::contentSize.height() - 4}),
                  theme(PurloTheme::controlFill));
        EXPECT_EQ(testing::pixelAt(picture, {SettingsView::contentSize.width() - 4, 4}),
                  theme(PurloTheme::windowBackground));

        // What the window shows, as last painted: the row must repaint itself when its
        // window goes to the back and comes to the front again, also while the keyboard
        // is elsewhere in the window (a row losing the focus repaints anyway).
        window.view.setFocus();
        settle();
        const auto onScreen = [&window] {
            return testing::windowPixels(window.view);
        };
        EXPECT_EQ(testing::pixelAt(onScreen(), inRow), theme(PurloTheme::accent));
        other.show();
        other.activateWindow();
        settle();
        ASSERT_FALSE(window.view.isActiveWindow());
        EXPECT_EQ(testing::pixelAt(onScreen(), inRow), theme(PurloTheme::border));
        EXPECT_EQ(chosen.foreground().rgb(), theme(PurloTheme::primaryText));
        window.view.activateWindow();
        settle();
        EXPECT_EQ(testing::pixelAt(onScreen(), inRow), theme(PurloTheme::accent));
        EXPECT_EQ(chosen.foreground().rgb(), theme(PurloTheme::onAccent));
    }
}

} // namespace
} // namespace purlo
