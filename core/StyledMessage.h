#pragma once

#include "core/ChatTranscript.h"

#include <cstddef>
#include <string>
#include <vector>

namespace lirbo::core {

// A run of a drawn line: Windows-1251 bytes in one style.
struct TStyledRun {
    std::string text;
    bool bold = false;
    bool italic = false;
    TColor colour;
    friend bool operator==(const TStyledRun& a, const TStyledRun& b) {
        return a.text == b.text && a.bold == b.bold && a.italic == b.italic && a.colour == b.colour;
    }
};

// A message as both views and the RTF file draw it: two paragraphs, the header (its first
// boldLength bytes bold in the message's colour, the rest italic green) and the body (regular, in
// the colour). A line break inside a line (CR LF, a lone CR, a lone LF) is one soft break,
// kSoftBreak, so that each line stays one paragraph; a bold length that cuts a CR LF pair leaves
// the whole break in the bold run. The header always has its two runs and the body its one, empty
// or not: a view formats an empty line by them.
struct TStyledMessage {
    static constexpr char kSoftBreak = '\n';
    std::vector<TStyledRun> header;
    TStyledRun body;
};

TStyledMessage styleMessage(const TTranscriptMessage& message);

// Characters that the first `bytes` bytes of a line take when drawn: every byte is one, a CR LF
// pair one soft break together (a cut between CR and LF stands for the whole break).
std::size_t drawnCharacters(const std::string& line, std::size_t bytes);
// Characters a drawn message takes: both lines and the paragraph mark that ends each.
std::size_t drawnLength(const TTranscriptMessage& message);

} // namespace lirbo::core
