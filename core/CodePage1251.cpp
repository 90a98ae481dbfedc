#include "core/CodePage1251.h"

#include "core/SystemText.h"

#include <array>
#include <cstddef>
#include <cstdio>
#include <stdexcept>
#include <unordered_map>

namespace lirbo::core::cp1251 {

namespace {

const std::unordered_map<char32_t, char>& bytesOfUpperHalf() {
    static const std::unordered_map<char32_t, char> table = [] {
        std::unordered_map<char32_t, char> map;
        for (std::size_t i = 0; i < kUpperHalf.size(); ++i) {
            map.emplace(kUpperHalf[i], static_cast<char>(0x80 + i));
        }
        return map;
    }();
    return table;
}

} // namespace

char16_t toUnicode(unsigned char byte) {
    return byte < 0x80 ? static_cast<char16_t>(byte) : kUpperHalf[byte - 0x80];
}

std::optional<char> fromUnicode(char32_t codePoint) {
    if (codePoint < 0x80) {
        return static_cast<char>(codePoint);
    }
    const auto& table = bytesOfUpperHalf();
    const auto found = table.find(codePoint);
    if (found == table.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::u16string toUtf16(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        text.push_back(toUnicode(static_cast<unsigned char>(c)));
    }
    return text;
}

Encoded fromUtf16(std::u16string_view text) {
    Encoded encoded;
    encoded.bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t point = text[i];
        const bool high = point >= 0xD800 && point < 0xDC00;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            point = 0x10000 + ((point - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        const std::optional<char> byte = fromUnicode(point);
        if (!byte) {
            encoded.lacking.push_back(point);
        }
        encoded.bytes.push_back(byte.value_or('?'));
    }
    return encoded;
}

std::string fromUtf8(std::string_view text) {
    const std::optional<std::u32string> points = sys::utf8CodePoints(text);
    if (!points) {
        throw std::logic_error("program text is not UTF-8: \"" + std::string(text) + '"');
    }
    std::string bytes;
    bytes.reserve(points->size());
    for (const char32_t point : *points) {
        const std::optional<char> byte = fromUnicode(point);
        if (!byte) {
            char name[16];
            std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(point));
            throw std::logic_error("Windows-1251 lacks " + std::string(name) + " of program text \"" +
                                   std::string(text) + '"');
        }
        bytes.push_back(*byte);
    }
    return bytes;
}

} // namespace lirbo::core::cp1251
