#include "runtime/ActiveApplicationSensor.h"
#include "runtime/IdleTimeFollower.h"
#include "runtime/PointerTracker.h"
#include "runtime/PurloDiagnosticsRecorder.h"
#include "runtime/ScreenFrameResolver.h"
#include "runtime/TypingActivityMonitor.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeSensorSources.h"
#include "tests/support/TemporaryFolder.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using namespace testing;
using enum PurloDiagnosticsLevel;
using Resolver = ScreenFrameResolver;
constexpr Size panel{160, 204};

TEST(TypingActivityMonitor, CountsThePressesOfTheLastTwoAndAHalfSeconds) {
    const std::tuple<std::vector<double>, double, TypingSnapshot> cases[] = {
        {{1000, 1000.5, 1001, 1001.4}, 1001.9, {4, 1.6, 1001.4}},
        {{1000}, 1002.5, {1, 0.4, 1000.0}},
        {{1000}, 1002.5001, {0, 0, 1000.0}},
        {{1000, 1001, 1002}, 1003.2, {2, 0.8, 1002.0}},
    };
    for (const auto& [presses, now, expected] : cases) {
        FakeKeyEventSource keys;
        FakeClock clock;
        TypingActivityMonitor monitor(keys, clock);
        for (const double time : presses) {
            monitor.recordKeyPress(time);
        }
        EXPECT_EQ(monitor.snapshot(now), expected) << now;
    }
}

TEST(PointerTracker, DerivesVelocityAndMovementFromTheLastSample) {
    // From (10, 10) at 1000; the same instant or a step back counts as a millisecond.
    const std::tuple<Point, double, Size, bool> cases[] = {
        {{13, 14}, 1000.1, {30, 40}, true}, {{10.5, 10}, 1000.1, {5, 0}, false},
        {{10, 9}, 1000.1, {0, -10}, true},  {{11, 10}, 1000, {1000, 0}, true},
        {{12, 10}, 999, {2000, 0}, true},
    };
    for (const auto& [to, time, velocity, moved] : cases) {
        FakePointerSource pointer;
        pointer.position = {10, 10};
        PointerTracker tracker(pointer);
        EXPECT_EQ(tracker.sample(1000), (PointerSnapshot{{10, 10}, {0, 0}, std::nullopt}));
        pointer.position = to;
        const PointerSnapshot snapshot = tracker.sample(time);
        EXPECT_NEAR(snapshot.velocity.width, velocity.width, 1e-6) << to.x;
        EXPECT_NEAR(snapshot.velocity.height, velocity.height, 1e-6) << to.y;
        EXPECT_EQ(snapshot.lastMovementTime, moved ? std::optional(time) : std::nullopt);
    }
}

// Read at 1000, then asked at 1000.1 with the pointer moved to (20, 10) meanwhile.
TEST(PointerTracker, AsksWhereThePointerIsOnlyWhenInputCanHaveMovedIt) {
    const std::tuple<const char*, std::optional<double>, bool> cases[] = {
        {"the desktop cannot tell", std::nullopt, true},
        {"input since the reading", 0.02, true},
        {"input just before the reading, told late", 0.14, true},
        {"nothing since well before the reading", 0.16, false},
        {"nothing for minutes", 300, false},
    };
    for (const auto& [name, idle, reads] : cases) {
        FakePointerSource pointer;
        pointer.position = {10, 10};
        PointerTracker tracker(pointer);
        tracker.sample(1000, idle);
        pointer.position = {20, 10};
        const PointerSnapshot snapshot = tracker.sample(1000.1, idle);
        EXPECT_EQ(pointer.readCount, reads ? 2 : 1) << name;
        EXPECT_EQ(snapshot.location, (reads ? Point{20, 10} : Point{10, 10})) << name;
        EXPECT_NEAR(snapshot.velocity.width, reads ? 100 : 0, 1e-6) << name;
    }
    // Held, the pointer stands still without a question; only a first sample asks.
    FakePointerSource pointer;
    PointerTracker tracker(pointer);
    EXPECT_EQ(tracker.hold(1000).location, (Point{0, 0}));
    pointer.position = {50, 50};
    EXPECT_EQ(tracker.hold(1000.1), (PointerSnapshot{{0, 0}, {0, 0}, std::nullopt}));
    EXPECT_EQ(pointer.readCount, 1);
}

