#include "ui/win32/TranscriptPositions.h"

#include <algorithm>

namespace lirbo::win32 {

long TranscriptPositions::characters(const std::string& line, std::size_t bytes) {
    bytes = std::min(bytes, line.size());
    long pairs = 0;
    for (std::size_t i = 0; i + 1 < bytes; ++i) {
        pairs += line[i] == '\r' && line[i + 1] == '\n' ? 1 : 0;
    }
    // A cut between CR and LF still stands for the whole soft break.
    return static_cast<long>(bytes) - pairs;
}

long TranscriptPositions::paragraphAt(long character) const {
    if (character < 0) {
        return -1;
    }
    long start = 0;
    long paragraph = 0;
    for (const core::TTranscriptMessage& message : m_transcript.messages()) {
        for (const std::string* line : {&message.header, &message.body}) {
            const long end = start + characters(*line, line->size()); // its paragraph mark
            if (character <= end) {
                return paragraph;
            }
            start = end + 1;
            ++paragraph;
        }
    }
    return -1;
}

std::pair<long, long> TranscriptPositions::range(const app::TranscriptMatch& match) const {
    const auto& messages = m_transcript.messages();
    long start = 0;
    for (std::size_t i = 0; i < match.message && i < messages.size(); ++i) {
        start += characters(messages[i].header, messages[i].header.size()) + 1;
        start += characters(messages[i].body, messages[i].body.size()) + 1;
    }
    if (match.message >= messages.size()) {
        return {start, start};
    }
    const core::TTranscriptMessage& message = messages[match.message];
    if (match.line != 0) {
        start += characters(message.header, message.header.size()) + 1;
    }
    const std::string& line = match.line == 0 ? message.header : message.body;
    return {start + characters(line, match.offset), start + characters(line, match.offset + match.length)};
}

} // namespace lirbo::win32
