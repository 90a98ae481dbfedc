#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lirbo::fuzz {

// Cuts a fuzz input into fields at the byte 0x1E (record separator), so that seed files can be
// written by hand. A missing field reads as empty.
class FuzzFields {
public:
    static constexpr char kSeparator = '\x1e';

    FuzzFields(const std::uint8_t* data, std::size_t size) : m_rest(reinterpret_cast<const char*>(data), size) {}

    std::string next();
    // The first byte of the next field (0 when empty); the field is consumed.
    unsigned char nextByte();
    bool done() const { return m_finished; }

private:
    std::string_view m_rest;
    bool m_finished = false;
};

} // namespace lirbo::fuzz
