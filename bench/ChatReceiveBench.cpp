// The receive path as the main thread runs it: decode, build the lines, append to the transcript.
// Compares an empty transcript with one kept at its full 64K capacity, where every append also
// removes the oldest message, and measures decoding alone as the raw baseline. The full case runs
// once more with the conversation's log on, which appends and flushes a line per message.
#include "app/HistoryLog.h"
#include "core/ChatController.h"
#include "core/ChatDatagram.h"
#include "support/ChatPortFakes.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

namespace {

using namespace lirbo::core;

std::string datagram(std::int64_t bodyLength) {
    return "V3Vasya;" + std::string(static_cast<std::size_t>(bodyLength), 'x');
}

void receivePath(benchmark::State& state, bool full, bool logged = false) {
    lirbo::test::FakeSender sender;
    lirbo::test::FakePeers peers;
    lirbo::test::FakeInput input;
    lirbo::test::FakeClock clock;
    lirbo::test::FakeBeeper beeper;
    TChatTranscript transcript;
    TChatController controller({sender, peers, input, clock, beeper, transcript}, "nik", 0);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("lirbo-bench-history-" + std::to_string(::getpid()));
    lirbo::app::HistoryLog log(folder.string());
    if (logged) {
        controller.setMessageListener(&log);
    }
    const std::string bytes = datagram(state.range(0));
    const std::string address = "192.168.0.7";
    if (full) {
        while (transcript.length() + bytes.size() + 32 <= transcript.capacity()) {
            controller.receive(bytes, address);
        }
    }
    std::size_t sinceClear = 0;
    for (auto _ : state) {
        controller.receive(bytes, address);
        // Keeps the "empty" case well below the capacity, so it never trims.
        if (!full && ++sinceClear == 256) {
            transcript.clear();
            sinceClear = 0;
        }
    }
    state.SetItemsProcessed(state.iterations());
    controller.setMessageListener(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

void BM_ReceiveEmptyTranscript(benchmark::State& state) {
    receivePath(state, false);
}
void BM_ReceiveFullTranscript(benchmark::State& state) {
    receivePath(state, true);
}
void BM_ReceiveFullTranscriptLogged(benchmark::State& state) {
    receivePath(state, true, true);
}

void BM_DecodeOnly(benchmark::State& state) {
    const std::string bytes = datagram(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(TChatDatagram::decode(bytes));
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_DecodeOnly)->Arg(5)->Arg(100);
BENCHMARK(BM_ReceiveEmptyTranscript)->Arg(5)->Arg(100);
BENCHMARK(BM_ReceiveFullTranscript)->Arg(5)->Arg(100);
BENCHMARK(BM_ReceiveFullTranscriptLogged)->Arg(5)->Arg(100);

} // namespace

BENCHMARK_MAIN();
