#pragma once

#include <string>

namespace lirbo::app {

// Text the user typed, as Windows-1251 bytes, with the characters Windows-1251 lacks (each of them
// stands as "?" in `text`), so that nothing is sent that the user did not see. `original` is the
// text as the front-end holds it, opaque to the rules, so that a line handed back comes back whole.
struct TypedText {
    std::string text;
    std::u32string lacking;
    std::string original;
};

// What the input line and the nick field accept before anything is sent or stored.
class InputRules {
public:
    // Receivers drop a datagram longer than this, header included.
    static constexpr std::size_t kLongestDatagram = 8192;

    // The input line holds one line: each line break of a paste (CR LF, CR or LF) becomes a space.
    // Works on any ASCII-based encoding.
    static std::string joinLines(std::string text);
    static bool hasLineBreak(const std::string& text);

    // Text as Windows-1251 bytes, each character the code page lacks standing as "?" and named in
    // `lacking`; `original` stays empty.
    static TypedText fromUnicode(const std::u32string& text);

    // Why the window would refuse to send this line under this nick (lacking characters first,
    // then the length); empty when it may go.
    static std::string outgoingError(const std::string& nick, const TypedText& line);

    // The error for text with characters Windows-1251 lacks, naming them (U+1F600, ...); empty
    // when there are none. Windows-1251 bytes.
    static std::string lackingCharactersError(const std::u32string& lacking);
    // The error for a line whose datagram would be too long for the receivers; empty when it fits.
    static std::string tooLongError(const std::string& nick, const std::string& text);
};

} // namespace lirbo::app
