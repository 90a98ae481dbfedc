#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lirbo::core {

// The integer that a settings value holds: optional spaces, at most one sign, then either a
// hexadecimal number after "$", "x", "X", "0x" or "0X" whose value fits in 32 bits (taken as two's
// complement, so $FFFFFFFF is -1) or decimal digits within the signed 32-bit range. Nothing may
// follow the digits. Anything else is no integer.
std::optional<std::int32_t> parseInteger(std::string_view text);

// parseInteger, or `fallback` when the text holds no integer.
std::int32_t integerOrDefault(std::string_view text, std::int32_t fallback);

} // namespace lirbo::core
