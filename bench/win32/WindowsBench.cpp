// Figures of the Windows program under Wine, against a minimal Win32 window in the same prefix:
// exec to window shown and resident memory (bench/win32/receive_bench.py measures receiving).
// Usage: lirbo_windows_bench LIRBO.EXE MINIMAL.EXE WORK_FOLDER [RUNS]
// (prints a small table; run by scripts/bench-windows.sh inside a network namespace)
#include "tests/win32/Remote.h"
#include "ui/win32/resource.h"

#include <algorithm>
#include <cstdio>
#include <psapi.h>
#include <string>
#include <vector>

using namespace lirbo::driver;

namespace {

double seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

struct Started {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    double shownAfter = 0;
};

Started start(const std::string& exe, const std::string& folder, const char* windowClass) {
    Started s;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"";
    const double begin = seconds();
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &s.process)) {
        return s;
    }
    waitFor([&] { return (s.window = findTopLevel(s.process.dwProcessId, windowClass)) != nullptr; });
    s.shownAfter = seconds() - begin;
    return s;
}

double residentMiB(HANDLE process) {
    WaitForInputIdle(process, kWaitMs);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, &counters, sizeof counters);
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

void stop(Started& s) {
    if (s.window != nullptr) {
        PostMessageW(s.window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(s.process.hProcess, kWaitMs) != WAIT_OBJECT_0) {
        TerminateProcess(s.process.hProcess, 1);
    }
    CloseHandle(s.process.hThread);
    CloseHandle(s.process.hProcess);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: lirbo_windows_bench LIRBO.EXE MINIMAL.EXE WORK_FOLDER [RUNS]\n");
        return 2;
    }
    const std::string lirbo = argv[1];
    const std::string minimal = argv[2];
    const std::string folder = argv[3];
    const int runs = argc > 4 ? std::atoi(argv[4]) : 7;

    std::vector<double> lirboShown, minimalShown, lirboMemory, minimalMemory;
    for (int i = 0; i < runs; ++i) {
        Started m = start(minimal, folder, "MinimalWindow");
        minimalShown.push_back(m.shownAfter);
        minimalMemory.push_back(residentMiB(m.process.hProcess));
        stop(m);
        Started l = start(lirbo, folder, "TMainChat");
        lirboShown.push_back(l.shownAfter);
        lirboMemory.push_back(residentMiB(l.process.hProcess));
        stop(l);
    }
    std::printf("exec to window shown: lirbo %.1f ms, minimal window %.1f ms, ratio %.2f (median of %d)\n",
                median(lirboShown) * 1000, median(minimalShown) * 1000, median(lirboShown) / median(minimalShown),
                runs);
    std::printf("resident memory: lirbo %.1f MiB, minimal window %.1f MiB, ratio %.2f\n", median(lirboMemory),
                median(minimalMemory), median(lirboMemory) / median(minimalMemory));

    return 0;
}
