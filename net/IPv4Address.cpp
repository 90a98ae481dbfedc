#include "net/IPv4Address.h"

#include <cstddef>

namespace lirbo::net {

namespace {

// Converts one part as a whole; nullopt when it holds anything but one number. Values far out of
// every valid range are clamped so that no input can overflow.
std::optional<long long> partValue(const std::string& part) {
    std::size_t i = 0;
    while (i < part.size() && (part[i] == ' ' || part[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < part.size() && (part[i] == '+' || part[i] == '-')) {
        negative = part[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < part.size() && (part[i] == '$' || part[i] == 'x' || part[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < part.size() && part[i] == '0' && (part[i + 1] == 'x' || part[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == part.size()) {
        return std::nullopt;
    }
    constexpr long long kClamp = 1LL << 40;
    long long value = 0;
    for (; i < part.size(); ++i) {
        const char c = part[i];
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > kClamp) {
            value = kClamp;
        }
    }
    return negative ? -value : value;
}

bool inRange(const std::optional<long long>& value, long long max) {
    return value && *value >= 0 && *value <= max;
}

std::uint8_t byteOf(long long value, int shift) {
    return static_cast<std::uint8_t>((value >> shift) & 0xFF);
}

} // namespace

std::optional<IPv4Address> IPv4Address::parse(const std::string& text) {
    std::string parts[4];
    std::size_t start = 0;
    for (int n = 0; n < 3; ++n) {
        const std::size_t dot = text.find('.', start);
        if (dot == std::string::npos) {
            parts[n] = text.substr(start);
            start = text.size() + 1; // the remaining parts stay empty
            break;
        }
        parts[n] = text.substr(start, dot - start);
        start = dot + 1;
    }
    if (start <= text.size()) {
        parts[3] = text.substr(start);
    }

    if (parts[1].empty()) {
        const auto whole = partValue(parts[0]);
        if (!inRange(whole, 0xFFFFFFFFLL)) {
            return std::nullopt;
        }
        return IPv4Address(byteOf(*whole, 24), byteOf(*whole, 16), byteOf(*whole, 8), byteOf(*whole, 0));
    }
    const auto first = partValue(parts[0]);
    const auto second = partValue(parts[1]);
    if (parts[2].empty()) {
        if (!inRange(first, 255) || !inRange(second, 0xFFFFFF)) {
            return std::nullopt;
        }
        return IPv4Address(byteOf(*first, 0), byteOf(*second, 16), byteOf(*second, 8), byteOf(*second, 0));
    }
    const auto third = partValue(parts[2]);
    if (parts[3].empty()) {
        if (!inRange(first, 255) || !inRange(second, 255) || !inRange(third, 0xFFFF)) {
            return std::nullopt;
        }
        return IPv4Address(byteOf(*first, 0), byteOf(*second, 0), byteOf(*third, 8), byteOf(*third, 0));
    }
    const auto fourth = partValue(parts[3]);
    if (!inRange(first, 255) || !inRange(second, 255) || !inRange(third, 255) || !inRange(fourth, 255)) {
        return std::nullopt;
    }
    return IPv4Address(byteOf(*first, 0), byteOf(*second, 0), byteOf(*third, 0), byteOf(*fourth, 0));
}

std::string IPv4Address::toString() const {
    return std::to_string(m_bytes[0]) + '.' + std::to_string(m_bytes[1]) + '.' + std::to_string(m_bytes[2]) + '.' +
           std::to_string(m_bytes[3]);
}

} // namespace lirbo::net
