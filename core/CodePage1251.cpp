#include "core/CodePage1251.h"

#include "core/SystemText.h"

#include <array>
#include <cstddef>
#include <cstdio>
#include <stdexcept>
#include <unordered_map>

namespace lirbo::core::cp1251 {

namespace {

// Unicode code points of the bytes 0x80 to 0xFF.
constexpr std::array<char16_t, 128> kUpperHalf = {
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
