#include "core/CodePage1251.h"

#include "core/SystemText.h"

#include <gtest/gtest.h>

namespace lirbo::core {
namespace {

// What a Windows control's UTF-16 text becomes as Windows-1251 bytes, and what it lacks.
TEST(CodePage1251, Utf16TextBecomesBytesAndNamesWhatItLacks) {
    struct Case {
        std::u16string text;
        std::string bytes;
        std::u32string lacking;
    };
    const Case cases[] = {
        {u"Привет, мир! 42", "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0! 42", U""},
        {u"Ёё№€", "\xA8\xB8\xB9\x88", U""},
        {u"смайл 😀 и 中文", "\xF1\xEC\xE0\xE9\xEB ? \xE8 ??", U"\U0001F600\u4E2D\u6587"},
        {u"a\xD83D", "a?", U"\xD83D"}, // a high surrogate cut off at the end
        {u"\xDE00z", "?z", U"\xDE00"}, // a low surrogate alone
        {u"\xD83D\xD83D\xDE00", "??", U"\xD83D\U0001F600"},
    };
    for (const Case& c : cases) {
        const cp1251::Encoded encoded = cp1251::fromUtf16(c.text);
        EXPECT_EQ(encoded.bytes, c.bytes);
        EXPECT_EQ(encoded.lacking, c.lacking);
    }
}

TEST(CodePage1251, EveryByteGoesToUtf16AndBack) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    const std::u16string wide = cp1251::toUtf16(all);
    EXPECT_EQ(wide.substr(0xC0, 2), u"АБ");
    EXPECT_EQ(cp1251::fromUtf16(wide).bytes, all);
}

// The program's own UTF-8 texts: every upper byte comes back, and what the code page cannot hold
// is refused (at build time for the texts of core/Texts.h) instead of reaching the wire as "?".
TEST(CodePage1251, ProgramTextFromUtf8) {
    std::string upper;
    for (int byte = 0x80; byte < 0x100; ++byte) {
        upper.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(cp1251::fromUtf8(sys::cp1251ToUtf8(upper)), upper);
    EXPECT_EQ(cp1251::fromUtf8("ОТКЛЮЧИЛСЯ Ёё№€ — «»… 16 МБ"),
              "\xCE\xD2\xCA\xCB\xDE\xD7\xC8\xCB\xD1\xDF \xA8\xB8\xB9\x88 \x97 \xAB\xBB\x85 16 \xCC\xC1");
    EXPECT_TRUE(cp1251::holds(sys::cp1251ToUtf8(upper)));
    for (const char* lacking : {"чай 中", "ü", "😀", "\xC0\xAF", "\xEE", "\xE2\x80"}) {
        EXPECT_FALSE(cp1251::holds(lacking)) << lacking;
        EXPECT_THROW(cp1251::fromUtf8(lacking), std::logic_error) << lacking;
    }
}

} // namespace
} // namespace lirbo::core
