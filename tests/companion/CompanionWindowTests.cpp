#include "companion/CompanionViewLayout.h"
#include "companion/CompanionViewModel.h"
#include "companion/RasterCanvas.h"
#include "companion/qt/ButterflyWindowController.h"
#include "companion/qt/CatFramePainter.h"
#include "companion/qt/CompanionMouseEventLayer.h"
#include "companion/qt/CompanionTimerLabel.h"
#include "companion/qt/CompanionView.h"
#include "companion/qt/CompanionWindowController.h"
#include "companion/qt/PurloCharacterPreview.h"
#include "tests/companion/CatImages.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/RecordingPanelHints.h"
#include "tests/support/RuntimeHarness.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <optional>
#include <tuple>

namespace purlo {
namespace {

using testing::RecordingPanelHints;
using testing::RuntimeHarness;
using Level = DesktopPanel::Level;
using Layout = CompanionViewLayout;

PurloSettings onboarded(CompanionPresenceMode mode = CompanionPresenceMode::floatAboveApps) {
    PurloSettings settings;
    settings.hasCompletedFirstRunOnboarding = true;
    settings.companionPresenceMode = mode;
    return settings;
}

struct WindowEvents final : QObject {
    explicit WindowEvents(QObject& window) { window.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        moves += event->type() == QEvent::Move;
        shows += event->type() == QEvent::Show;
        hides += event->type() == QEvent::Hide;
        return false;
    }
    int moves = 0, shows = 0, hides = 0;
};

// A running runtime on fakes with the cat's window on top of it, built and started in
// the launch's order; the program's own identifier is "purlo".
struct CompanionWindow {
    explicit CompanionWindow(const PurloSettings& settings = onboarded())
        : harness(settings) {
        harness.runtime().start();
        controller.refreshWindow();
        harness.loop.runPending();
    }

    void tick(double seconds = 0.1) { harness.loop.advance(seconds); }
    void settle() { harness.loop.runPending(); }
    PurloRuntime& runtime() { return harness.runtime(); }
    DesktopPanel& panel() { return controller.window(); }
    CompanionView& view() { return controller.view(); }
    // The frontmost application is asked again after two seconds.
    void frontmost(std::optional<std::string> identifier) {
        harness.applications.application = FrontmostApplication{"App", std::move(identifier)};
        tick(2.1);
    }
    void hover() {
        QEnterEvent enter(QPointF(80, 120), QPointF(170, 720), QPointF(170, 720));
        QCoreApplication::sendEvent(&view().mouseLayer(), &enter);
    }

