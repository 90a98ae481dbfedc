// The four IPv4 address forms, against a second, independent reading of their rules; every
// address written in dotted decimal reads back as itself, and so do its shorter forms.
#include "FuzzSupport.h"
#include "net/IPv4Address.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

using lirbo::net::IPv4Address;

namespace {

// One part's value; nullopt when it is no number. Values of more than 12 digits read as 2^40 (out of every range).
std::optional<std::int64_t> partValue(const std::string& part) {
    std::size_t i = part.find_first_not_of(" \t");
    if (i == std::string::npos) {
        return std::nullopt;
    }
    bool negative = false;
    if (part[i] == '+' || part[i] == '-') {
        negative = part[i] == '-';
        ++i;
    }
    bool hex = false;
    if (part.compare(i, 1, "$") == 0 || part.compare(i, 1, "x") == 0 || part.compare(i, 1, "X") == 0) {
        hex = true;
        i += 1;
    } else if (part.compare(i, 2, "0x") == 0 || part.compare(i, 2, "0X") == 0) {
        hex = true;
        i += 2;
    }
    const std::string digits = part.substr(std::min(i, part.size()));
    if (digits.empty() ||
        digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const std::size_t first = digits.find_first_not_of('0');
    const std::string significant = first == std::string::npos ? "0" : digits.substr(first);
    std::int64_t value = significant.size() > 12
                             ? (std::int64_t{1} << 40)
                             : static_cast<std::int64_t>(std::strtoll(significant.c_str(), nullptr, hex ? 16 : 10));
    return negative ? -value : value;
}

bool within(const std::optional<std::int64_t>& value, std::int64_t max) {
    return value && *value >= 0 && *value <= max;
}

std::optional<IPv4Address> reference(const std::string& text) {
    // Parts 1 to 3 end at the first three dots; the fourth is everything after the third.
    std::array<std::string, 4> parts;
    std::size_t start = 0;
    int filled = 0;
    while (filled < 3) {
        const std::size_t dot = text.find('.', start);
        if (dot == std::string::npos) {
            break;
        }
        parts[static_cast<std::size_t>(filled++)] = text.substr(start, dot - start);
        start = dot + 1;
    }
    parts[static_cast<std::size_t>(filled)] = text.substr(std::min(start, text.size()));

    const auto byte = [](std::int64_t v, int shift) { return static_cast<std::uint8_t>((v >> shift) & 0xFF); };
    const auto p0 = partValue(parts[0]);
    if (parts[1].empty()) {
        if (!within(p0, 0xFFFFFFFF)) {
            return std::nullopt;
        }
        return IPv4Address(byte(*p0, 24), byte(*p0, 16), byte(*p0, 8), byte(*p0, 0));
    }
    const auto p1 = partValue(parts[1]);
    if (parts[2].empty()) {
        if (!within(p0, 255) || !within(p1, 0xFFFFFF)) {
            return std::nullopt;
        }
        return IPv4Address(byte(*p0, 0), byte(*p1, 16), byte(*p1, 8), byte(*p1, 0));
    }
    const auto p2 = partValue(parts[2]);
    if (parts[3].empty()) {
        if (!within(p0, 255) || !within(p1, 255) || !within(p2, 0xFFFF)) {
            return std::nullopt;
        }
        return IPv4Address(byte(*p0, 0), byte(*p1, 0), byte(*p2, 8), byte(*p2, 0));
    }
    const auto p3 = partValue(parts[3]);
    if (!within(p0, 255) || !within(p1, 255) || !within(p2, 255) || !within(p3, 255)) {
        return std::nullopt;
    }
    return IPv4Address(byte(*p0, 0), byte(*p1, 0), byte(*p2, 0), byte(*p3, 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto parsed = IPv4Address::parse(text);
    LIRBO_FUZZ_CHECK(parsed == reference(text));
    if (parsed) {
        LIRBO_FUZZ_CHECK(IPv4Address::parse(parsed->toString()) == parsed);
    }

    std::array<std::uint8_t, 4> b{};
    for (std::size_t i = 0; i < b.size() && i < size; ++i) {
        b[i] = data[i];
    }
    const IPv4Address address(b[0], b[1], b[2], b[3]);
    const std::string dotted = address.toString();
    LIRBO_FUZZ_CHECK(IPv4Address::parse(dotted) == address);
    const std::uint32_t whole = std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 | std::uint32_t{b[2]} << 8 | b[3];
    LIRBO_FUZZ_CHECK(IPv4Address::parse(std::to_string(whole)) == address);
    LIRBO_FUZZ_CHECK(IPv4Address::parse(std::to_string(b[0]) + "." + std::to_string(whole & 0xFFFFFF)) == address);
    char hexForms[64];
    std::snprintf(hexForms, sizeof hexForms, " 0x%x.$%X.x%x.+%u", b[0], b[1], b[2], b[3]);
    LIRBO_FUZZ_CHECK(IPv4Address::parse(hexForms) == address);
    return 0;
}
