#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The Windows-1251 code page, the program's one character set: every byte is one character.
namespace lirbo::core::cp1251 {

// Unicode code points of the bytes 0x80 to 0xFF.
inline constexpr std::array<char16_t, 128> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, 0x0410,
    0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D,
    0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A,
    0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444,
    0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// Whether `utf8` is well-formed UTF-8 and the code page holds each of its characters. Usable at
// compile time, so that a text of the program the code page cannot carry stops the build.
constexpr bool holds(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        // The code page reaches no further than U+2122: one to three bytes, never four.
        const std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 0;
        if (length == 0 || i + length > utf8.size()) {
            return false;
        }
        char32_t point = length == 1 ? lead : lead & (length == 2 ? 0x1F : 0x0F);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            point = (point << 6) | (next & 0x3F);
        }
        if ((length == 2 && point < 0x80) || (length == 3 && point < 0x800)) {
            return false; // overlong
        }
        bool held = point < 0x80;
        for (std::size_t k = 0; k < kUpperHalf.size() && !held; ++k) {
            held = kUpperHalf[k] == point;
        }
        if (!held) {
            return false;
        }
        i += length;
    }
    return true;
}

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

// UTF-8 text that ought to fit the code page, as Windows-1251 bytes. A character it lacks, or bytes
// that are not UTF-8, are a fault of the program: std::logic_error naming the text, never a "?"
// that would reach the wire or a file.
std::string fromUtf8(std::string_view text);

// A text of core/Texts.h as Windows-1251 bytes: checked when the program is built, converted on
// first use and kept, so that paths run for every datagram or logged line pay nothing more.
template <const std::string_view& Text> const std::string& fromUtf8Once() {
    static_assert(holds(Text), "Windows-1251 cannot hold this text");
    static const std::string bytes = fromUtf8(Text);
    return bytes;
}

} // namespace lirbo::core::cp1251