    RuntimeHarness harness;
    RecordingPanelHints hints;
    CompanionWindowController controller{
        harness.runtime(), DesktopWindowContext{harness.loop, hints, harness.appearance, "purlo"},
        [] {
        }};
};

TEST(CompanionWindowController, PresenceModesSetTheLevelAndHideHerOnlyForOtherApplications) {
    using enum CompanionPresenceMode;
    // Applied in turn to one window: the mode and the frontmost application; shown, level.
    const std::tuple<CompanionPresenceMode, const char*, bool, Level> steps[] = {
        {floatAboveApps, "org.gnome.Terminal", true, Level::floating},
        {desktopLevel, "org.gnome.Terminal", true, Level::desktop},
        {autoHideWhenAppsActive, "org.gnome.Terminal", false, Level::floating},
        {autoHideWhenAppsActive, nullptr, true, Level::floating},
        {autoHideWhenAppsActive, "Com.apple.finder", false, Level::floating},
        {autoHideWhenAppsActive, "", true, Level::floating},
        {autoHideWhenAppsActive, "org.gnome.Terminal", false, Level::floating},
        {autoHideWhenAppsActive, "purlo", true, Level::floating},
        {autoHideWhenAppsActive, "com.apple.finder", true, Level::floating},
        {desktopLevel, "org.gnome.Terminal", true, Level::desktop},
        {floatAboveApps, "org.gnome.Terminal", true, Level::floating},
    };
    CompanionWindow window;
    const WId native = window.panel().winId();
    WindowEvents events(window.panel());
    for (const auto& [mode, frontmost, shown, level] : steps) {
        SCOPED_TRACE(std::string(toString(mode)) + " with " + (frontmost ? frontmost : "(none)"));
        window.harness.change([mode](PurloSettings& s) { s.companionPresenceMode = mode; });
        window.frontmost(frontmost ? std::optional<std::string>(frontmost) : std::nullopt);
        EXPECT_EQ(window.panel().isVisible(), shown);
        EXPECT_EQ(window.panel().level(), level);
        const auto flag =
            level == Level::desktop ? Qt::WindowStaysOnBottomHint : Qt::WindowStaysOnTopHint;
        EXPECT_TRUE(window.panel().windowFlags().testFlag(flag));
        EXPECT_TRUE(window.panel().windowHandle()->flags().testFlag(flag));
        EXPECT_FALSE(window.panel().isActiveWindow()) << "she never takes the focus";
        EXPECT_EQ(window.panel().winId(), native) << "no new native window, so no flicker";
    }
    // Each return shows her once, not on every delivery, made ready for the desktop again.
    EXPECT_EQ(events.hides, 3);
    EXPECT_EQ(events.shows, 3);
    EXPECT_EQ(window.hints.prepared.size(), 4u);
}

// Her window's lower-left corner for her panel at origin: the room for her paws below.
Point windowOrigin(Point origin) {
    return {origin.x, origin.y - Layout::groundRoom};
}

TEST(CompanionWindowController, MovesOnlyOnChangeEvenHiddenAndWaitsForOnboarding) {
    CompanionWindow window;
    EXPECT_EQ(window.panel().origin(), windowOrigin({96, 120}));
    WindowEvents events(window.panel());
    window.tick(3);
    EXPECT_EQ(events.moves, 0);
    window.runtime().moveCompanion(CompanionScreenCorner::topLeft);
    window.tick(1);
    EXPECT_EQ(events.moves, 1);
    EXPECT_EQ(window.panel().origin(), windowOrigin({8, 900 - 204 - 8}));
    // A hidden cat still moves, so she reappears in place.
    window.runtime().setCompanionVisible(false);
    window.runtime().moveCompanion(CompanionScreenCorner::bottomRight);
    window.settle();
    EXPECT_FALSE(window.panel().isVisible());
    EXPECT_EQ(window.panel().origin(), windowOrigin({1440 - 168, 8}));
    window.runtime().setCompanionVisible(true);
    window.settle();
    EXPECT_TRUE(window.panel().isVisible());
    EXPECT_EQ(window.panel().origin(), windowOrigin({1440 - 168, 8}));

    CompanionWindow newcomer{PurloSettings{}};
    newcomer.tick(1);
    EXPECT_TRUE(newcomer.harness.scene().isVisible);
    EXPECT_FALSE(newcomer.panel().isVisible());
    newcomer.runtime().completeOnboarding();
    newcomer.settle();
    EXPECT_TRUE(newcomer.panel().isVisible());
}

// A window's area in points as the window system takes it: in device pixels, widened to
// whole pixels so that no point of it is left out.
PixelArea inDevicePixels(const PixelArea& points, double density) {
    const auto outward = [density](int from, int to) {
        const int first = static_cast<int>(std::floor(from * density));
        return std::pair{first, static_cast<int>(std::ceil(to * density)) - first};
    };
    const auto [x, width] = outward(points.x, points.x + points.width);
    const auto [y, height] = outward(points.y, points.y + points.height);
    return {x, y, width, height};
}

TEST(CompanionWindowController, OnlyHerBodyTakesThePointerAtEverySizeAndHerHoverEndsOffHer) {
    CompanionWindow window;
    const std::uint64_t native = window.panel().winId();
    const double density = window.panel().devicePixelRatioF();
    // Her hit area in the window's points: her scaled frame and 6 points around it,
    // within the window.
    const std::pair<double, PixelArea> sizes[] = {
        {1.0, {10, 70, 140, 140}},
        {0.75, {26, 86, 108, 108}},
        {1.2, {0, 57, 160, 166}},
        {1.0, {10, 70, 140, 140}},
    };
    for (const auto& [size, area] : sizes) {
        window.harness.change([size](PurloSettings& s) { s.companionScale = size; });
        window.tick();
        const std::size_t told = window.hints.inputAreas.size();
        ASSERT_GT(told, 0u);
        EXPECT_EQ(window.hints.inputAreas.back(), std::pair(native, inDevicePixels(area, density)))
            << size;
        window.tick(1);
        EXPECT_EQ(window.hints.inputAreas.size(), told) << "told again only when it changes";
    }
    // The window system routes the clicks: the panel is never switched to click-through,
    // so no click waits for the next look at the pointer.
    for (const Point pointer : {Point{900, 700}, Point{170, 180}, Point{900, 700}}) {
        window.harness.pointer.position = pointer;
        window.tick();
        EXPECT_FALSE(window.panel().ignoresMouseEvents());
        EXPECT_FALSE(
            window.panel().windowHandle()->flags().testFlag(Qt::WindowTransparentForInput));
    }

    window.harness.pointer.position = {170, 180}; // on her body
    window.tick();
    window.hover();
    EXPECT_TRUE(window.view().pointerHovering());
    // The window system may not say that the pointer left; the hover must still end.
    window.harness.pointer.position = {900, 700};
    window.tick();
    EXPECT_FALSE(window.view().pointerHovering());
    window.harness.pointer.position = {170, 180};
    window.tick();
    window.hover();
    EXPECT_TRUE(window.view().pointerHovering()) << "the next arrival is a hover again";
}

TEST(CompanionViewLayout, TheBubbleStandsAboveHerScaledTopAndHerViewHasRoomForHerLift) {
    for (const auto& [s, aboveBottom] : {std::pair{1.0, 135.0}, {0.75, 119.0}, {1.2, 147.8}}) {
        EXPECT_DOUBLE_EQ(Layout::panelHeight - Layout::bubbleBottom(s), aboveBottom) << s;
    }
    // Being carried lifts her 18 points above her frame at full size.
    const CanvasRect frame = Layout::catFrame();
    EXPECT_EQ(frame, (CanvasRect{16, 76, 128, 128}));
    for (const double s : {0.75, 1.0, 1.2, 1.32}) {
        const CanvasRect area = Layout::catViewArea(s);
        EXPECT_LE(area.y, frame.y + frame.height / 2 - 64 * s - 18 * s) << s;
        EXPECT_TRUE(area.x >= 0 && area.y >= 0 && area.x + area.width <= Layout::panelWidth &&
                    area.y + area.height <= Layout::windowHeight)
            << s;
    }
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double infinity = std::numeric_limits<double>::infinity();
    const std::tuple<double, double, double> scales[] = {
        {1, 1.2, 1.2},    {1.05, 0.75, 1.05 * 0.75}, {nan, 1, 1},
        {infinity, 1, 1}, {1, -infinity, 1},         {0, 1, 0.1},
        {-2, 1, 0.1}};
    for (const auto& [scene, user, s] : scales) {
        EXPECT_DOUBLE_EQ(Layout::effectiveScale(scene, user), s) << scene << " x " << user;
    }
}

// The rows and columns she paints at one instant, drawn where her view puts her frame,
// in the view's points; a margin around the view catches whatever would be cut.
QRect paintedArea(const QSize& view, double s, const CompanionScene& scene, double time) {
    constexpr int margin = 40;
    QImage image = testing::blankImage(view + QSize(2 * margin, 2 * margin));
    RasterCanvas canvas(testing::pixelsOf(image));
    const CanvasRect frame = Layout::catFrame();
    const CatLook look{CatSkinPreset::calico, CatPatternPreset::stripes, CatEyeColorPreset::sky,
                       CatAccessoryPreset::crown};
    CatFramePainter::draw(canvas,
                          QRectF(frame.x + margin, frame.y + margin, frame.width, frame.height), s,
                          scene, look, time);
    QRect painted;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) > 0) {
                painted |= QRect(x - margin, y - margin, 1, 1);
            }
        }
    }
    return painted;
}

