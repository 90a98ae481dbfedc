// The files, each figure beside a raw baseline on the same bytes in the same run: reading the
// bytes and cutting them into lines, or writing them to a new file and renaming it into place.
// Sizes come in pairs so the per-entry cost shows whether a figure scales linearly.
#include "core/ChatSettings.h"
#include "core/ChatTranscript.h"
#include "core/PeerList.h"
#include "core/RtfWriter.h"
#include "support/ScratchDir.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace lirbo::core;

using Scratch = lirbo::test::ScratchDir;

TPeerList peers(std::int64_t count) {
    TPeerList list;
    for (std::int64_t i = 0; i < count; ++i) {
        list.add("192.168." + std::to_string(i / 256 % 256) + "." + std::to_string(i % 256));
    }
    return list;
}

// Raw read: the file's bytes cut at every line break, nothing else.
void rawReadLines(const std::string& path) {
    const std::string bytes = Scratch::read(path);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        lines.emplace_back(bytes, start, end - start);
        start = end + 1;
    }
    benchmark::DoNotOptimize(lines.data());
}

// Raw write: the bytes to a new file, flushed to the disk and renamed over the target, which is
// what any store that survives a crash must do at the least.
void rawWrite(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".raw";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fflush(file);
    ::fsync(::fileno(file));
    std::fclose(file);
    std::rename(temporary.c_str(), path.c_str());
}

void BM_SettingsLoad(benchmark::State& state) {
    Scratch scratch;
    const TChatSettings settings(scratch.file("lirbo.ini"));
    settings.storeUserSettings(3, "Ann");
    settings.storePeerList(peers(state.range(0)));
    for (auto _ : state) {
        TPeerList list;
        benchmark::DoNotOptimize(settings.load(list));
    }
    state.counters["entries"] = static_cast<double>(state.range(0));
}

void BM_RawSettingsRead(benchmark::State& state) {
    Scratch scratch;
    const TChatSettings settings(scratch.file("lirbo.ini"));
    settings.storeUserSettings(3, "Ann");
    settings.storePeerList(peers(state.range(0)));
    for (auto _ : state) {
        rawReadLines(settings.path());
    }
    state.counters["entries"] = static_cast<double>(state.range(0));
}

void BM_SettingsStorePeers(benchmark::State& state) {
    Scratch scratch;
    const TChatSettings settings(scratch.file("lirbo.ini"));
    settings.storeUserSettings(3, "Ann");
    const TPeerList list = peers(state.range(0));
    for (auto _ : state) {
        settings.storePeerList(list);
    }
    state.counters["entries"] = static_cast<double>(state.range(0));
}

void BM_RawSettingsWrite(benchmark::State& state) {
    Scratch scratch;
    const TChatSettings settings(scratch.file("lirbo.ini"));
    settings.storeUserSettings(3, "Ann");
    settings.storePeerList(peers(state.range(0)));
    const std::string bytes = Scratch::read(settings.path());
    for (auto _ : state) {
        rawWrite(settings.path(), bytes);
    }
    state.counters["entries"] = static_cast<double>(state.range(0));
}

void BM_PeerListLoad(benchmark::State& state) {
    Scratch scratch;
    const std::string path = scratch.file("list.txt");
    peers(state.range(0)).saveToFile(path);
    for (auto _ : state) {
        TPeerList list;
        list.loadFromFile(path);
        benchmark::DoNotOptimize(list.count());
    }
    state.counters["entries"] = static_cast<double>(state.range(0));
}

void BM_RawListRead(benchmark::State& state) {
    Scratch scratch;
    const std::string path = scratch.file("list.txt");
    peers(state.range(0)).saveToFile(path);
    for (auto _ : state) {
        rawReadLines(path);
    }
    state.counters["entries"] = static_cast<double>(state.range(0));
}

void BM_PeerListSave(benchmark::State& state) {
    Scratch scratch;
    const std::string path = scratch.file("list.txt");
    const TPeerList list = peers(state.range(0));
    for (auto _ : state) {
        list.saveToFile(path);
    }
    state.counters["entries"] = static_cast<double>(state.range(0));
}

void BM_RawListWrite(benchmark::State& state) {
    Scratch scratch;
    const std::string path = scratch.file("list.txt");
    peers(state.range(0)).saveToFile(path);
    const std::string bytes = Scratch::read(path);
    for (auto _ : state) {
        rawWrite(path, bytes);
    }
    state.counters["entries"] = static_cast<double>(state.range(0));
}

// A transcript holding `chars` characters of typical messages (header and body of about 60).
TChatTranscript transcriptOf(std::int64_t chars) {
    TChatTranscript transcript(static_cast<std::size_t>(chars));
    const std::string body = "\xcf\xf0\xe8\xe2\xe5\xf2, how are you? {braces} and \\backslash";
    for (std::size_t i = 0; transcript.length() + 64 < static_cast<std::size_t>(chars); ++i) {
        transcript.appendMessage("Vasya[14:05]//192.168.0.7", 12, TNickPalette::colour(static_cast<int>(i % 9)), body);
    }
    return transcript;
}

void BM_RtfSave(benchmark::State& state) {
    Scratch scratch;
    const TChatTranscript transcript = transcriptOf(state.range(0));
    for (auto _ : state) {
        transcript.saveToFile(scratch.file("chat.rtf"));
    }
    state.counters["entries"] = static_cast<double>(transcript.messages().size());
}

void BM_RawRtfWrite(benchmark::State& state) {
    Scratch scratch;
    const TChatTranscript transcript = transcriptOf(state.range(0));
    const std::string bytes = transcriptToRtf(transcript);
    for (auto _ : state) {
        rawWrite(scratch.file("chat.rtf"), bytes);
    }
    state.counters["entries"] = static_cast<double>(transcript.messages().size());
}

BENCHMARK(BM_SettingsLoad)->Arg(2499)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RawSettingsRead)->Arg(2499)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SettingsStorePeers)->Arg(2499)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RawSettingsWrite)->Arg(2499)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PeerListLoad)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RawListRead)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PeerListSave)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RawListWrite)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RtfSave)->Arg(16 * 1024)->Arg(64 * 1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RawRtfWrite)->Arg(16 * 1024)->Arg(64 * 1024)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
