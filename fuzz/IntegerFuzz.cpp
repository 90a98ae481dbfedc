// The settings file's integer conversion, against a second, independent reading of its rules,
// and every 32-bit value written in decimal and in hexadecimal reading back as itself.
#include "FuzzSupport.h"
#include "core/IntegerText.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

std::string withoutLeadingZeros(const std::string& digits) {
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? std::string("0") : digits.substr(first);
}

// Reads the rules off the text: spaces, a sign, a prefix, then digits compared as text for range.
std::optional<std::int32_t> reference(const std::string& text) {
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string::npos) {
        return std::nullopt;
    }
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
    }
    const std::string rest = text.substr(i);
    bool hex = false;
    std::size_t prefix = 0;
    if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
        hex = true;
        prefix = 1;
    } else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        hex = true;
        prefix = 2;
    }
    const std::string digits = rest.substr(prefix);
    const char* allowed = hex ? "0123456789abcdefABCDEF" : "0123456789";
    if (digits.empty() || digits.find_first_not_of(allowed) != std::string::npos) {
        return std::nullopt;
    }
    const std::string significant = withoutLeadingZeros(digits);
    if (significant.size() > (hex ? 8u : 10u)) {
        return std::nullopt;
    }
    const std::uint64_t magnitude = std::strtoull(significant.c_str(), nullptr, hex ? 16 : 10);
    if (hex) {
        const std::uint64_t bits = negative ? (0x100000000ULL - magnitude) & 0xFFFFFFFFULL : magnitude;
        return static_cast<std::int32_t>(static_cast<std::int64_t>(bits) - (bits >= 0x80000000ULL ? 0x100000000LL : 0));
    }
    const std::int64_t value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    if (value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::string hexText(std::uint32_t bits, bool upper) {
    static constexpr char kLower[] = "0123456789abcdef";
    static constexpr char kUpper[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), (upper ? kUpper : kLower)[bits & 0xF]);
        bits >>= 4;
    } while (bits != 0);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto parsed = lirbo::core::parseInteger(text);
    LIRBO_FUZZ_CHECK(parsed == reference(text));
    LIRBO_FUZZ_CHECK(lirbo::core::integerOrDefault(text, 77) == parsed.value_or(77));

    std::uint32_t bits = 0;
    std::memcpy(&bits, data, std::min<std::size_t>(size, sizeof bits));
    const auto value =
        static_cast<std::int32_t>(static_cast<std::int64_t>(bits) - (bits >= 0x80000000u ? 0x100000000LL : 0));
    LIRBO_FUZZ_CHECK(lirbo::core::parseInteger(std::to_string(value)) == value);
    LIRBO_FUZZ_CHECK(lirbo::core::parseInteger("  +0" + std::to_string(bits)) ==
                     (bits <= 0x7FFFFFFFu ? std::optional<std::int32_t>(value) : std::nullopt));
    LIRBO_FUZZ_CHECK(lirbo::core::parseInteger("$" + hexText(bits, true)) == value);
    LIRBO_FUZZ_CHECK(lirbo::core::parseInteger("0x000" + hexText(bits, false)) == value);
    return 0;
}