TEST(CompanionView, HerWindowHoldsHerWholeBodyAtEverySizeInEveryPose) {
    RuntimeHarness harness;
    CompanionViewModel model(CompanionViewModel::makeSnapshot({}, {}));
    CompanionView view(harness.runtime(), model, harness.loop, {});
    CompanionWindow window;
    EXPECT_EQ(window.panel().size(), view.size()) << "the view fills her window";
    // Every pose as she idles, and the poses that come with a size of their own.
    std::vector<std::tuple<CatPose, CatMood, double>> moments;
    for (const CatPose pose : allCases<CatPose>()) {
        moments.emplace_back(pose, CatMood::idle, 1.0);
    }
    moments.insert(moments.end(), {{CatPose::stretch, CatMood::stretching, 1.16},
                                   {CatPose::drag, CatMood::dragged, 1.08},
                                   {CatPose::celebrate, CatMood::celebrating, 1.04},
                                   {CatPose::typing, CatMood::overheated, 1.02},
                                   {CatPose::sleep, CatMood::sleeping, 0.98}});
    for (const double size : {0.75, 1.0, 1.1, 1.2}) {
        PurloSettings settings;
        settings.companionScale = size;
        for (const auto& [pose, mood, sceneScale] : moments) {
            CompanionScene scene;
            scene.pose = pose;
            scene.mood = mood;
            scene.scale = sceneScale;
            model.update(scene, settings);
            const double s = Layout::effectiveScale(sceneScale, size);
            // Over the motions' cycles: bounces, tail, breathing.
            for (int instant = 0; instant < 12; ++instant) {
                const QRect painted =
                    paintedArea(view.size(), s, scene, 800000000 + instant * 0.29);
                EXPECT_TRUE(view.rect().contains(painted) &&
                            view.cat().geometry().contains(painted))
                    << toString(pose) << " at " << size << " x " << sceneScale << ": painted "
                    << painted.top() << ".." << painted.bottom() << " in a view " << view.height()
                    << " high, her part of it ending at " << view.cat().geometry().bottom();
            }
        }
    }
}

