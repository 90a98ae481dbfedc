// The receive path as the main thread runs it: decode, build the lines, append to the transcript.
// Compares an empty transcript with one kept at its full 64K capacity, where every append also
// removes the oldest message, and measures decoding alone as the raw baseline. The full case runs
// once more with the conversation's log on: with messages from many senders every one is written
// (a line and a system call each), and in a flood from one sender the log keeps 1,000 lines in 30 s
// and only counts the rest. The bench's clock moves on a second per 1,000 messages.
#include "app/HistoryLog.h"
#include "core/ChatController.h"
#include "core/ChatDatagram.h"
#include "support/ChatPortFakes.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>
#include <vector>

namespace {

using namespace lirbo::core;

std::string datagram(std::int64_t bodyLength) {
    return "V3Vasya;" + std::string(static_cast<std::size_t>(bodyLength), 'x');
}

enum class Log { Off, ManySenders, OneSender };

void receivePath(benchmark::State& state, bool full, Log logged = Log::Off) {
    lirbo::test::FakeSender sender;
    lirbo::test::FakePeers peers;
    lirbo::test::FakeClock clock;
    TChatTranscript transcript;
    TChatController controller({sender, peers, clock, transcript}, "nik", 0);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("lirbo-bench-history-" + std::to_string(::getpid()));
    std::int64_t received = 0;
    lirbo::app::HistoryLog log(folder.string(),
                               [&] { return static_cast<std::time_t>(1'800'000'000 + received / 1000); });
    if (logged != Log::Off) {
        controller.setMessageListener(&log);
    }
    const std::string bytes = datagram(state.range(0));
    std::vector<std::string> addresses;
    for (int i = 0; i < (logged == Log::ManySenders ? 256 : 1); ++i) {
        addresses.push_back("192.168.0." + std::to_string(i));
    }
    if (full) {
        while (transcript.length() + bytes.size() + 32 <= transcript.capacity()) {
            controller.receive(bytes, addresses[0]);
        }
    }
    std::size_t sinceClear = 0;
    for (auto _ : state) {
        controller.receive(bytes, addresses[static_cast<std::size_t>(received++) % addresses.size()]);
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
    receivePath(state, true, Log::ManySenders);
}
void BM_ReceiveFloodFromOneSenderLogged(benchmark::State& state) {
    receivePath(state, true, Log::OneSender);
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
BENCHMARK(BM_ReceiveFloodFromOneSenderLogged)->Arg(5)->Arg(100);

} // namespace

BENCHMARK_MAIN();
