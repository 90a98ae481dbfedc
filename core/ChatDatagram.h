#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lirbo::core {

// One chat message as it travels in a UDP datagram: the kind letter ("V" public, "T" private),
// the colour index as decimal text, the nick, ";" and the body up to the end of the datagram.
// Nothing is escaped; all text is Windows-1251 bytes.
struct TChatDatagram {
    enum class Kind { Public, Private };

    Kind kind = Kind::Public;
    int colourIndex = 0;
    std::string nick;
    std::string body;

    // Writes any index as its plain decimal text; keeping it to one digit is the caller's business.
    std::string encode() const;

    // Reads one received datagram; empty when it is malformed (no colour digit after the letter).
    // Any first byte other than "T" means public, and a datagram without ";" has an empty nick,
    // its whole rest being the body.
    static std::optional<TChatDatagram> decode(std::string_view bytes);

    friend bool operator==(const TChatDatagram& a, const TChatDatagram& b) {
        return a.kind == b.kind && a.colourIndex == b.colourIndex && a.nick == b.nick && a.body == b.body;
    }
};

} // namespace lirbo::core
