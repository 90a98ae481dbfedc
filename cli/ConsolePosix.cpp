#include "cli/ConsoleIo.h"
#include "core/ByteOrderMark.h"

#include <cstdio>
#include <iostream>

namespace lirbo::cli {

namespace {

bool writeLine(std::FILE* stream, const std::string& utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fputc('\n', stream);
    return std::fflush(stream) == 0 && std::ferror(stream) == 0;
}

} // namespace

std::vector<std::string> utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

bool readInputLine(std::string& line) {
    static bool first = true;
    if (!std::getline(std::cin, line)) {
        return false;
    }
    if (first && core::startsWithByteOrderMark(line)) {
        line.erase(0, core::utf8ByteOrderMark.size());
    }
    first = false;
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

bool writeOutputLine(const std::string& utf8) {
    return writeLine(stdout, utf8);
}

bool writeErrorLine(const std::string& utf8) {
    return writeLine(stderr, utf8);
}

} // namespace lirbo::cli
