// clang-format off
#include <winsock2.h> // before the windows.h that Session.h brings
// clang-format on
#include "Session.h"

#include "Remote.h"
#include "core/CodePage1251.h"
#include "ui/win32/resource.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace lirbo::driver {

Program::Program(const std::string& exe, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &m_process)) {
        m_process = {};
    }
}

Program::~Program() {
    if (m_process.hProcess == nullptr) {
        return;
    }
    if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process.hProcess, 99);
        WaitForSingleObject(m_process.hProcess, kWaitMs);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

bool Program::waitExit(DWORD& status) {
    if (m_process.hProcess == nullptr || WaitForSingleObject(m_process.hProcess, kWaitMs) != WAIT_OBJECT_0) {
        return false;
    }
    GetExitCodeProcess(m_process.hProcess, &status);
    return true;
}

HWND Program::mainWindow() {
    if (m_main == nullptr) {
        m_main = waitTopLevel(id(), "TMainChat");
    }
    return m_main;
}

HWND Program::control(int id) {
    return GetDlgItem(mainWindow(), id);
}

std::string cp1251(std::string_view utf8) {
    return core::cp1251::fromUtf8(utf8);
}

std::string fromCp1251(std::string_view bytes) {
    const std::u16string text = core::cp1251::toUtf16(bytes);
    return utf8(std::wstring(text.begin(), text.end()));
}

// Shared for deleting too, as a careful reader does: the program replaces its files by renaming
// a new one over them, which an open handle without that share would refuse.
std::string readFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

Peer::Peer(const std::string& captureFile) : m_capture(captureFile) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    m_socket = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
}

Peer::~Peer() {
    closesocket(m_socket);
    WSACleanup();
}

void Peer::send(const std::string& bytes) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(8800);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    sendto(m_socket, bytes.data(), static_cast<int>(bytes.size()), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
}

// The capture holds one line per datagram: the sender's address, a space, the payload in hex.
int Peer::seen(const std::string& bytes) const {
    std::string hex;
    char digits[3];
    for (unsigned char c : bytes) {
        std::snprintf(digits, sizeof digits, "%02x", c);
        hex += digits;
    }
    std::istringstream lines(readFile(m_capture));
    int count = 0;
    for (std::string line; std::getline(lines, line);) {
        const auto space = line.find(' ');
        if (space != std::string::npos && line.substr(space + 1) == hex) {
            ++count;
        }
    }
    return count;
}

} // namespace lirbo::driver
