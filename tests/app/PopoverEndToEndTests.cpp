#include "platform/Clock.h"
#include "tests/app/ScreenReader.h"
#include "ui/PurloMenuBarView.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>
// Last, so that its macros meet none of the headers above.
#include "tests/app/RealProgram.h"

namespace purlo {
namespace {

using testing::Profile;
using testing::Purlo;
using testing::ReadOut;
using testing::ScreenReader;

// The real program with the paw in a tray along one edge of the screen, at a scale, read
// by a screen reader.
class PopoverOnScreen : public testing::OnTestDisplay {
protected:
    struct Session {
        Session(PopoverOnScreen& test, const char* edge, double scale)
            : screen(test.screen)
            , tray(screen, edge)
            , reader(testing::environmentOf(profile))
            , scale(scale) {
            for (const auto& [variable, value] : reader.programEnvironment()) {
                profile.environment[variable] = value;
            }
            profile.environment["QT_SCALE_FACTOR"] = std::to_string(scale);
            purlo.emplace(profile, screen.name);
            paw = tray.withPaw(screen);
        }
        // Opens the popover with a click on the paw; its window as the screen reader reads
        // it, once it shows.
        std::optional<ReadOut> open() {
            screen.click(paw->center());
            return reader.window("Purlo");
        }
        // Where the popover's window is on the screen.
        std::optional<QRect> popover() const {
            const int width = static_cast<int>(std::lround(PurloMenuBarView::fixedWidth * scale));
            return screen.window({width, 0});
        }
        std::optional<ReadOut> row(const ReadOut& window, const char* title) const {
            return reader.find(window.object, "push button", QString::fromUtf8(title));
        }
        // Where the middle of the popover's row of that title is on the screen. Qt's bridge
        // tells where things are in points, not in the screen's pixels.
        QPoint middleOf(const ReadOut& window, const char* title) const {
            const auto found = row(window, title);
            EXPECT_TRUE(found) << "no row \"" << title << "\" shows";
            const QPointF middle = QRectF(found.value_or(ReadOut()).extents).center() * scale;
            return middle.toPoint();
        }
        // The header's second line, where a row's message stands in for the status for
        // less than three seconds.
        ReadOut statusLine(const ReadOut& window) const {
            int labels = 0;
            for (const ReadOut& out : reader.shownBelow(window.object)) {
                if (out.role == "label" && ++labels == 2) {
                    return out;
                }
            }
            ADD_FAILURE() << "the header has no second line";
            return {};
        }
        QString says(const ReadOut& line) const { return reader.read(line.object).name; }
        // What the line was read to say as each change of it was heard, from the reader's
        // first told change on: a busy reader hears late, and then reads what came after.
        QStringList toldOf(const ReadOut& line, std::size_t first) const {
            QStringList names;
            const auto& changes = reader.nameChanges();
            for (auto change = changes.begin() + first; change != changes.end(); ++change) {
                if (change->object.path == line.object.path) {
                    names.push_back(change->name);
                }
            }
            return names;
        }
        // Once the popover holds still, the hand rests on its header, off every row: what
        // comes under the hand next is brought there by the hand, as before a person's next
        // click. A press within the double-click interval of a row coming under a still
        // pointer is taken as aimed at what was there before, and a busy machine may tell the
        // program late that the popover moved.
        void restHandOnHeader() {
            ASSERT_TRUE(ScreenReader::settles([this] { return popover(); }, 500))
                << "the popover holds still";
            const QRect placed = popover().value_or(QRect());
            screen.click({placed.center().x(), placed.top() + 12}, false);
        }
        // When the stored nap ends; none while she is awake.
        std::optional<Date> napEnd() const {
            FileKeyValueStore store(configFolder(profile.environment));
            return PurloSettings::load(store).settings.nap.until;
        }

        testing::Screen& screen;
        Profile profile{true};
        testing::Tray tray;
        ScreenReader reader;
        double scale;
        std::optional<Purlo> purlo;
        std::optional<QRect> paw;
    };

