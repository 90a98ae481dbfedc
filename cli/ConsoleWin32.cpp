#include "cli/ConsoleIo.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
// clang-format off
#include <windows.h>
#include <shellapi.h> // after windows.h, whose types it uses
// clang-format on

namespace lirbo::cli {

namespace {

std::string toUtf8(const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size, nullptr, nullptr);
    return utf8;
}

std::wstring toWide(const std::string& text, UINT codePage) {
    if (text.empty()) {
        return {};
    }
    const int size = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

// Typed into the console: the characters themselves, whatever the code page. Ctrl+Z at the start
// of a line ends the input, as it does for every console program.
bool readConsoleLine(HANDLE input, std::string& line) {
    static std::wstring pending;
    static bool ended = false;
    std::size_t end;
    while ((end = pending.find(L'\n')) == std::wstring::npos && !ended) {
        wchar_t chunk[1024];
        DWORD read = 0;
        if (!ReadConsoleW(input, chunk, 1024, &read, nullptr) || read == 0) {
            ended = true;
            break;
        }
        pending.append(chunk, read);
    }
    if (!pending.empty() && pending.front() == L'\x1A') {
        ended = true;
        pending.clear();
    }
    if (pending.empty() && ended) {
        return false;
    }
    std::wstring wide = pending.substr(0, end);
    pending.erase(0, end == std::wstring::npos ? end : end + 1);
    if (!wide.empty() && wide.back() == L'\r') {
        wide.pop_back();
    }
    line = toUtf8(wide);
    return true;
}

// From a pipe or a file: bytes in the console's input code page (the OEM code page without a
// console), as the system's own console programs read and write them.
bool readByteLine(std::string& line) {
    static const bool binary = _setmode(_fileno(stdin), _O_BINARY) != -1;
    (void)binary;
    std::string bytes;
    int c;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n') {
        bytes.push_back(static_cast<char>(c));
    }
    if (c == EOF && bytes.empty()) {
        return false;
    }
    if (!bytes.empty() && bytes.back() == '\r') {
        bytes.pop_back();
    }
    const UINT consoleCodePage = GetConsoleCP();
    line = toUtf8(toWide(bytes, consoleCodePage != 0 ? consoleCodePage : GetOEMCP()));
    return true;
}

bool writeLine(DWORD which, std::FILE* stream, const std::string& utf8) {
    const HANDLE handle = GetStdHandle(which);
    if (isConsole(handle)) {
        const std::wstring wide = toWide(utf8 + "\n", CP_UTF8);
        DWORD written = 0;
        return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != 0;
    }
    static const bool binary = _setmode(_fileno(stdout), _O_BINARY) != -1 && _setmode(_fileno(stderr), _O_BINARY) != -1;
    (void)binary;
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fputc('\n', stream);
    return std::fflush(stream) == 0 && std::ferror(stream) == 0;
}

} // namespace

std::vector<std::string> utf8Arguments(int, char**) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        arguments.push_back(toUtf8(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}

bool readInputLine(std::string& line) {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    return isConsole(input) ? readConsoleLine(input, line) : readByteLine(line);
}

bool writeOutputLine(const std::string& utf8) {
    return writeLine(STD_OUTPUT_HANDLE, stdout, utf8);
}

bool writeErrorLine(const std::string& utf8) {
    return writeLine(STD_ERROR_HANDLE, stderr, utf8);
}

} // namespace lirbo::cli
