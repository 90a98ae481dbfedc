#include "app/InputRules.h"

#include "app/SentLines.h"

#include <gtest/gtest.h>

using lirbo::app::InputRules;
using lirbo::app::SentLines;

TEST(InputRulesTest, EveryLineBreakOfAPasteBecomesOneSpace) {
    const std::pair<std::string, std::string> cases[] = {
        {"one\r\ntwo\nthree\rfour", "one two three four"},
        {"\r\n\r\n", "  "},
        {"a\n\rb", "a  b"}, // LF CR is two breaks
        {"end\r", "end "},
        {"\xCF\xF0\xE8\n\xE2\xE5\xF2", "\xCF\xF0\xE8 \xE2\xE5\xF2"},
        {"plain", "plain"},
    };
    for (const auto& [pasted, shown] : cases) {
        EXPECT_EQ(InputRules::joinLines(pasted), shown) << pasted;
        EXPECT_EQ(InputRules::hasLineBreak(pasted), pasted != shown);
    }
}

TEST(InputRulesTest, LackingCharactersAreNamedOnceEach) {
    EXPECT_EQ(InputRules::lackingCharactersError(U""), "");
    const std::string error = InputRules::lackingCharactersError(U"\u4E2D\U0001F600\u4E2D\u00E9");
    EXPECT_EQ(error.substr(error.find(':')), ": U+4E2D, U+1F600, U+00E9");
}

TEST(InputRulesTest, TheLongestDatagramIncludesItsHeader) {
    const std::string nick = "Ann"; // "V3Ann;" is six bytes
    EXPECT_EQ(InputRules::tooLongError(nick, std::string(8186, 'x')), "");
    EXPECT_NE(InputRules::tooLongError(nick, std::string(8187, 'x')).find("8192"), std::string::npos);
    EXPECT_NE(InputRules::tooLongError(std::string(9000, 'n'), "x"), "");
}

TEST(SentLinesTest, KeepsTheLastFiftyAndTheLineBeingTyped) {
    SentLines lines;
    EXPECT_EQ(lines.older("typed"), "typed");
    for (int i = 0; i < 60; ++i) {
        lines.add("line " + std::to_string(i));
    }
    lines.add("line 59"); // a repeat is kept once
    std::string shown = "draft";
    for (int i = 59; i >= 10; --i) {
        shown = lines.older(shown);
        ASSERT_EQ(shown, "line " + std::to_string(i));
    }
    EXPECT_EQ(lines.older(shown), "line 10"); // the oldest kept
    for (int i = 0; i < 49; ++i) {
        shown = lines.newer(shown);
    }
    EXPECT_EQ(shown, "line 59");
    EXPECT_EQ(lines.newer(shown), "draft");
    EXPECT_EQ(lines.newer("draft"), "draft");
}
