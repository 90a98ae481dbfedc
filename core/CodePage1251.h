#pragma once

#include <optional>
#include <string>
#include <string_view>

// The Windows-1251 code page, the program's one character set: every byte is one character.
namespace lirbo::core::cp1251 {

// The Unicode code point of a byte; 0x98, which the code page leaves unassigned, maps to U+0098.
char16_t toUnicode(unsigned char byte);

// The byte of a code point; nothing when the code page lacks it.
std::optional<char> fromUnicode(char32_t codePoint);

// Windows-1251 bytes as UTF-16, the text a Windows control shows.
std::u16string toUtf16(std::string_view bytes);

// UTF-16 text (a Windows control's) as Windows-1251 bytes. Each character the code page lacks
// stands as one "?" and is listed in `lacking`: a surrogate pair is one character, named by its
// code point; a lone surrogate is listed as itself.
struct Encoded {
    std::string bytes;
    std::u32string lacking;
};
Encoded fromUtf16(std::u16string_view text);

// One of the program's own texts (UTF-8, core/Texts.h) as Windows-1251 bytes. Those texts are
// written for this code page, so a character it lacks, or bytes that are not UTF-8, are a fault of
// the program: std::logic_error naming the text, never a "?" that would reach the wire or a file.
std::string fromUtf8(std::string_view text);

// The same, converted on first use and kept: for texts on paths that run for every datagram or
// every logged line. `Text` is a constant of core/Texts.h.
template <const std::string_view& Text> const std::string& fromUtf8Once() {
    static const std::string bytes = fromUtf8(Text);
    return bytes;
}

} // namespace lirbo::core::cp1251
