#pragma once

#include "core/ChatTranscript.h"

#include <cstddef>
#include <optional>
#include <string>

namespace lirbo::app {

// Where a search found its text: the message (its index in the transcript), the line (0 the
// header, 1 the body), and the byte range in that line.
struct TranscriptMatch {
    std::size_t message = 0;
    int line = 0;
    std::size_t offset = 0;
    std::size_t length = 0;
    friend bool operator==(const TranscriptMatch& a, const TranscriptMatch& b) {
        return a.message == b.message && a.line == b.line && a.offset == b.offset && a.length == b.length;
    }
};

// Finds text in the shown transcript, letter case aside (Cyrillic letters of Windows-1251 too),
// going forward or backward from the last match and wrapping at either end.
class TranscriptSearch {
public:
    // The next match after `from` (backward: before it); from the start (the end) without `from`.
    static std::optional<TranscriptMatch> find(const core::TChatTranscript& transcript, const std::string& text,
                                               const std::optional<TranscriptMatch>& from, bool backward);
    // The lower-case form of a Windows-1251 byte.
    static unsigned char fold(unsigned char c);
};

} // namespace lirbo::app
