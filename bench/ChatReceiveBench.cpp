// The receive path as the main thread runs it: decode, build the lines, append to the transcript.
// Compares an empty transcript with one kept at its full 64K capacity, where every append also
// removes the oldest message, and measures decoding alone as the raw baseline.
#include "core/ChatController.h"
#include "core/ChatDatagram.h"
#include "support/ChatPortFakes.h"

#include <benchmark/benchmark.h>

namespace {

using namespace lirbo::core;

std::string datagram(std::int64_t bodyLength) {
    return "V3Vasya;" + std::string(static_cast<std::size_t>(bodyLength), 'x');
}

void receivePath(benchmark::State& state, bool full) {
    lirbo::test::FakeSender sender;
    lirbo::test::FakePeers peers;
    lirbo::test::FakeInput input;
    lirbo::test::FakeClock clock;
    lirbo::test::FakeBeeper beeper;
    TChatTranscript transcript;
    TChatController controller({sender, peers, input, clock, beeper, transcript}, "nik", 0);
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
}

void BM_ReceiveEmptyTranscript(benchmark::State& state) {
    receivePath(state, false);
}
void BM_ReceiveFullTranscript(benchmark::State& state) {
    receivePath(state, true);
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

} // namespace

BENCHMARK_MAIN();