    // The session, once everything it needs runs; a skip when something is missing here.
    std::unique_ptr<Session> start(const char* edge, double scale = 1) {
        auto session = std::make_unique<Session>(*this, edge, scale);
        if (!session->tray.running) {
            ADD_FAILURE() << "trayer does not run here";
        } else if (!session->reader.running()) {
            ADD_FAILURE() << "the accessibility bus does not start here (dbus-daemon and "
                             "at-spi2-core)";
        } else if (!session->paw) {
            ADD_FAILURE() << "the paw never took its place in the tray";
        } else {
            return session;
        }
        return nullptr;
    }
};

TEST_F(PopoverOnScreen, AScreenReaderFindsTheOpenPopoverAsAWindowAndEveryRowByItsName) {
    const auto session = start("top");
    ASSERT_TRUE(session);
    const auto window = session->open();
    ASSERT_TRUE(window) << "the open popover is a window of the program";
    const auto popover = session->popover();
    ASSERT_TRUE(popover);
    EXPECT_EQ(window->extents, *popover);

    std::vector<std::pair<std::string, std::string>> read;
    for (const ReadOut& out : session->reader.shownBelow(window->object)) {
        if (out.role == "label" || out.role == "push button") {
            read.emplace_back(out.role.toStdString() + " " + out.name.toStdString(),
                              out.description.toStdString());
            EXPECT_TRUE(popover->contains(out.extents)) << out.name.toStdString();
        }
    }
    const std::vector<std::pair<std::string, std::string>> expected{
        {"label Purlo", ""},
        {"label purring along", ""},
        {"push button Hide Purlo", "Ctrl+H"},
        {"push button Pet Purlo", ""},
        {"push button Agent done", ""},
        {"push button Mark small win", ""},
        {"push button Nap", ""},
        {"push button Stretch now", ""},
        {"push button Reset position", ""},
        {"push button Start focus", ""},
        {"push button Settings…", "Ctrl+,"},
        {"push button Quit Purlo", "Ctrl+Q"},
    };
    EXPECT_EQ(read, expected);
    EXPECT_TRUE(ScreenReader::waitFor([&] {
        return session->reader.activatedWindows().contains("Purlo");
    })) << "told that the popover's window came";
}

// A twenty-minute nap stored by a choice the program took between from and to, by the
// clock it reads too: how long the test then takes to read it, a busy machine decides.
void expectTwentyMinuteNapChosenBetween(std::optional<Date> end, Date from, Date to) {
    ASSERT_TRUE(end) << "a nap is stored";
    EXPECT_GE(end->secondsSinceReferenceDate,
              from.addingSeconds(20 * 60).secondsSinceReferenceDate);
    EXPECT_LE(end->secondsSinceReferenceDate, to.addingSeconds(20 * 60).secondsSinceReferenceDate);
}

TEST_F(PopoverOnScreen, FromTheKeyboardAloneNapAndThenQuickCatnapStartATwentyMinuteNap) {
    const auto session = start("top");
    ASSERT_TRUE(session);
    const auto window = session->open();
    ASSERT_TRUE(window);
    for (int row = 0; row < 5; ++row) {
        screen.key("Down");
    }
    EXPECT_TRUE(ScreenReader::waitFor([&] {
        const auto nap = session->row(*window, "Nap");
        return nap && nap->focused;
    })) << "the fifth row down is \"Nap\", and the screen reader hears of it";
    if (const auto popover = session->popover()) {
        screen.shows("popover-keyboard-on-nap", popover->adjusted(-8, -8, 8, 8),
                     [](const QImage&) { return true; });
    }
    const ReadOut status = session->statusLine(*window);
    const Date chosen = SystemClock().now();
    screen.key("Return");
    screen.key("Down");
    screen.key("Return");
    // The status that follows the choice's message: the message itself stands for less than
    // three seconds, and its words are the popover's own tests' to check.
    EXPECT_TRUE(ScreenReader::waitFor([&] { return session->says(status) == "napping 20m"; }))
        << session->says(status).toStdString();
    expectTwentyMinuteNapChosenBetween(session->napEnd(), chosen, SystemClock().now());
}

// Two clicks of a still hand, sent to the X server at once: it stamps them as it takes them,
// one right after the other, well within the double-click interval however busy the machine.
// Spaced by a sleep in this test, or by a wait in the server, they came as far apart as the
// busy machine let either run again, past the interval at times, and then they were two
// single clicks.
void doubleClick(testing::Screen& screen, QPoint at) {
    XTestFakeMotionEvent(screen.display, 0, at.x(), at.y(), CurrentTime);
    for (int click = 0; click < 2; ++click) {
        XTestFakeButtonEvent(screen.display, 1, True, CurrentTime);
        XTestFakeButtonEvent(screen.display, 1, False, CurrentTime);
    }
    XSync(screen.display, False);
}

TEST_F(PopoverOnScreen, ADoubleClickActsOnceAtTheTopAndAtTheBottomOfTheScreen) {
    const struct {
        const char* edge;
        double scale;
        bool napChoicesOpen;
        const char* row;
        const char* message; // the first click's message in the status line, if any
        const char* status;  // and the status that follows
        const char* showing; // a row that shows afterwards
        bool napping;
    } cases[] = {
        {"top", 1, true, "Quick catnap · 20m", "napping · back in 20m", "napping 20m", "Wake Purlo",
         true},
        {"bottom", 1.5, true, "Quick catnap · 20m", "napping · back in 20m", "napping 20m",
         "Wake Purlo", true},
        {"top", 1, false, "Nap", "", "purring along", "Until I wake her", false},
        {"bottom", 1.5, false, "Nap", "", "purring along", "Until I wake her", false},
    };
    for (const auto& [edge, scale, napChoicesOpen, row, message, status, showing, napping] :
         cases) {
        SCOPED_TRACE(::testing::Message() << row << " at the " << edge << ", scale " << scale);
        const auto session = start(edge, scale);
        ASSERT_TRUE(session);
        const auto window = session->open();
        ASSERT_TRUE(window);
        if (napChoicesOpen) {
            screen.click(session->middleOf(*window, "Nap"));
            ASSERT_TRUE(
                ScreenReader::waitFor([&] { return session->row(*window, row).has_value(); }));
            session->restHandOnHeader();
        }
        const ReadOut line = session->statusLine(*window);
        const QPoint target = session->middleOf(*window, row);
        const std::size_t first = session->reader.nameChanges().size();
        const Date clicked = SystemClock().now();
        doubleClick(screen, target);
        // What the first click did holds for a second once its message is over: the second
        // click has had its time to do something too. The message itself stands for less
        // than three seconds, and no verdict waits on catching it.
        EXPECT_TRUE(ScreenReader::holdsOn([&] {
            return session->says(line) == status && session->row(*window, showing) &&
                   session->napEnd().has_value() == napping;
        })) << session->says(line).toStdString();
        const Date seen = SystemClock().now();
        // Whatever the line was heard to say meanwhile was the first click's message or the
        // status after it: a second action would have shown words of its own.
        for (const QString& said : session->toldOf(line, first)) {
            EXPECT_TRUE(said == message || said == status) << said.toStdString();
        }
        if (napping) {
            expectTwentyMinuteNapChosenBetween(session->napEnd(), clicked, seen);
        } else {
            EXPECT_FALSE(session->napEnd()) << "no nap is stored";
        }
    }
}

TEST_F(PopoverOnScreen, ThePopoverKeepsItsEdgeOnItsPanelAsItsHeightChanges) {
    const struct {
        const char* edge;
        double scale;
        std::vector<const char*> rows;
    } cases[] = {
        // The flash wraps onto a second line, and unwraps after its time.
        {"top", 1, {"Hide Purlo"}},
        // The choices unfold, then fold as the nap starts.
        {"bottom", 1.5, {"Nap", "Quick catnap · 20m"}},
    };
    for (const auto& [edge, scale, rows] : cases) {
        SCOPED_TRACE(edge);
        const auto session = start(edge, scale);
        ASSERT_TRUE(session);
        const auto window = session->open();
        ASSERT_TRUE(window);
        const bool top = std::string(edge) == "top";
        const auto nearEdge = [&](const QRect& popover) {
            return top ? popover.top() : popover.bottom();
        };
        const QRect placed = session->popover().value_or(QRect());
        const QString name = QString("popover-%1-panel").arg(edge);
        screen.shows(name, placed.adjusted(-40, -40, 40, 40), [](const QImage&) { return true; });
        int step = 0;
        for (const char* row : rows) {
            session->restHandOnHeader();
            const int height = session->popover().value_or(QRect()).height();
            screen.click(session->middleOf(*window, row));
            std::optional<QRect> changed;
            EXPECT_TRUE(testing::eventually([&] {
                changed = session->popover();
                return changed && changed->height() != height;
            })) << row
                << " changes the height";
            // At a scale of one and a half a point's edge may round to either of two pixels.
            EXPECT_NEAR(nearEdge(changed.value_or(QRect())), nearEdge(placed), scale > 1 ? 1 : 0)
                << row;
            screen.shows(name + QString("-after-%1").arg(++step),
                         changed->united(placed).adjusted(-40, -40, 40, 40),
                         [](const QImage&) { return true; });
        }
    }
}

// The pointer going to and fro across area for two seconds, as a person's hand moves.
void movePointerAbout(testing::Screen& screen, QRect area) {
    for (int step = 0; step < 40; ++step) {
        const int across = step % 10;
        screen.click(area.topLeft() +
                         QPoint(area.width() * across / 10, area.height() * (step % 4 + 1) / 5),
                     false);
        ScreenReader::waitFor([] { return false; }, 50);
    }
}

// What a screen reader was told of names while something went on, after what it was told
// before: each told name that did not change or was of something hidden, but for those of
// objects in the role passed over.
QStringList toldInVain(const std::vector<ReadOut>& told, std::size_t from,
                       const QString& passedOver) {
    std::map<QString, QString> heard;
    QStringList vain;
    for (std::size_t index = 0; index < told.size(); ++index) {
        const ReadOut& out = told[index];
        const auto before = heard.find(out.object.path);
        const bool again = before != heard.end() && before->second == out.name;
        if (index >= from && out.role != passedOver && (again || !out.showing)) {
            vain.push_back(
                QString("%1 \"%2\"%3").arg(out.role, out.name, again ? "" : " while hidden"));
        }
        heard[out.object.path] = out.name;
    }
    return vain;
}

// A screen reader is told a name only when it changes and only of what shows: her name
// is not told again as she is drawn again and again while the pointer moves about her,
// nor the open popover's as the pointer moves over it, nor the figures folded away on
// Help as each new sample arrives; her bubble tells her words, once, as they show. What a
// scene's set-up brings is told until the program falls quiet, and does not count.
TEST_F(PopoverOnScreen, AScreenReaderIsToldANameOnlyWhenItChangesAndOnlyOfWhatShows) {
    const auto session = start("top");
    ASSERT_TRUE(session);
    const auto her = screen.awaited(testing::herWindowSize);
    ASSERT_TRUE(her) << "her window shows";
    const auto window = session->open();
    ASSERT_TRUE(window);
    const QRect popover = session->popover().value_or(QRect());
    const QPoint settingsRow = session->middleOf(*window, "Settings\u2026");
    screen.key("Escape");
    const auto nothing = [] {
    };
    const auto told = [&](const char* role, const char* name) {
        return std::ranges::count_if(session->reader.nameChanges(), [&](const ReadOut& out) {
            return out.role == role && out.name == name && out.showing;
        });
    };
    const struct {
        const char* scene;
        std::function<void()> setUp; // what was told while it is set up does not count
        std::function<void()> meanwhile;
        // A reader asks for an object's name and state as it is told of a change, and a busy
        // one asks late. Her bubble, the one label then, changes its words as the pointer
        // comes on and off her, and comes and goes, faster than that: what is read of it
        // there proves nothing, and the scene of her bubble hears it.
        QString passedOver;
    } scenes[] = {
        {"her, as the pointer moves about her", nothing, [&] { movePointerAbout(screen, *her); },
         "label"},
        {"her bubble, as she cheers on an agent",
         [&] {
             // A pointer resting on her has her say her hover line instead.
             screen.click(
                 {her->center().x() < screen.size.width() / 2 ? screen.size.width() - 40 : 40,
                  screen.size.height() / 2},
                 false);
         },
         [&] {
             Purlo cheer(session->profile, screen.name,
                         {"intent", "agent-status", "--status", "done"});
             EXPECT_EQ(cheer.ended(), 0) << cheer.readAllStandardError().toStdString();
             EXPECT_TRUE(ScreenReader::waitFor([&] { return told("label", "done!") > 0; }))
                 << "her words are told as they show";
             EXPECT_TRUE(session->reader.quiet());
             EXPECT_EQ(told("label", "done!"), 1);
         },
         {}},
        {"the open popover, as the pointer moves over it",
         [&] { EXPECT_TRUE(session->open()) << "the popover opens again"; },
         [&] { movePointerAbout(screen, popover); },
         {}},
        {"Help, its figures folded away, as samples arrive",
         [&] {
             screen.click(settingsRow);
             std::optional<ReadOut> help;
             ScreenReader::waitFor([&] {
                 help = session->reader.find(*session->reader.program(), "check box", "Help");
                 return help.has_value();
             });
             ASSERT_TRUE(help) << "Settings opens with its sidebar's Help row";
             screen.click(QRectF(help->extents).center().toPoint());
             EXPECT_TRUE(ScreenReader::waitFor([&] {
                 return session->reader
                     .find(*session->reader.program(), "push button", "Create Support Report")
                     .has_value();
             })) << "Help shows, down to the group it builds last";
         },
         [] { ScreenReader::waitFor([] { return false; }, 2500); },
         {}},
    };
    for (const auto& [scene, setUp, meanwhile, passedOver] : scenes) {
        SCOPED_TRACE(scene);
        setUp();
        EXPECT_TRUE(session->reader.quiet()) << "the set-up's telling never ends";
        const std::size_t before = session->reader.nameChanges().size();
        meanwhile();
        EXPECT_EQ(
            toldInVain(session->reader.nameChanges(), before, passedOver).join(", ").toStdString(),
            "");
    }
}

} // namespace
} // namespace purlo
