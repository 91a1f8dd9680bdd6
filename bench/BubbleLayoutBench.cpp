// Her speech bubble laid out as the companion lays it out, with the pixel font's real
// measures, for texts of 10, 1,000 and 40,000 characters: letters without a space, words,
// CJK and emoji. The bubble shows at most two lines, so a long text should cost about what
// a short one of its kind costs; after the figures, each case is printed as a ratio to the
// 10-character text of its kind.
#include "companion/CompanionBubbleLayout.h"
#include "companion/qt/CompanionBubble.h"
#include "companion/qt/PurloFontRegistrar.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace purlo {
namespace {

// The space the companion's panel offers the bubble.
constexpr double panelWidth = 160;

const std::size_t lengths[] = {10, 1000, 40000};

// Each kind of text: the characters it repeats.
const std::pair<const char*, std::vector<std::string>> kinds[] = {
    {"letters", {"a"}},
    {"words", {"p", "u", "r", "r", " ", "a", "n", "d", " ", "n", "a", "p", " "}},
    {"cjk", {"\u732b", "\u304c", "\u65e5", "\u5411", "\u3067", "\u7720", "\u308b"}},
    {"emoji", {"\U0001F408", "\u2728", "\U0001F63A", "\U0001F9F6"}},
};

std::string textOf(const std::vector<std::string>& characters, std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        text += characters[i % characters.size()];
    }
    return text;
}

void layOut(benchmark::State& state, const QFont& font, const std::string& text) {
    for (auto _ : state) {
        // A fresh set of measures, as the bubble takes for each layout.
        const CompanionBubbleLayout layout = CompanionBubbleLayout::make(
            text, panelWidth, bubbleTextMetrics(font), CompanionBubble::defaultLineWidth);
        benchmark::DoNotOptimize(layout.lines.data());
    }
}

// Prints as usual and keeps each case's median processor time.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.aggregate_name == "median") {
                medians[run.run_name.function_name] = run.GetAdjustedCPUTime();
            }
        }
    }

    std::map<std::string, double> medians;
};

std::string caseName(const char* kind, std::size_t length) {
    return std::string("BubbleLayout/") + kind + "/" + std::to_string(length);
}

} // namespace
} // namespace purlo

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    purlo::PurloFontRegistrar& fonts = purlo::PurloFontRegistrar::shared();
    fonts.registerBundledFonts(QCoreApplication::applicationDirPath().toStdString());
    if (!fonts.family(purlo::PurloFontRegistrar::pixelFontName)) {
        std::printf("The pixel font is not beside the program: measuring the default font.\n");
    }
    const QFont font = fonts.font(purlo::PurloFontRegistrar::pixelFontName,
                                  static_cast<int>(purlo::CompanionBubbleLayout::pointSize));

    for (const auto& [kind, characters] : purlo::kinds) {
        for (const std::size_t length : purlo::lengths) {
            benchmark::RegisterBenchmark(purlo::caseName(kind, length).c_str(), purlo::layOut, font,
                                         purlo::textOf(characters, length))
                ->Unit(benchmark::kMicrosecond)
                ->Repetitions(5)
                ->ReportAggregatesOnly(true);
        }
    }
    benchmark::Initialize(&argc, argv);
    purlo::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    for (const auto& [kind, characters] : purlo::kinds) {
        const auto shortest = reporter.medians.find(purlo::caseName(kind, purlo::lengths[0]));
        for (const std::size_t length : purlo::lengths) {
            const auto found = reporter.medians.find(purlo::caseName(kind, length));
            if (found != reporter.medians.end() && shortest != reporter.medians.end()) {
                std::printf("%-30s %10.1f us, %8.1f times the %zu-character text\n",
                            found->first.c_str(), found->second, found->second / shortest->second,
                            purlo::lengths[0]);
            }
        }
    }
    return 0;
}
