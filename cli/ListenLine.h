#pragma once

#include "core/ChatDatagram.h"

#include <string>

namespace lirbo::cli {

// One received message as lirbo-listen prints it, in UTF-8. Plain: time, address, "public" or
// "private", nick and text separated by tabs; a backslash, and every byte that a terminal could
// take for a command (below 0x20, 0x7F, and 0x98, which stands for U+0098), written as \\ and \xHH.
// JSON: one object with "time", "address", "kind", "colour", "nick" and "text", escaped as JSON
// requires, the same bytes as \u00HH. Remote text is never anything but text.
class ListenLine {
public:
    static std::string plain(const std::string& time, const std::string& address, const core::TChatDatagram& message);
    static std::string json(const std::string& time, const std::string& address, const core::TChatDatagram& message);
};

} // namespace lirbo::cli