TEST(CompanionViewLayout, TheTimerCapsuleMovesLeftOnlyAsFarAsThePanelMakesIt) {
    // Its natural place is centred at x 128, to her upper right, ending at y 160.
    const std::pair<double, CanvasRect> places[] = {
        {40, {108, 140, 40, 20}}, {64, {96, 140, 64, 20}},  {68, {92, 140, 68, 20}},
        {90, {70, 140, 90, 20}},  {160, {0, 140, 160, 20}}, {400, {0, 140, 160, 20}},
    };
    for (const auto& [width, frame] : places) {
        EXPECT_EQ(Layout::timerLabelFrame(width, 20), frame) << width;
    }
}

TEST(CompanionView, TheLongestTimerLabelsKeepTheirWholeCapsuleInsideThePanel) {
    RuntimeHarness harness;
    CompanionViewModel model(CompanionViewModel::makeSnapshot({}, {}));
    CompanionView view(harness.runtime(), model, harness.loop, {});
    const QRect panel(0, 0, static_cast<int>(Layout::panelWidth),
                      static_cast<int>(Layout::panelHeight));
    for (const char* label : {"F1 24:59", "F1 119:57", "F10 24:59", "B12 04:59", "F9 1666:39",
                              "F1 153722867280912930:07"}) {
        CompanionScene scene;
        scene.timerLabel = label;
        model.update(scene, {});
        const QRect capsule = view.timerLabel().geometry();
        EXPECT_TRUE(panel.contains(capsule)) << label;
        EXPECT_EQ(capsule.width(), std::min(view.timerLabel().sizeHint().width(), panel.width()))
            << label;
    }
}

