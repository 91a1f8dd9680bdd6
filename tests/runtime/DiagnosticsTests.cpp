#include "runtime/PurloDiagnosticsRecorder.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using enum PurloDiagnosticsLevel;
using testing::TemporaryFolder;

class DiagnosticsRecorderTest : public ::testing::Test {
protected:
    // A status file of the process, as the kernel writes it, with this much resident.
    void residentKibibytes(const std::string& figure) {
        testing::writeFile(folder / "status", "Name:\tpurlo\nVmPeak:\t  999999 kB\nVmRSS:\t" +
                                                  figure + " kB\nThreads:\t1\n");
        recorder.memorySampler = ResidentMemorySampler(folder / "status");
    }

    void SetUp() override { recorder.memorySampler = ResidentMemorySampler("/nonexistent/status"); }

    TemporaryFolder folder;
    PurloDiagnosticsRecorder recorder;
};

TEST_F(DiagnosticsRecorderTest, WindowClosesExactlyOneIntervalAfterItOpened) {
    EXPECT_EQ(recorder.record(1000), std::nullopt);
    EXPECT_EQ(recorder.record(1000.25), std::nullopt);
    EXPECT_EQ(recorder.record(1000.5), std::nullopt);
    EXPECT_EQ(recorder.record(1000.75), std::nullopt);
    const auto snapshot = recorder.record(1001);
    ASSERT_TRUE(snapshot);
    EXPECT_EQ(snapshot->tickRate, 4.0);
    EXPECT_EQ(snapshot->averageFrameInterval, 0.25);
    EXPECT_EQ(snapshot->longestFrameInterval, 0.25);
    EXPECT_EQ(snapshot->sampleDuration, 1.0);
    EXPECT_EQ(snapshot->memoryMegabytes, std::nullopt);
    EXPECT_EQ(snapshot->level, watching);

    // The next window opened at the same instant.
    EXPECT_EQ(recorder.windowStart, 1001);
    EXPECT_EQ(recorder.intervalCount, 0);
    EXPECT_EQ(recorder.record(1001.5), std::nullopt);
    EXPECT_EQ(recorder.record(1002)->tickRate, 2.0);
}

TEST_F(DiagnosticsRecorderTest, BackwardClockRestartsTheWindow) {
    recorder.record(1000);
    recorder.record(1000.5);
    EXPECT_EQ(recorder.record(990), std::nullopt);
    EXPECT_EQ(recorder.windowStart, 990);
    EXPECT_EQ(recorder.record(990.9), std::nullopt);
    EXPECT_EQ(recorder.record(991)->sampleDuration, 1.0);
}

TEST_F(DiagnosticsRecorderTest, OneLongGapMakesAWatchfulWindow) {
    double uptime = 1000;
    recorder.record(uptime);
    for (int tick = 0; tick < 9; ++tick) {
        uptime += 0.1;
        EXPECT_EQ(recorder.record(uptime), std::nullopt);
    }
    const auto snapshot = recorder.record(uptime + 0.4);
    ASSERT_TRUE(snapshot);
    EXPECT_NEAR(snapshot->tickRate, 10 / 1.3, 1e-9);
    EXPECT_NEAR(snapshot->longestFrameInterval, 0.4, 1e-9);
    EXPECT_NEAR(snapshot->averageFrameInterval, 0.13, 1e-9);
    EXPECT_EQ(snapshot->level, watching);
}

TEST_F(DiagnosticsRecorderTest, MemoryComesFromTheResidentSize) {
    residentKibibytes("266240"); // 260 MiB
    recorder.record(1000);
    const auto snapshot = recorder.record(1001);
    ASSERT_TRUE(snapshot);
    EXPECT_EQ(snapshot->memoryMegabytes, 260.0);
    EXPECT_EQ(snapshot->level, attention) << "one tick a second is too slow";
}

TEST(DiagnosticsLevel, GradesRateGapsAndMemory) {
    struct Case {
        double rate;
        double longest;
        std::optional<double> memory;
        PurloDiagnosticsLevel level;
    };
    const Case cases[] = {
        {10, 0.1, std::nullopt, steady},     {10, 0.1, 250.0, steady},
        {10, 0.1, 250.5, watching},          {10, 0.1, 500.0, watching},
        {10, 0.1, 500.5, attention},         {10, 0.1, 600.0, attention},
        {7.0, 0.35, std::nullopt, steady},   {6.9, 0.1, std::nullopt, watching},
        {10, 0.36, std::nullopt, watching},  {10, 0.75, std::nullopt, watching},
        {10, 0.76, std::nullopt, attention}, {4.0, 0.3, std::nullopt, watching},
        {3.9, 0.3, std::nullopt, attention},
    };
    for (const auto& [rate, longest, memory, level] : cases) {
        SCOPED_TRACE(::testing::Message()
                     << rate << " fps, " << longest << " s, " << memory.value_or(-1) << " MiB");
        EXPECT_EQ(diagnosticsLevel(rate, longest, memory), level);
    }
}

TEST(ResidentMemory, ReadsTheResidentLineInMebibytes) {
    EXPECT_EQ(residentMegabytes("VmSize:\t 9000 kB\nVmRSS:\t   51200 kB\n"), 50.0);
    EXPECT_EQ(residentMegabytes("VmRSS:\t512 kB"), 0.5);
    EXPECT_EQ(residentMegabytes("VmSize:\t 9000 kB\n"), std::nullopt);
    EXPECT_EQ(residentMegabytes("VmRSS:\t lots kB\n"), std::nullopt);
    EXPECT_EQ(residentMegabytes("VmRSS:\t 512\n"), std::nullopt);
    EXPECT_EQ(residentMegabytes("VmRSS:\t kB\n"), std::nullopt);
    EXPECT_EQ(residentMegabytes(""), std::nullopt);
    EXPECT_EQ(ResidentMemorySampler("/nonexistent/status").footprintMegabytes(), std::nullopt);

    const auto own = ResidentMemorySampler().footprintMegabytes();
    ASSERT_TRUE(own);
    EXPECT_GT(*own, 0);
}

} // namespace
} // namespace purlo