// One timeline: off screen the idle time is read once a second and counted on in between;
// on screen, first, or with the clock gone back, it is read at every tick. What the desktop
// cannot tell stays untold until the next reading, and an invalid reading is none.
TEST(IdleTimeFollower, ReadsOffScreenOnlyOnceASecondAndCountsOnInBetween) {
    const std::optional<double> none;
    const double notANumber = std::nan("");
    struct Step {
        const char* what;
        double uptime;
        bool onScreen;
        std::optional<double> desktop; // what the desktop would say now
        std::optional<double> seconds;
        int reads;
    };
    const Step steps[] = {
        {"the first tick reads", 100.0, false, 5, 5, 1},
        {"input since, off screen: counted on", 100.1, false, 0, 5.1, 1},
        {"still within the second", 100.9, false, 0.8, 5.9, 1},
        {"a second on: read", 101.0, false, 0.9, 0.9, 2},
        {"on screen: every tick", 101.1, true, 0, 0, 3},
        {"on screen again", 101.2, true, 0.1, 0.1, 4},
        {"off screen right after: counted on", 101.3, false, 0, 0.2, 4},
        {"the clock went back: read", 50.0, false, 3, 3, 5},
        {"the desktop cannot tell", 52.0, false, none, none, 6},
        {"nothing to count on", 52.5, false, 4, none, 6},
        {"a negative reading is none", 53.0, false, -1, none, 7},
        {"nor is one that is not a number", 54.0, false, notANumber, none, 8},
        {"nor one without end", 55.0, false, INFINITY, none, 9},
    };
    FakeIdleSource source;
    IdleTimeFollower idle(source);
    for (const Step& step : steps) {
        source.seconds = step.desktop;
        const std::optional<double> seconds = idle.secondsSinceAnyInput(step.uptime, step.onScreen);
        EXPECT_EQ(seconds.has_value(), step.seconds.has_value()) << step.what;
        if (seconds && step.seconds) {
            EXPECT_NEAR(*seconds, *step.seconds, 1e-9) << step.what;
        }
        EXPECT_EQ(source.readCount, step.reads) << step.what;
    }
}

TEST(ActiveApplicationSensor, FallsBackToUnknownForWhateverIsMissing) {
    const std::pair<std::optional<FrontmostApplication>, ActiveAppSnapshot> cases[] = {
        {std::nullopt, {"Unknown", std::nullopt}},
        {FrontmostApplication{"Code", "code"}, {"Code", "code"}},
        {FrontmostApplication{std::nullopt, "kitty"}, {"Unknown", "kitty"}},
        {FrontmostApplication{"", ""}, {"Unknown", std::nullopt}},
    };
    for (const auto& [application, expected] : cases) {
        FakeActiveAppSource source;
        source.application = application;
        EXPECT_EQ(ActiveApplicationSensor(source).sample(), expected) << expected.name;
    }
}

TEST(ScreenFrameResolver, ThirtyFivePercentOnOneUsableScreenIsEnoughElseTheFallbackAnswers) {
    const std::vector<Rect> screen{{{0, 0}, {1440, 900}}};
    const std::vector<Rect> tiny{{{0, 0}, {100, 100}}};
    const std::vector<Rect> unusable{{{0, 0}, {0, 900}},
                                     {{0, 0}, {1440, 0}},
                                     {{0, 0}, {-10, 900}},
                                     {{INFINITY, 0}, {1440, 900}}};
    // 35 % of the panel is 56 x 71.4 points; of a smaller screen, 35 % of the screen.
    const std::tuple<std::vector<Rect>, Point, bool> cases[] = {
        {screen, {1440 - 56, 100}, true}, {screen, {1440 - 55.9, 100}, false},
        {screen, {-160 + 56, 100}, true}, {screen, {-160 + 55.9, 100}, false},
        {screen, {100, -204 + 72}, true}, {screen, {100, -204 + 71}, false},
        {tiny, {65, 65}, true},           {tiny, {66, 65}, false},
        {unusable, {5000, 5000}, false},  {{}, {10, 10}, false},
    };
    for (const auto& [screens, origin, onScreen] : cases) {
        EXPECT_EQ(Resolver::isFrameSufficientlyOnScreen(screens, origin, panel), onScreen)
            << origin.x << ", " << origin.y;
    }
    EXPECT_EQ(Resolver::nearestScreenFrame({}, {5000, 5000}), screen[0]);
    EXPECT_EQ(Resolver::screenFrame(unusable, {0, 0}, {0, 0}, panel), screen[0]);
}