// The capsule keeps its drawing between paints; a new text or size must show at once.
TEST(CompanionTimerLabel, ARepaintShowsTheTextAndSizeSetNow) {
    const auto shown = [](const QString& text, int width) {
        CompanionTimerLabel label;
        label.setText(text);
        label.resize(width, label.sizeHint().height());
        return label.grab().toImage();
    };
    CompanionTimerLabel label;
    // Text, width.
    const std::pair<const char*, int> steps[] = {
        {"F1 24:59", 70}, {"F1 24:58", 70}, {"F1 24:58", 90}, {"B1 04:59", 90}};
    for (const auto& [text, width] : steps) {
        label.setText(text);
        label.resize(width, label.sizeHint().height());
        EXPECT_EQ(label.grab().toImage(), shown(text, width)) << text << " at " << width;
    }
    EXPECT_NE(shown("F1 24:59", 70), shown("F1 24:58", 70));
}

TEST(ButterflyWindowController, FliesCentredOnTheButterflyOnlyWhenSheMayBeSeen) {
    using enum CompanionPresenceMode;
    // Settings, the scene's visibility, the frontmost application; shown, level.
    const std::tuple<PurloSettings, bool, const char*, bool, Level> cases[] = {
        {onboarded(), true, "org.gnome.Terminal", true, Level::floating},
        {onboarded(), false, nullptr, false, Level::floating},
        {PurloSettings{}, true, nullptr, false, Level::floating},
        {onboarded(autoHideWhenAppsActive), true, "org.gnome.Terminal", false, Level::floating},
        {onboarded(autoHideWhenAppsActive), true, "purlo", true, Level::floating},
        {onboarded(desktopLevel), true, nullptr, true, Level::desktop},
    };
    for (const auto& [settings, sceneVisible, frontmost, shown, level] : cases) {
        SCOPED_TRACE(::testing::Message() << toString(settings.companionPresenceMode) << " "
                                          << sceneVisible << " " << (frontmost ? frontmost : "-"));
        RuntimeHarness harness(settings);
        RecordingPanelHints hints;
        ButterflyWindowController controller{
            harness.runtime(),
            DesktopWindowContext{harness.loop, hints, harness.appearance, "purlo"}};
        harness.runtime().start();
        harness.loop.runPending();
        DesktopPanel& panel = controller.window();
        EXPECT_FALSE(panel.isVisible()) << "the runtime's scenes carry no butterfly yet";
        CompanionScene scene;
        scene.isVisible = sceneVisible;
        const auto app = frontmost ? std::optional<std::string>(frontmost) : std::nullopt;
        for (const auto& [x, y] : {std::pair{300.0, 400.0}, {310.0, 395.0}}) {
            scene.butterflyPosition = Point{x, y};
            controller.update(scene, settings, app);
            EXPECT_EQ(panel.isVisible(), shown);
            EXPECT_EQ(panel.level(), level);
            EXPECT_EQ(panel.size(), QSize(72, 72));
            EXPECT_TRUE(panel.ignoresMouseEvents());
            if (shown) {
                EXPECT_EQ(panel.origin(), (Point{x - 36, y - 36}));
            }
        }
        controller.update(CompanionScene{}, settings, app);
        EXPECT_FALSE(panel.isVisible());
        if (shown) {
            EXPECT_EQ(panel.origin(), (Point{274, 359})) << "the flight ends where it was";
        }
    }
}

using testing::Deliveries;
using testing::settingsWith;
using Kind = CompanionMessage::Kind;

CompanionScene sceneWith(CatMood mood, std::optional<CompanionMessage> message = {}) {
    CompanionScene scene;
    scene.mood = mood;
    scene.message = std::move(message);
    return scene;
}

