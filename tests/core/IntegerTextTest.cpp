#include "core/IntegerText.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>

namespace lirbo::core {
namespace {

struct IntegerCase {
    const char* text;
    std::optional<std::int32_t> value; // nothing: the text holds no integer
};

std::ostream& operator<<(std::ostream& out, const IntegerCase& c) {
    out << '"' << c.text << "\" -> ";
    return c.value ? out << *c.value : out << "(none)";
}

class IntegerText : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerText, ParsesOrRefuses) {
    EXPECT_EQ(parseInteger(GetParam().text), GetParam().value);
    EXPECT_EQ(integerOrDefault(GetParam().text, 77), GetParam().value.value_or(77));
}

INSTANTIATE_TEST_SUITE_P(
    Decimal, IntegerText,
    ::testing::Values(IntegerCase{"3", 3}, IntegerCase{"+3", 3}, IntegerCase{"03", 3}, IntegerCase{"  3", 3},
                      IntegerCase{" -3", -3}, IntegerCase{"-1", -1}, IntegerCase{"-0", 0}, IntegerCase{"0", 0},
                      IntegerCase{"0000000000002147483647", 2147483647}, IntegerCase{"2147483647", 2147483647},
                      IntegerCase{"-2147483648", -2147483647 - 1}, IntegerCase{"2147483648", std::nullopt},
                      IntegerCase{"-2147483649", std::nullopt}, IntegerCase{"99999999999999999999", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(Hexadecimal, IntegerText,
                         ::testing::Values(IntegerCase{"$A", 10}, IntegerCase{"$a", 10}, IntegerCase{"x1F", 31},
                                           IntegerCase{"X1f", 31}, IntegerCase{"0x1F", 31}, IntegerCase{"0X1F", 31},
                                           IntegerCase{"-$A", -10}, IntegerCase{"+0x10", 16},
                                           IntegerCase{"$FFFFFFFF", -1}, IntegerCase{"$80000000", -2147483647 - 1},
                                           IntegerCase{"-$80000000", -2147483647 - 1},
                                           IntegerCase{"$7FFFFFFF", 2147483647}, IntegerCase{"-$FFFFFFFF", 1},
                                           IntegerCase{"$000000000001", 1}, IntegerCase{"$100000000", std::nullopt},
                                           IntegerCase{"0x", std::nullopt}, IntegerCase{"$", std::nullopt},
                                           IntegerCase{"x", std::nullopt}, IntegerCase{"0xG", std::nullopt},
                                           IntegerCase{"$ A", std::nullopt}, IntegerCase{"00x1", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(NotAnInteger, IntegerText,
                         ::testing::Values(IntegerCase{"", std::nullopt}, IntegerCase{"-", std::nullopt},
                                           IntegerCase{"+", std::nullopt}, IntegerCase{"3.0", std::nullopt},
                                           IntegerCase{"3a", std::nullopt}, IntegerCase{"3 ", std::nullopt},
                                           IntegerCase{"3 4", std::nullopt}, IntegerCase{"- 3", std::nullopt},
                                           IntegerCase{"+-3", std::nullopt}, IntegerCase{"--3", std::nullopt},
                                           IntegerCase{"\t3", std::nullopt}, IntegerCase{"a", std::nullopt},
                                           // Windows-1251 digits do not exist; a high byte is just a letter.
                                           IntegerCase{"3\xB3", std::nullopt}));

} // namespace
} // namespace lirbo::core
