#include "core/ChatDatagram.h"

#include <gtest/gtest.h>
#include <ostream>

namespace lirbo::core {

void PrintTo(const TChatDatagram& d, std::ostream* out) {
    *out << (d.kind == TChatDatagram::Kind::Private ? "private" : "public") << " colour " << d.colourIndex << " nick \""
         << d.nick << "\" body \"" << d.body << '"';
}

namespace {

using Kind = TChatDatagram::Kind;

struct DecodeCase {
    std::string bytes;
    std::optional<TChatDatagram> expected;
};

TChatDatagram make(Kind kind, int colour, std::string nick, std::string body) {
    return TChatDatagram{kind, colour, std::move(nick), std::move(body)};
}

TEST(ChatDatagram, DecodesEveryFormAsTheSenderMeantOrDropsIt) {
    const std::vector<DecodeCase> cases{
        {"V3Vasya;Hello", make(Kind::Public, 3, "Vasya", "Hello")},
        {"T0Ann;see you", make(Kind::Private, 0, "Ann", "see you")},
        {"T5Ann;", make(Kind::Private, 5, "Ann", "")},
        {"V2a;b;c", make(Kind::Public, 2, "a", "b;c")},
        {"X5abc", make(Kind::Public, 5, "", "abc")},
        {"V7;text", make(Kind::Public, 7, "", "text")},
        {"V12Ann;hi", make(Kind::Public, 1, "2Ann", "hi")},
        {"V8x;y", make(Kind::Public, 8, "x", "y")},
        {"T9", make(Kind::Private, 9, "", "")},
        {"t1a;b", make(Kind::Public, 1, "a", "b")},
        {"V0;", make(Kind::Public, 0, "", "")},
        {std::string("V1a\0b;c\0", 8), make(Kind::Public, 1, std::string("a\0b", 3), std::string("c\0", 2))},
        {"V1\xC0\xED\xFF;\xCF\xF0\xE8\xE2\xE5\xF2", make(Kind::Public, 1, "\xC0\xED\xFF", "\xCF\xF0\xE8\xE2\xE5\xF2")},
        {"V", std::nullopt},
        {"T", std::nullopt},
        {"Vx;hi", std::nullopt},
        {"V-1a;b", std::nullopt},
        {"V a;b", std::nullopt},
        {"", std::nullopt},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(TChatDatagram::decode(c.bytes), c.expected);
    }
}

TEST(ChatDatagram, EncodesLetterDecimalIndexNickSeparatorBody) {
    EXPECT_EQ(make(Kind::Public, 3, "Vasya", "Hello").encode(), "V3Vasya;Hello");
    EXPECT_EQ(make(Kind::Private, 5, "Ann", "").encode(), "T5Ann;");
    EXPECT_EQ(make(Kind::Public, 12, "Ann", "hi").encode(), "V12Ann;hi");
    EXPECT_EQ(make(Kind::Public, -1, "", "").encode(), "V-1;");
}

TEST(ChatDatagram, RoundTripsEveryDigitAndAnyBody) {
    for (const Kind kind : {Kind::Public, Kind::Private}) {
        for (int colour = 0; colour <= 9; ++colour) {
            for (const char* body : {"", "a;b;;", "\xCE\xD2\xCA\xCB\xDE\xD7\xC8\xCB\xD1\xDF", " spaced "}) {
                const TChatDatagram sent = make(kind, colour, "Nick 1", body);
                EXPECT_EQ(TChatDatagram::decode(sent.encode()), sent);
            }
        }
    }
}

} // namespace
} // namespace lirbo::core