TEST(CompanionViewModel, ClampsTheUsersSizeAndNamesHerWithTheSanitisedName) {
    for (const auto& [stored, shown] :
         {std::pair{0.5, 0.75}, {0.75, 0.75}, {0.9, 0.9}, {1.2, 1.2}, {2.0, 1.2}}) {
        const auto settings = settingsWith([&](PurloSettings& s) { s.companionScale = stored; });
        EXPECT_EQ(CompanionViewModel::makeSnapshot({}, settings).companionScale, shown) << stored;
    }
    using enum CatAccessoryPreset;
    const std::tuple<const char*, CatPatternPreset, CatAccessoryPreset, const char*> cases[] = {
        {"  Mochi \n", CatPatternPreset::stripes, bell,
         "Mochi, a stripes pixel cat companion with bell"},
        {"", CatPatternPreset::tuxedo, none, "Purlo, a tuxedo pixel cat companion"},
        {" \t ", CatPatternPreset::socks, crown, "Purlo, a socks pixel cat companion with crown"},
    };
    for (const auto& [name, pattern, accessory, label] : cases) {
        PurloSettings settings;
        settings.companionName = name;
        settings.pattern = pattern;
        settings.accessory = accessory;
        const auto snapshot = CompanionViewModel::makeSnapshot({}, settings);
        EXPECT_EQ(snapshot.accessibilityLabel(), label);
        EXPECT_EQ(snapshot.companionName, CatProfile::sanitizedName(name));
    }
}

TEST(CompanionViewModel, HoverLineComesFromThePhrasePackUnlessSheIsCarried) {
    const CompanionMessage said{"hi", Kind::focus};
    using enum PurloPhrasePack;
    const std::pair<PurloPhrasePack, const char*> packs[] = {
        {soft, "purr"}, {focused, "ready"}, {playful, "prrr"}, {quiet, "mm"}};
    for (const auto& [pack, line] : packs) {
        const auto settings = settingsWith([&](PurloSettings& s) { s.phrasePack = pack; });
        const auto snapshot = [&](CatMood mood, std::optional<CompanionMessage> message) {
            return CompanionViewModel::makeSnapshot(sceneWith(mood, message), settings);
        };
        const CompanionMessage hover{line, Kind::happy};
        EXPECT_EQ(snapshot(CatMood::idle, said).bubbleMessage(true), hover);
        EXPECT_EQ(snapshot(CatMood::idle, said).bubbleMessage(false), said);
        EXPECT_EQ(snapshot(CatMood::idle, {}).bubbleMessage(true), hover);
        EXPECT_EQ(snapshot(CatMood::idle, {}).bubbleMessage(false), std::nullopt);
        EXPECT_EQ(snapshot(CatMood::dragged, said).bubbleMessage(true), said);
        EXPECT_EQ(snapshot(CatMood::dragged, {}).bubbleMessage(true), std::nullopt);
    }
}

TEST(CompanionViewModel, PublishesOnlyWhatTheViewWouldDrawDifferently) {
    const PurloSettings settings;
    CompanionScene scene = sceneWith(CatMood::idle, CompanionMessage{"meow", Kind::soft});
    CompanionViewModel model(CompanionViewModel::makeSnapshot(scene, settings));
    Deliveries deliveries(model.snapshot());
    model.update(scene, settings);
    // Place, visibility and butterfly are the windows' business; an equal sanitised name draws
    // the same.
    CompanionScene moved = scene;
    moved.position = {400, 300};
    moved.isVisible = false;
    moved.butterflyPosition = Point{10, 10};
    model.update(moved, settingsWith([](PurloSettings& s) { s.companionName = "  Purlo  "; }));
    EXPECT_EQ(deliveries.count(), 0);

    std::vector<std::pair<CompanionScene, PurloSettings>> changes(8, {scene, settings});
    changes[0].first.mood = CatMood::purring;
    changes[1].first.message.reset();
    changes[2].first.eyeOffset = {0.3, 0};
    changes[3].first.timerLabel = "24:59";
    changes[4].first.yawnProgress = 0.4;
    changes[5].second.skin = CatSkinPreset::orange;
    changes[6].second.companionName = "Mochi";
    changes[7].second.phrasePack = PurloPhrasePack::quiet;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        Deliveries changed(model.snapshot());
        model.update(changes[i].first, changes[i].second);
        model.update(changes[i].first, changes[i].second);
        EXPECT_EQ(changed.count(), 1) << "change " << i;
        model.update(scene, settings);
    }
}

