#pragma once

#include <string>
#include <string_view>
#include <windows.h>

// One running lirbo.exe started by the driver in a working folder of its own, the folder's files,
// and a scripted peer that sends datagrams to port 8800 and reads what went on the wire.
namespace lirbo::driver {

class Program {
public:
    Program(const std::string& exe, const std::string& folder);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD id() const { return m_process.dwProcessId; }
    bool started() const { return m_process.hProcess != nullptr; }
    // Waits until it ends; false when it does not within the wait. Its exit status in `status`.
    bool waitExit(DWORD& status);
    HWND mainWindow(); // waits for the main window to show
    HWND control(int id);

private:
    PROCESS_INFORMATION m_process{};
    HWND m_main = nullptr;
};

// What goes on the wire or into the program's files is Windows-1251, whatever the system's code
// page: UTF-8 text as those bytes (core's one table), and such bytes read back as UTF-8.
std::string cp1251(std::string_view utf8);
std::string fromCp1251(std::string_view bytes);

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

class Peer {
public:
    explicit Peer(const std::string& captureFile);
    ~Peer();
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;

    // A datagram with exactly these bytes from 127.0.0.1 to port 8800.
    void send(const std::string& bytes);
    // How many datagrams with exactly these bytes went to port 8800 so far.
    int seen(const std::string& bytes) const;

private:
    std::string m_capture;
    unsigned long long m_socket;
};

} // namespace lirbo::driver
