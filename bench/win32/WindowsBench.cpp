// Start-up figures of the Windows program under Wine, against floors in the same prefix: exec to
// the main window shown, to input idle (the first paint done: a program waits for input only once
// its paint messages are handled), resident and private memory. The programs start in turn, in a
// rotated order, with a pause between starts, so that each meets the same machine and caches.
// Usage: lirbo_windows_bench WORK_FOLDER RUNS NAME=WINDOW_CLASS=EXE... (the first is compared with
//        the second; prints a small table; run by scripts/bench-windows.sh in a network namespace)
#include "tests/win32/Remote.h"

#include <algorithm>
#include <cstdio>
#include <psapi.h>
#include <string>
#include <vector>

using namespace lirbo::driver;

namespace {

constexpr DWORD kPauseMs = 500;

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

struct Program {
    std::string name;
    std::string windowClass;
    std::string exe;
    std::vector<double> shownMs, idleMs, residentMiB, privateMiB;
};

struct Spread {
    double median, low, high;
};

Spread spread(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? Spread{0, 0, 0} : Spread{values[values.size() / 2], values.front(), values.back()};
}

void run(Program& p, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + p.exe + "\"";
    const double begin = seconds();
    if (!CreateProcessA(p.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process)) {
        std::fprintf(stderr, "cannot start %s\n", p.exe.c_str());
        return;
    }
    HWND window = nullptr;
    for (;;) { // a poll of 1 ms: the time to shown is a few hundred
        window = findTopLevel(process.dwProcessId, p.windowClass.c_str());
        if (window != nullptr || seconds() - begin > kWaitMs / 1000.0) {
            break;
        }
        Sleep(1);
    }
    const double shown = seconds();
    WaitForInputIdle(process.hProcess, kWaitMs);
    const double idle = seconds();
    Sleep(kPauseMs); // what the program does right after its first paint counts too
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    if (window != nullptr) {
        p.shownMs.push_back((shown - begin) * 1000);
        p.idleMs.push_back((idle - begin) * 1000);
        p.residentMiB.push_back(static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0));
        p.privateMiB.push_back(static_cast<double>(counters.PrivateUsage) / (1024.0 * 1024.0));
        PostMessageW(window, WM_CLOSE, 0, 0);
    } else {
        std::fprintf(stderr, "%s showed no window; this start is left out\n", p.name.c_str());
    }
    if (WaitForSingleObject(process.hProcess, kWaitMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    Sleep(kPauseMs);
}

void print(const char* figure, const char* unit, const std::vector<Program>& programs,
           std::vector<double> Program::*values) {
    const Spread floor = spread(programs.size() > 1 ? programs[1].*values : programs[0].*values);
    for (const Program& p : programs) {
        const Spread s = spread(p.*values);
        std::printf("%-28s %-14s %8.1f %s (%.1f-%.1f)  ratio to %s %.2f\n", figure, p.name.c_str(), s.median, unit,
                    s.low, s.high, programs.size() > 1 ? programs[1].name.c_str() : "-",
                    floor.median > 0 ? s.median / floor.median : 0.0);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: lirbo_windows_bench WORK_FOLDER RUNS NAME=WINDOW_CLASS=EXE...\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = std::max(1, std::atoi(argv[2]));
    std::vector<Program> programs;
    for (int i = 3; i < argc; ++i) {
        const std::string described = argv[i];
        const auto first = described.find('='), second = described.find('=', first + 1);
        if (first == std::string::npos || second == std::string::npos) {
            std::fprintf(stderr, "not NAME=WINDOW_CLASS=EXE: %s\n", argv[i]);
            return 2;
        }
        Program& p = programs.emplace_back();
        p.name = described.substr(0, first);
        p.windowClass = described.substr(first + 1, second - first - 1);
        p.exe = described.substr(second + 1);
    }
    for (int round = 0; round < runs; ++round) {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            run(programs[(round + i) % programs.size()], folder);
        }
    }
    std::printf("median (range) of %d starts each, interleaved in rotated order, %d ms apart\n", runs,
                static_cast<int>(kPauseMs));
    print("exec to window shown", "ms", programs, &Program::shownMs);
    print("exec to input idle", "ms", programs, &Program::idleMs);
    print("resident memory", "MiB", programs, &Program::residentMiB);
    if (spread(programs[0].privateMiB).median > 0) { // Wine 8 reports no private usage
        print("private memory", "MiB", programs, &Program::privateMiB);
    }
    return 0;
}