using Events = std::vector<std::string>;
using enum QEvent::Type;

// Qt's desktop is 1000 points high here; the program counts y upward from its bottom.
constexpr double desktopHeight = 1000;

class MouseLayerTest : public ::testing::Test {
protected:
    MouseLayerTest() {
        layer->setActions({
            .currentOrigin = [this] { return origin; },
            .onSingleClick = [this] { events.push_back("single"); },
            .onDoubleClick = [this] { events.push_back("double"); },
            .onHover = [this](bool in) { events.push_back(in ? "enter" : "leave"); },
            .onDragBegan = [this] { events.push_back("drag began"); },
            .onDragMoved = [this](double x, double y) { moved(x, y); },
            .onDragEnded = [this] { events.push_back("drag ended"); },
        });
    }
    void moved(double x, double y) {
        events.push_back("moved " + std::to_string(static_cast<int>(x)) + " " +
                         std::to_string(static_cast<int>(y)));
    }

    // A left-button event; Qt sends the second press of a quick pair as a double click.
    void send(QEvent::Type type, Point at = {130, 240}) {
        const bool up = type == QEvent::MouseButtonRelease, move = type == QEvent::MouseMove;
        QMouseEvent event(type, QPointF(10, 10), QPointF(at.x, desktopHeight - at.y),
                          move ? Qt::NoButton : Qt::LeftButton, up ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(layer.get(), &event);
    }
    void click(QEvent::Type press = QEvent::MouseButtonPress) {
        send(press);
        send(QEvent::MouseButtonRelease);
    }

    testing::ManualEventLoop loop;
    Events events;
    Point origin{100, 200};
    static Point fromQt(QPointF at) { return {at.x(), desktopHeight - at.y()}; }
    std::unique_ptr<CompanionMouseEventLayer> layer =
        std::make_unique<CompanionMouseEventLayer>(loop, fromQt, [] { return 0.5; });
};

TEST_F(MouseLayerTest, ASingleClickWaitsOutTheDoubleClickInterval) {
    click();
    loop.advance(0.49);
    EXPECT_EQ(events, Events{});
    loop.advance(0.02);
    EXPECT_EQ(events, Events{"single"});

    // A press after the interval but before that click was reported replaces it.
    events.clear();
    send(MouseButtonPress);
    loop.advance(0.3);
    send(MouseButtonRelease);
    loop.advance(0.3);
    click();
    loop.advance(0.49);
    EXPECT_EQ(events, Events{});
    loop.advance(2);
    EXPECT_EQ(events, Events{"single"});
}

TEST_F(MouseLayerTest, QuickClicksPetOnEveryReleaseFromTheSecondOn) {
    for (const int clicks : {2, 3, 4}) {
        events.clear();
        click();
        for (int i = 1; i < clicks; ++i) {
            loop.advance(0.1);
            click(i == 1 ? MouseButtonDblClick : MouseButtonPress);
        }
        loop.advance(2);
        EXPECT_EQ(events, Events(static_cast<std::size_t>(clicks - 1), "double")) << clicks;
    }
}

TEST_F(MouseLayerTest, ADragKeepsTheGrabOffsetAndIsNeverAClick) {
    // The first move grabs her 30 points right of and 40 above the origin (100, 200).
    send(MouseButtonPress, {129, 240});
    send(MouseMove, {130, 240});
    send(MouseMove, {180, 300});
    origin = {400, 400};
    send(MouseMove, {50, 90});
    send(MouseButtonRelease, {50, 90});
    loop.advance(2);
    EXPECT_EQ(events, (Events{"drag began", "moved 100 200", "moved 150 260", "moved 20 50",
                              "drag ended"}));

    // It also drops the click just before it, and the next click counts from one.
    events.clear();
    origin = {100, 200};
    click();
    send(MouseButtonPress);
    send(MouseMove, {140, 250});
    send(MouseButtonRelease);
    click();
    loop.advance(2);
    EXPECT_EQ(events, (Events{"drag began", "moved 100 200", "drag ended", "single"}));
}

TEST_F(MouseLayerTest, HoverReportsEachEnterAndLeaveOnceAndAPendingClickDiesWithTheLayer) {
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(105, 795));
    QEvent leave(QEvent::Leave);
    for (QEvent* event : std::initializer_list<QEvent*>{&enter, &leave, &leave, &enter}) {
        QCoreApplication::sendEvent(layer.get(), event);
    }
    EXPECT_EQ(events, (Events{"enter", "leave", "enter"}));
    click();
    layer.reset();
    loop.advance(1);
    EXPECT_EQ(events, (Events{"enter", "leave", "enter"}));
}

