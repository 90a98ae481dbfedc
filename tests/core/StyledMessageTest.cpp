#include "core/StyledMessage.h"

#include <gtest/gtest.h>

namespace lirbo::core {
namespace {

constexpr TColor kRed{255, 0, 0};

struct StyleCase {
    const char* name;
    std::string header;
    std::size_t bold;
    std::string body;
    std::string boldText, suffixText, bodyText;
    std::size_t drawn;
};

TEST(StyledMessage, RunsSoftBreaksAndCharacters) {
    const StyleCase cases[] = {
        {"nick bold, suffix apart", "Ann[14:05]//10.0.0.7", 10, "Hello", "Ann[14:05]", "//10.0.0.7", "Hello", 27},
        {"every break one soft break", "n[00:00]", 8, "a\r\nb\nc\rd\n\r", "n[00:00]", "", "a\nb\nc\nd\n\n", 19},
        {"bold cut inside CR LF keeps the break bold", "ab\r\ncd", 3, "", "ab\n", "cd", "", 7},
        {"bold past the header", "echo", 99, "", "echo", "", "", 6},
        {"no bold", "[x]", 0, "b", "", "[x]", "b", 6},
        {"other bytes as they are", std::string("\t\v\0\\{", 5), 2, "\xCF", std::string("\t\v"),
         std::string("\0\\{", 3), "\xCF", 8},
    };
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(c.name);
        TTranscriptMessage message{c.header, c.bold, kRed, c.body};
        const TStyledMessage styled = styleMessage(message);
        ASSERT_EQ(styled.header.size(), 2u);
        EXPECT_EQ(styled.header[0], (TStyledRun{c.boldText, true, false, kRed}));
        EXPECT_EQ(styled.header[1], (TStyledRun{c.suffixText, false, true, TNickPalette::kSuffixGreen}));
        EXPECT_EQ(styled.body, (TStyledRun{c.bodyText, false, false, kRed}));
        // What the views count: the drawn runs and two paragraph marks.
        EXPECT_EQ(drawnLength(message), c.drawn);
        EXPECT_EQ(drawnLength(message), c.boldText.size() + c.suffixText.size() + c.bodyText.size() + 2);
    }
}

TEST(StyledMessage, CharactersOfALinePrefix) {
    const std::string line = "a\r\nb\rc";
    const std::size_t expected[] = {0, 1, 2, 2, 3, 4, 5, 5};
    for (std::size_t bytes = 0; bytes < std::size(expected); ++bytes) {
        EXPECT_EQ(drawnCharacters(line, bytes), expected[bytes]) << bytes << " bytes";
    }
}

} // namespace
} // namespace lirbo::core
