// The RTF writer: whatever bytes the messages hold, the document is well-formed RTF that a strict
// reader accepts, with one paragraph per line, the bold, italic and colour runs where the model has
// them, and the text reading back exactly (a line break inside a message reads back as one break).
// The transcript is small, so appends also trim, and the model must always keep the newest message.
#include "FuzzFields.h"
#include "FuzzSupport.h"
#include "core/ChatTranscript.h"
#include "core/RtfWriter.h"
#include "support/RtfReader.h"

#include <cstdint>
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

void checkRun(const test::RtfParagraph& paragraph, std::size_t& run, const std::string& text, bool bold, bool italic,
              TColor colour) {
    const std::string expected = readBack(text);
    if (expected.empty()) {
        return;
    }
    LIRBO_FUZZ_CHECK(run < paragraph.size());
    const test::RtfRun& actual = paragraph[run++];
    LIRBO_FUZZ_CHECK(actual.text == expected);
    LIRBO_FUZZ_CHECK(actual.bold == bold);
    LIRBO_FUZZ_CHECK(actual.italic == italic);
    LIRBO_FUZZ_CHECK(actual.colour == colour);
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

    const std::string rtf = transcriptToRtf(transcript);
    test::RtfDocument document;
    try {
        document = test::readRtf(rtf);
    } catch (const std::runtime_error& error) {
        lirbo::fuzz::propertyFailed(error.what(), __FILE__, __LINE__);
    }
    LIRBO_FUZZ_CHECK(document.codePage == 1251);
    LIRBO_FUZZ_CHECK(document.fontCharset == 204);
    LIRBO_FUZZ_CHECK(document.paragraphs.size() == 2 * transcript.messages().size());

    std::size_t paragraph = 0;
    for (const TTranscriptMessage& message : transcript.messages()) {
        const test::RtfParagraph& header = document.paragraphs[paragraph++];
        std::size_t run = 0;
        checkRun(header, run, message.header.substr(0, message.boldLength), true, false, message.colour);
        checkRun(header, run, message.header.substr(message.boldLength), false, true, TNickPalette::kSuffixGreen);
        LIRBO_FUZZ_CHECK(run == header.size());

        const test::RtfParagraph& body = document.paragraphs[paragraph++];
        run = 0;
        checkRun(body, run, message.body, false, false, message.colour);
        LIRBO_FUZZ_CHECK(run == body.size());
    }
    return 0;
}
