// The history viewer on a generated 64 MiB day, each figure beside a floor on the same file in the
// same run: reading the part that is shown (or the whole day, for the search) and nothing else.
// Counters give the longest single slice in CPU time (wall time on a busy machine says more about
// the other processes), which is how long the window can be kept from its other work.
#include "app/HistoryBrowser.h"
#include "core/FileSystem.h"
#include "support/ScratchDir.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>
#include <string>

namespace {

using lirbo::app::HistoryBrowser;
using Scratch = lirbo::test::ScratchDir;

constexpr std::uint64_t kDayBytes = std::uint64_t{64} << 20;

// A day of ordinary lines, as HistoryLog writes them, of kDayBytes or a little more.
const Scratch& day() {
    static const Scratch scratch(Scratch::Place::Memory);
    static const bool written = [] {
        std::FILE* file = std::fopen(scratch.file("2026-12-09.txt").c_str(), "wb");
        std::string lines;
        std::uint64_t size = 0;
        for (int i = 0; size < kDayBytes; ++i) {
            lines.clear();
            for (int j = 0; j < 1000; ++i, ++j) {
                lines += "2026-12-09 12:34:56\t192.168.0." + std::to_string(i % 250) +
                         "\t\xEF\xF0\xE8\xED\xFF\xF2\xEE\t\xC2\xE0\xF1\xFF\t\xEF\xF0\xE8\xE2\xE5\xF2, "
                         "message " +
                         std::to_string(i) + " with an escaped\\tTAB and some more words to read\r\n";
            }
            std::fwrite(lines.data(), 1, lines.size(), file);
            size += lines.size();
        }
        std::fclose(file);
        return true;
    }();
    benchmark::DoNotOptimize(written);
    return scratch;
}

// The process's CPU time in milliseconds; the benchmark runs on one thread.
double cpuMilliseconds() {
    return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// Floor: the bytes of the part shown, read in one go.
void BM_ReadShownPart(benchmark::State& state) {
    const std::string path = day().file("2026-12-09.txt");
    std::string bytes;
    for (auto _ : state) {
        lirbo::core::fs::FileReader file;
        file.open(path);
        file.read(file.size() - HistoryBrowser::kPageBytes, HistoryBrowser::kPageBytes, bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
}

// The day opened: its first slice (what the window shows before it returns to its loop), then
// every slice of the part shown, parsed into the transcript.
void BM_OpenDay(benchmark::State& state) {
    HistoryBrowser browser(day().path(), [] {});
    browser.refreshDays();
    double firstSlice = 0;
    double longest = 0;
    for (auto _ : state) {
        double start = cpuMilliseconds();
        browser.openDay(0);
        firstSlice = std::max(firstSlice, cpuMilliseconds() - start);
        for (bool more = true; more;) {
            start = cpuMilliseconds();
            more = browser.step();
            longest = std::max(longest, cpuMilliseconds() - start);
        }
    }
    state.counters["first_slice_cpu_ms"] = firstSlice;
    state.counters["longest_slice_cpu_ms"] = std::max(longest, firstSlice);
    state.counters["messages"] = static_cast<double>(browser.transcript().messages().size());
}

// Floor: the whole day read in slices of the same size, nothing else.
void BM_ReadWholeDay(benchmark::State& state) {
    const std::string path = day().file("2026-12-09.txt");
    std::string bytes;
    for (auto _ : state) {
        lirbo::core::fs::FileReader file;
        file.open(path);
        for (std::uint64_t at = 0; at < file.size(); at += lirbo::app::HistoryLines::kStepBytes) {
            file.read(at, lirbo::app::HistoryLines::kStepBytes, bytes);
            benchmark::DoNotOptimize(bytes.data());
        }
    }
}

// The search through the whole day for a text in no line.
void BM_SearchWholeDay(benchmark::State& state) {
    HistoryBrowser browser(day().path(), [] {});
    double longest = 0;
    for (auto _ : state) {
        browser.startSearch("\xED\xE8\xE3\xE4\xE5 \xED\xE5\xF2"); // нигде нет
        for (bool more = true; more;) {
            const double start = cpuMilliseconds();
            more = browser.step();
            longest = std::max(longest, cpuMilliseconds() - start);
        }
    }
    state.counters["longest_slice_cpu_ms"] = longest;
}

} // namespace

BENCHMARK(BM_ReadShownPart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenDay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadWholeDay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchWholeDay)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
