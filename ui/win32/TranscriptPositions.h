#pragma once

#include "app/TranscriptSearch.h"
#include "core/ChatTranscript.h"

#include <cstddef>
#include <string>
#include <utility>

namespace lirbo::win32 {

// Character positions in MemoChat once it has caught up with the model: every message is two
// paragraphs (header, body), each ended by one paragraph mark, and every byte of a line is one
// character except a CR LF pair, which is one soft break.
class TranscriptPositions {
public:
    explicit TranscriptPositions(const core::TChatTranscript& transcript) : m_transcript(transcript) {}

    // The paragraph that holds `character` (0 the first header, 1 its body, ...); -1 past the end.
    long paragraphAt(long character) const;
    // The first character of a match and the one after it.
    std::pair<long, long> range(const app::TranscriptMatch& match) const;

    // Characters the first `bytes` bytes of a line take.
    static long characters(const std::string& line, std::size_t bytes);

private:
    const core::TChatTranscript& m_transcript;
};

} // namespace lirbo::win32
