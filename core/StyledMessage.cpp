#include "core/StyledMessage.h"

#include <algorithm>

namespace lirbo::core {

namespace {

// The drawn text of a whole line: each line break one soft break.
std::string softBreaks(const std::string& bytes) {
    std::string line;
    line.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            line += TStyledMessage::kSoftBreak;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
        } else {
            line += c;
        }
    }
    return line;
}

} // namespace

std::size_t drawnCharacters(const std::string& line, std::size_t bytes) {
    bytes = std::min(bytes, line.size());
    std::size_t pairs = 0;
    for (std::size_t i = 0; i + 1 < bytes; ++i) {
        pairs += line[i] == '\r' && line[i + 1] == '\n' ? 1 : 0;
    }
    return bytes - pairs;
}

std::size_t drawnLength(const TTranscriptMessage& message) {
    return drawnCharacters(message.header, message.header.size()) + drawnCharacters(message.body, message.body.size()) +
           2;
}

TStyledMessage styleMessage(const TTranscriptMessage& message) {
    std::string header = softBreaks(message.header);
    const std::size_t bold = drawnCharacters(message.header, message.boldLength);
    TStyledMessage styled;
    styled.header.push_back({header.substr(0, bold), true, false, message.colour});
    styled.header.push_back({header.substr(bold), false, true, TNickPalette::kSuffixGreen});
    styled.body = {softBreaks(message.body), false, false, message.colour};
    return styled;
}

} // namespace lirbo::core