TEST(ScreenFrameResolver, ThePointersScreenThenTheCatsThenTheNearestFirstOnATie) {
    // The pointer's screen, else the cat's, else the nearest usable one.
    const Rect left{{0, 0}, {1440, 1200}};
    const Rect right{{1440, 0}, {1000, 600}};
    const std::vector<Rect> frames{{{0, 0}, {0, 0}}, left, right};
    const std::tuple<Point, Point, Rect> cases[] = {
        {{1440, 300}, {100, 100}, right},    {{1439.9, 300}, {2000, 100}, left},
        {{2000, 900}, {2000, 100}, right},   {{2000, 900}, {100, 100}, left},
        {{2300, 1000}, {9000, 9000}, right}, {{-50, -50}, {9000, 9000}, left},
    };
    for (const auto& [pointer, origin, expected] : cases) {
        EXPECT_EQ(Resolver::screenFrame(frames, pointer, origin, panel), expected)
            << pointer.x << ", " << pointer.y;
    }
    const Rect first{{0, 0}, {100, 100}};
    const Rect second{{200, 0}, {100, 100}};
    EXPECT_EQ(Resolver::nearestScreenFrame(std::vector{first, second}, {150, 50}), first);
    EXPECT_EQ(Resolver::nearestScreenFrame(std::vector{second, first}, {150, 50}), second);
}

TEST(DiagnosticsRecorder, AWindowClosesOneIntervalAfterItOpenedAndABackwardClockRestartsIt) {
    TemporaryFolder folder;
    writeFile(folder / "statm", "250000 66560 1000 300 0 9000 0\n");
    PurloDiagnosticsRecorder recorder;
    recorder.memorySampler = ResidentMemorySampler(folder / "statm", 4096);
    for (const double uptime : {1000.0, 1000.25, 1000.5, 1000.75}) {
        EXPECT_EQ(recorder.record(uptime), std::nullopt);
    }
    const auto snapshot = recorder.record(1001);
    ASSERT_TRUE(snapshot);
    EXPECT_EQ(snapshot->tickRate, 4.0);
    EXPECT_EQ(snapshot->longestFrameInterval, 0.25);
    EXPECT_EQ(snapshot->memoryMegabytes, 260.0);
    EXPECT_EQ(snapshot->level, watching);
    EXPECT_EQ(recorder.record(1001.5), std::nullopt) << "the next window opened at 1001";
    EXPECT_EQ(recorder.record(990), std::nullopt);
    EXPECT_EQ(recorder.record(991)->sampleDuration, 1.0);
}

// The summary is kept open between readings, and each reading sees it as it is now: not
// there yet, then rewritten in place, well formed or not. Its second figure is the
// resident size in pages of the given size.
TEST(ResidentMemorySampler, EachReadingSeesTheSummaryAsItIsNow) {
    TemporaryFolder folder;
    const auto summary = folder / "statm";
    const std::optional<double> none;
    // What the file holds before each reading ("": no file yet), what the reading says.
    const std::pair<std::string, std::optional<double>> readings[] = {
        {"", none},
        {"9000 256 100 30 0 800 0\n", 1.0},
        {"250000 66560 1000 300 0 9000 0\n", 260.0},
        {"9000 512\n", 2.0},
        {"9000 768", 3.0},
        {"9000\n", none},
        {"9000 -256 100\n", none},
        {"9000 256kB 100\n", none},
        {" 9000 256 100\n", none},
        {"\n", none},
    };
    const ResidentMemorySampler sampler(summary, 4096);
    for (const auto& [text, megabytes] : readings) {
        if (!text.empty()) {
            writeFile(summary, text);
        }
        EXPECT_EQ(sampler.footprintMegabytes(), megabytes) << text;
    }
}

// The figure the kernel's status file gives as VmRSS, in kibibytes.
double statusResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("VmRSS:")) {
            return std::stod(line.substr(6)) / 1024;
        }
    }
    return 0;
}

TEST(ResidentMemorySampler, ReadsWhatTheStatusCallsResidentForThisProgram) {
    const std::optional<double> megabytes = ResidentMemorySampler().footprintMegabytes();
    ASSERT_TRUE(megabytes);
    EXPECT_NEAR(*megabytes, statusResidentMegabytes(), 0.5);
}

TEST(DiagnosticsLevel, GradesRateGapsAndMemory) {
    const std::optional<double> no;
    const std::tuple<double, double, std::optional<double>, PurloDiagnosticsLevel> cases[] = {
        {10, 0.1, no, steady},      {10, 0.1, 250.0, steady},    {10, 0.1, 250.5, watching},
        {10, 0.1, 500.0, watching}, {10, 0.1, 500.5, attention}, {7.0, 0.35, no, steady},
        {6.9, 0.1, no, watching},   {10, 0.36, no, watching},    {10, 0.75, no, watching},
        {10, 0.76, no, attention},  {4.0, 0.3, no, watching},    {3.9, 0.3, no, attention},
    };
    for (const auto& [rate, longest, memory, level] : cases) {
        EXPECT_EQ(diagnosticsLevel(rate, longest, memory), level)
            << rate << " fps, " << longest << " s, " << memory.value_or(-1) << " MiB";
    }
}

} // namespace
} // namespace purlo
