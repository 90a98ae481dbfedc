#include "cli/ListenLine.h"

#include "core/SystemText.h"

#include <cstdio>

namespace lirbo::cli {

namespace {

bool isControl(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F || byte == 0x98;
}

std::string hex(const char* format, unsigned char byte) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, format, static_cast<unsigned>(byte));
    return escaped;
}

// Windows-1251 bytes as UTF-8, each control byte and the characters `special` lists escaped.
std::string escaped(const std::string& cp1251, bool json) {
    std::string out;
    std::string run;
    const auto flush = [&] {
        out += core::sys::cp1251ToUtf8(run);
        run.clear();
    };
    for (const char c : cp1251) {
        const auto byte = static_cast<unsigned char>(c);
        if (isControl(byte) || c == '\\' || (json && c == '"')) {
            flush();
            out += isControl(byte) ? hex(json ? "\\u%04x" : "\\x%02X", byte) : std::string{'\\', c};
        } else {
            run += c;
        }
    }
    flush();
    return out;
}

const char* kindName(const core::TChatDatagram& message) {
    return message.kind == core::TChatDatagram::Kind::Private ? "private" : "public";
}

} // namespace

std::string ListenLine::plain(const std::string& time, const std::string& address, const core::TChatDatagram& message) {
    return time + '\t' + escaped(address, false) + '\t' + kindName(message) + '\t' + escaped(message.nick, false) +
           '\t' + escaped(message.body, false);
}

std::string ListenLine::json(const std::string& time, const std::string& address, const core::TChatDatagram& message) {
    return "{\"time\":\"" + time + "\",\"address\":\"" + escaped(address, true) + "\",\"kind\":\"" + kindName(message) +
           "\",\"colour\":" + std::to_string(message.colourIndex) + ",\"nick\":\"" + escaped(message.nick, true) +
           "\",\"text\":\"" + escaped(message.body, true) + "\"}";
}

} // namespace lirbo::cli