constexpr Size startingGaze{-0.2, 0};

void sendTo(QWidget& widget, QEvent::Type type, QPointF at = {}) {
    if (type == QEvent::Leave) {
        QEvent leave(type);
        QApplication::sendEvent(&widget, &leave);
        return;
    }
    QMouseEvent event(
        type, at, widget.mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

TEST(PurloCharacterPreview, ThePointerMovesHerGazeOnlyWhenSheFollowsItAndANewLookKeepsIt) {
    // A tap is a press and a release; each step's gaze is what the gestures so far leave.
    using enum QEvent::Type;
    const std::tuple<QEvent::Type, double, double, double, double> steps[] = {
        {MouseButtonPress, 150, 165, 0, 0},
        {MouseMove, 310, 0, 1, -1},
        {MouseMove, -170, 400, -1, 1},
        {MouseMove, 230, 204, 0.5, 0.3},
        {Leave, 0, 0, 0.5, 0.3},
        {MouseButtonPress, 70, 165, -0.5, 0}};
    PurloCharacterPreview following({}, true, CatPose::idle, 200, startingGaze);
    PurloCharacterPreview still({}, false, CatPose::idle, 200, startingGaze);
    for (const auto& [type, x, y, gazeX, gazeY] : steps) {
        for (PurloCharacterPreview* preview : {&following, &still}) {
            preview->resize(300, 330);
            sendTo(*preview, type, {x, y});
            if (type == MouseButtonPress) {
                sendTo(*preview, MouseButtonRelease, {x, y});
            }
        }
        EXPECT_NEAR(following.gaze().width, gazeX, 1e-9) << x;
        EXPECT_NEAR(following.gaze().height, gazeY, 1e-9) << x;
        EXPECT_EQ(following.catView().scene().eyeOffset, following.gaze());
        EXPECT_EQ(still.gaze(), startingGaze) << x;
    }
    PurloSettings settings;
    settings.skin = CatSkinPreset::midnight;
    settings.eyeColor = CatEyeColorPreset::sky;
    settings.accessory = CatAccessoryPreset::tie;
    const Size gaze = following.gaze();
    following.setSettings(settings);
    EXPECT_EQ(following.accessibleName(), "Midnight Purlo, Sky eyes, Tie");
    EXPECT_EQ(following.gaze(), gaze);
    settings.skin = CatSkinPreset::calico;
    settings.eyeColor = CatEyeColorPreset::cocoa;
    settings.accessory = CatAccessoryPreset::none;
    EXPECT_EQ(PurloCharacterPreview::accessibilityLabel(settings),
              "Calico Purlo, Cocoa eyes, None");
}

} // namespace
} // namespace purlo
