#include "core/RtfWriter.h"

#include "core/ChatTranscript.h"
#include "support/RtfReader.h"

#include <gtest/gtest.h>

namespace lirbo::core {
namespace {

using test::readRtf;
using test::RtfParagraph;
using test::RtfRun;

constexpr TColor kYellow{255, 255, 0};
constexpr TColor kBlue{0, 0, 255};
constexpr TColor kGreen = TNickPalette::kSuffixGreen;

RtfRun bold(std::string text, TColor colour) {
    return {std::move(text), true, false, colour};
}
RtfRun italicGreen(std::string text) {
    return {std::move(text), false, true, kGreen};
}
RtfRun plain(std::string text, TColor colour) {
    return {std::move(text), false, false, colour};
}

TEST(RtfWriter, ReadsBackLinesRunsAndColours) {
    TChatTranscript transcript;
    transcript.appendMessage("Ann[14:05]//192.168.0.7", 10, kYellow, "Hello");
    transcript.appendMessage("Bob[14:06]", 10, kBlue, "");
    // Windows-1251: "Привет" and a header suffix " лично для 10.0.0.2".
    transcript.appendMessage("[14:07] \xEB\xE8\xF7\xED\xEE \xE4\xEB\xFF 10.0.0.2", 7, kYellow,
                             "\xCF\xF0\xE8\xE2\xE5\xF2");

    const test::RtfDocument doc = readRtf(transcriptToRtf(transcript));
    EXPECT_EQ(doc.codePage, 1251);
    EXPECT_EQ(doc.fontName, "Tahoma");
    EXPECT_EQ(doc.fontCharset, 204);
    // Entry 0 is the default; then the colours in use, each once.
    EXPECT_EQ(doc.colourTable.size(), 4u);

    const std::vector<RtfParagraph> expected{
        {bold("Ann[14:05]", kYellow), italicGreen("//192.168.0.7")},
        {plain("Hello", kYellow)},
        {bold("Bob[14:06]", kBlue)},
        {},
        {bold("[14:07]", kYellow), italicGreen(" \xEB\xE8\xF7\xED\xEE \xE4\xEB\xFF 10.0.0.2")},
        {plain("\xCF\xF0\xE8\xE2\xE5\xF2", kYellow)},
    };
    EXPECT_EQ(doc.paragraphs, expected);
}

TEST(RtfWriter, MessageTextCannotInjectFormatting) {
    const std::vector<std::string> attacks{
        "{\\b x}",
        "\\par",
        "}",
        "{",
        "\\",
        "\\'41",
        "}}{\\rtf1 ",
        "\\cf99 x",
        "a\tb",
        "\x01\x1f\x7f",
        std::string("zero\0byte", 9),
    };
    TChatTranscript transcript;
    for (const std::string& text : attacks) {
        transcript.appendMessage(text + "[12:00]" + text, text.size() + 7, kBlue, text);
    }
    const test::RtfDocument doc = readRtf(transcriptToRtf(transcript));
    ASSERT_EQ(doc.paragraphs.size(), 2 * attacks.size());
    for (std::size_t i = 0; i < attacks.size(); ++i) {
        const std::string& text = attacks[i];
        SCOPED_TRACE(text);
        EXPECT_EQ(doc.paragraphs[2 * i], (RtfParagraph{bold(text + "[12:00]", kBlue), italicGreen(text)}));
        EXPECT_EQ(doc.paragraphs[2 * i + 1], RtfParagraph{plain(text, kBlue)});
    }
}

TEST(RtfWriter, LineBreaksInsideAMessageStayInItsParagraph) {
    TChatTranscript transcript;
    transcript.appendMessage("n[00:00]", 8, kBlue, "one\r\ntwo\nthree\rfour");
    const test::RtfDocument doc = readRtf(transcriptToRtf(transcript));
    ASSERT_EQ(doc.paragraphs.size(), 2u);
    EXPECT_EQ(doc.paragraphs[1], RtfParagraph{plain("one\ntwo\nthree\nfour", kBlue)});
}

TEST(RtfWriter, EmptyTranscriptIsAValidDocument) {
    const test::RtfDocument doc = readRtf(transcriptToRtf(TChatTranscript()));
    EXPECT_TRUE(doc.paragraphs.empty());
    EXPECT_EQ(doc.fontCharset, 204);
}

} // namespace
} // namespace lirbo::core
