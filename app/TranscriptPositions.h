#pragma once

#include "app/TranscriptSearch.h"
#include "core/ChatTranscript.h"

#include <cstddef>
#include <utility>

namespace lirbo::app {

// Character positions in a view that has caught up with the model: every message is two
// paragraphs (header, body), each ended by one paragraph mark, and a line's characters are those
// core::drawnCharacters counts.
class TranscriptPositions {
public:
    explicit TranscriptPositions(const core::TChatTranscript& transcript) : m_transcript(transcript) {}

    // The paragraph that holds `character` (0 the first header, 1 its body, ...); -1 past the end.
    long paragraphAt(long character) const;
    // The first character of a match and the one after it, counted from the start of the view.
    std::pair<long, long> range(const TranscriptMatch& match) const;
    // The same, counted from the start of the match's own line.
    std::pair<long, long> rangeInLine(const TranscriptMatch& match) const;

private:
    const core::TChatTranscript& m_transcript;
};

} // namespace lirbo::app
