// The RTF writer: whatever bytes the messages hold, the document is well-formed RTF that a strict
// reader accepts, with one paragraph per line, the bold, italic and colour runs where the model has
// them, and the text reading back exactly (a line break inside a message reads back as one break).
// The transcript is small, so appends also trim, and the model must always keep the newest message.
// The document of a range of messages, which the Windows view streams, holds just those.
#include "FuzzFields.h"
#include "FuzzSupport.h"
#include "core/ChatTranscript.h"
#include "core/RtfWriter.h"
#include "support/RtfReader.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <stdexcept>
#include <string>

using namespace lirbo::core;
namespace test = lirbo::test;

namespace {

// The text an RTF reader shows for message bytes: CR LF, a lone CR and a lone LF are one break.
std::string readBack(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            out += text[i];
        }
    }
    return out;
}

// The runs of a paragraph read back as `line`, its first `bold` bytes bold in `colour`, the rest in
// `restStyle`; empty runs are not written.
void checkLine(const test::RtfParagraph& paragraph, const std::string& line, std::size_t bold, TColor colour,
               const test::RtfRun& restStyle) {
    const std::string expected = readBack(line);
    // A bold length that cuts a CR LF pair keeps the whole break bold.
    const std::string boldText = readBack(line.substr(0, bold));
    std::size_t run = 0;
    if (!boldText.empty()) {
        LIRBO_FUZZ_CHECK(run < paragraph.size());
        const test::RtfRun& actual = paragraph[run++];
        LIRBO_FUZZ_CHECK(actual.text == boldText && actual.bold && !actual.italic && actual.colour == colour);
    }
    if (boldText.size() < expected.size()) {
        LIRBO_FUZZ_CHECK(run < paragraph.size());
        const test::RtfRun& actual = paragraph[run++];
        LIRBO_FUZZ_CHECK(actual.text == expected.substr(boldText.size()));
        LIRBO_FUZZ_CHECK(actual.bold == restStyle.bold && actual.italic == restStyle.italic &&
                         actual.colour == restStyle.colour);
    }
    LIRBO_FUZZ_CHECK(run == paragraph.size());
}

test::RtfDocument read(const std::string& rtf) {
    try {
        return test::readRtf(rtf);
    } catch (const std::runtime_error& error) {
        lirbo::fuzz::propertyFailed(error.what(), __FILE__, __LINE__);
    }
    return {};
}

void checkDocument(const std::string& rtf, const std::deque<TTranscriptMessage>& messages, std::size_t from,
                   std::size_t count) {
    const test::RtfDocument document = read(rtf);
    LIRBO_FUZZ_CHECK(document.codePage == 1251);
    LIRBO_FUZZ_CHECK(document.fontCharset == 204);
    LIRBO_FUZZ_CHECK(document.paragraphs.size() == 2 * count);
    std::size_t paragraph = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        const TTranscriptMessage& message = messages[i];
        checkLine(document.paragraphs[paragraph++], message.header, message.boldLength, message.colour,
                  {"", false, true, TNickPalette::kSuffixGreen});
        checkLine(document.paragraphs[paragraph++], message.body, 0, message.colour,
                  {"", false, false, message.colour});
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lirbo::fuzz::FuzzFields fields(data, size);
    TChatTranscript transcript(1024);
    std::string lastHeader;
    std::string lastBody;
    while (!fields.done()) {
        lastHeader = fields.next();
        const std::size_t bold = fields.nextByte();
        const TColor colour = TNickPalette::colour(fields.nextByte() % TNickPalette::kColourCount);
        lastBody = fields.next();
        transcript.appendMessage(lastHeader, bold, colour, lastBody);
        LIRBO_FUZZ_CHECK(transcript.length() <= transcript.capacity() || transcript.messages().size() == 1);
    }
    LIRBO_FUZZ_CHECK(!transcript.messages().empty());
    LIRBO_FUZZ_CHECK(transcript.messages().back().header == lastHeader);
    LIRBO_FUZZ_CHECK(transcript.messages().back().body == lastBody);

    const auto& messages = transcript.messages();
    checkDocument(transcriptToRtf(transcript), messages, 0, messages.size());
    const std::size_t from = size % (messages.size() + 1);
    const std::size_t count = std::min(size / 7 % (messages.size() + 1), messages.size() - from);
    checkDocument(messagesToRtf(messages, from, count), messages, from, count);
    return 0;
}
