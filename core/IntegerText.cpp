#include "core/IntegerText.h"

namespace lirbo::core {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Length of the hexadecimal prefix at the start of `text`, 0 when there is none.
std::size_t hexPrefixLength(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    if (text[0] == '$' || text[0] == 'x' || text[0] == 'X') {
        return 1;
    }
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        return 2;
    }
    return 0;
}

std::optional<std::uint32_t> parseHex(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int digit = hexDigit(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

// The magnitude of a decimal number, up to 2^31 (the magnitude of the most negative value).
std::optional<std::uint32_t> parseDecimal(std::string_view digits, bool negative) {
    if (digits.empty()) {
        return std::nullopt;
    }
    const std::uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    std::uint64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > limit) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

// Two's-complement reading of 32 bits, without relying on implementation-defined conversions.
std::int32_t fromBits(std::uint32_t bits) {
    if (bits <= 0x7FFFFFFFu) {
        return static_cast<std::int32_t>(bits);
    }
    return static_cast<std::int32_t>(bits - 0x80000000u) - 0x7FFFFFFF - 1;
}

} // namespace

std::optional<std::int32_t> parseInteger(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::string_view rest = text.substr(pos);

    if (const std::size_t prefix = hexPrefixLength(rest); prefix > 0) {
        const auto bits = parseHex(rest.substr(prefix));
        if (!bits) {
            return std::nullopt;
        }
        // Negation in unsigned arithmetic wraps like the 32-bit integer it stands for.
        return fromBits(negative ? 0u - *bits : *bits);
    }
    const auto magnitude = parseDecimal(rest, negative);
    if (!magnitude) {
        return std::nullopt;
    }
    return fromBits(negative ? 0u - *magnitude : *magnitude);
}

std::int32_t integerOrDefault(std::string_view text, std::int32_t fallback) {
    return parseInteger(text).value_or(fallback);
}

} // namespace lirbo::core
