#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace lirbo::net {

// An IPv4 address as its four bytes in network order (the first byte goes first on the wire).
class IPv4Address {
public:
    IPv4Address() = default;
    IPv4Address(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4) : m_bytes{b1, b2, b3, b4} {}

    // Reads the four address forms: "a" (32 bits), "a.b" (8.24), "a.b.c" (8.8.16) and "a.b.c.d",
    // each part decimal or hexadecimal ("$", "x", "X", "0x", "0X"), optionally signed and after
    // leading blanks. The text is cut at its first three dots; anything else is not an address.
    static std::optional<IPv4Address> parse(const std::string& text);

    static IPv4Address any() { return {}; }
    static IPv4Address loopback() { return {127, 0, 0, 1}; }

    const std::array<std::uint8_t, 4>& bytes() const { return m_bytes; }
    // Dotted decimal without leading zeros: "10.0.0.1".
    std::string toString() const;

    bool operator==(const IPv4Address& other) const { return m_bytes == other.m_bytes; }
    bool operator!=(const IPv4Address& other) const { return !(*this == other); }

private:
    std::array<std::uint8_t, 4> m_bytes{};
};

} // namespace lirbo::net
