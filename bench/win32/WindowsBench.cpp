// Figures of the Windows program under Wine, against a minimal Win32 window in the same prefix:
// exec to window shown, resident memory, and the receive rate with a full transcript.
// Usage: lirbo_windows_bench LIRBO.EXE MINIMAL.EXE WORK_FOLDER [RUNS]
// (prints a small table; run by scripts/bench-windows.sh inside a network namespace)
// clang-format off
#include <winsock2.h>
// clang-format on
#include "tests/win32/Remote.h"
#include "ui/win32/resource.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <psapi.h>
#include <sstream>
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

std::size_t lines(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\history\\*.txt").c_str(), &found);
    std::size_t count = 0;
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        std::ifstream in(folder + "\\history\\" + found.cFileName, std::ios::binary);
        count += static_cast<std::size_t>(std::count(std::istreambuf_iterator<char>(in), {}, '\n'));
    }
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
    }
    return count;
}

unsigned long long logSize(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\history\\*.txt").c_str(), &found);
    unsigned long long size = 0;
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        size += (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    }
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
    }
    return size;
}

class Sender {
public:
    Sender() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        m_socket = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
        m_to.sin_family = AF_INET;
        m_to.sin_port = htons(8800);
        m_to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    }
    ~Sender() { closesocket(m_socket); }
    void send(const std::string& bytes) {
        sendto(m_socket, bytes.data(), static_cast<int>(bytes.size()), 0, reinterpret_cast<sockaddr*>(&m_to),
               sizeof m_to);
    }

private:
    SOCKET m_socket;
    sockaddr_in m_to{};
};

std::string message(std::size_t n) {
    return "V3Bench;message number " + std::to_string(n) + " of the flood";
}

// Sends `count` messages at `rate` per second (0: as fast as the socket takes them) and waits
// until the last one shows; returns the messages shown per second and how many never showed.
void flood(Sender& sender, HWND window, const std::string& folder, std::size_t count, double rate, std::size_t& next,
           double& shownRate, std::size_t& lost) {
    const std::size_t before = lines(folder);
    const std::size_t first = next;
    const double begin = seconds();
    for (std::size_t i = 0; i < count; ++i) {
        if (rate > 0) {
            while (seconds() - begin < static_cast<double>(i) / rate) {
                Sleep(0); // pacing the sender, not waiting for the program
            }
        }
        sender.send(message(next++));
    }
    // The log grows by one line per message shown; it is done when it has stopped growing for a
    // second. Reading the whole transcript would load the program, so it is read once at the end.
    const std::string last = "message number " + std::to_string(next - 1) + " ";
    unsigned long long size = 0;
    double grown = seconds();
    double done = grown;
    waitFor(
        [&] {
            const unsigned long long now = logSize(folder);
            if (now != size) {
                size = now;
                grown = done = seconds();
            }
            return seconds() - grown > 1.0;
        },
        120000);
    waitFor([&] { return text(GetDlgItem(window, IDC_MEMOCHAT)).find(last) != std::string::npos; }, 2000);
    const double elapsed = done - begin;
    const std::size_t shown = lines(folder) - before;
    shownRate = static_cast<double>(shown) / elapsed;
    lost = count - std::min(count, shown);
    (void)first;
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

    Started l = start(lirbo, folder, "TMainChat");
    Sender sender;
    std::size_t next = 0;
    double rate = 0;
    std::size_t lost = 0;
    flood(sender, l.window, folder, 2000, 2000, next, rate, lost); // fills the 64K transcript
    flood(sender, l.window, folder, 20000, 2000, next, rate, lost);
    std::printf("full transcript, 2,000 messages/s for 10 s: %.0f shown/s, %zu lost\n", rate, lost);
    flood(sender, l.window, folder, 20000, 0, next, rate, lost);
    std::printf("full transcript, 20,000 messages as fast as they go: %.0f shown/s, %zu lost\n", rate, lost);
    stop(l);
    return 0;
}
