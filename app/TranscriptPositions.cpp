#include "app/TranscriptPositions.h"

#include "core/StyledMessage.h"

namespace lirbo::app {

namespace {
long drawn(const std::string& line, std::size_t bytes) {
    return static_cast<long>(core::drawnCharacters(line, bytes));
}
} // namespace

long TranscriptPositions::paragraphAt(long character) const {
    if (character < 0) {
        return -1;
    }
    long start = 0;
    long paragraph = 0;
    for (const core::TTranscriptMessage& message : m_transcript.messages()) {
        for (const std::string* line : {&message.header, &message.body}) {
            const long end = start + drawn(*line, line->size()); // its paragraph mark
            if (character <= end) {
                return paragraph;
            }
            start = end + 1;
            ++paragraph;
        }
    }
    return -1;
}

std::pair<long, long> TranscriptPositions::rangeInLine(const TranscriptMatch& match) const {
    const auto& messages = m_transcript.messages();
    if (match.message >= messages.size()) {
        return {0, 0};
    }
    const core::TTranscriptMessage& message = messages[match.message];
    const std::string& line = match.line == 0 ? message.header : message.body;
    return {drawn(line, match.offset), drawn(line, match.offset + match.length)};
}

std::pair<long, long> TranscriptPositions::range(const TranscriptMatch& match) const {
    const auto& messages = m_transcript.messages();
    long start = 0;
    for (std::size_t i = 0; i < match.message && i < messages.size(); ++i) {
        start += static_cast<long>(core::drawnLength(messages[i]));
    }
    if (match.message >= messages.size()) {
        return {start, start};
    }
    if (match.line != 0) {
        start += drawn(messages[match.message].header, messages[match.message].header.size()) + 1;
    }
    const auto [first, after] = rangeInLine(match);
    return {start + first, start + after};
}

} // namespace lirbo::app
