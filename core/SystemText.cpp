#include "core/SystemText.h"

#include "core/CodePage1251.h"

#include <array>
#include <cstdint>
#include <utility>

namespace lirbo::core::sys {

namespace {

// The code point of the well-formed UTF-8 sequence at `pos` and its length; length 0 when the
// bytes there are not one (a stray continuation byte, a cut or overlong sequence, a surrogate).
std::pair<char32_t, std::size_t> decodeAt(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<std::uint8_t>(text[pos]);
    std::size_t length = 0;
    char32_t codePoint = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        return {lead, 1};
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        codePoint = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        codePoint = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        codePoint = lead & 0x07;
        smallest = 0x10000;
    } else {
        return {0, 0};
    }
    if (pos + length > text.size()) {
        return {0, 0};
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<std::uint8_t>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            return {0, 0};
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return {0, 0};
    }
    return {codePoint, length};
}

void appendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
        return;
    }
    if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    } else {
        if (codePoint < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
            out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        }
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    }
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
}

} // namespace

std::optional<std::u32string> utf8CodePoints(std::string_view text) {
    std::u32string points;
    points.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto [codePoint, length] = decodeAt(text, pos);
        if (length == 0) {
            return std::nullopt;
        }
        points.push_back(codePoint);
        pos += length;
    }
    return points;
}

std::string cp1251ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        appendUtf8(out, cp1251::toUnicode(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string trimmedErrorText(std::string text) {
    while (!text.empty()) {
        const auto last = static_cast<unsigned char>(text.back());
        if (last <= ' ' || last == '.') {
            text.pop_back();
        } else {
            break;
        }
    }
    return text;
}

std::string utf8ToCp1251(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto [codePoint, length] = decodeAt(text, pos);
        out.push_back(length == 0 ? '?' : cp1251::fromUnicode(codePoint).value_or('?'));
        pos += length == 0 ? 1 : length;
    }
    return out;
}

std::string pathToCp1251(std::string_view path) {
    return utf8ToCp1251(path);
}

} // namespace lirbo::core::sys
