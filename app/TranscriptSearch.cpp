#include "app/TranscriptSearch.h"

#include <array>
#include <string_view>

namespace lirbo::app {

namespace {

std::array<unsigned char, 256> foldTable() {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c) {
        table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c);
    }
    for (int c = 'A'; c <= 'Z'; ++c) {
        table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 0x20);
    }
    for (int c = 0xC0; c <= 0xDF; ++c) { // А..Я
        table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 0x20);
    }
    // The letters outside the two runs: Ђ Ѓ Љ Њ Ќ Ћ Џ Ў Ј Ё Ґ Є Ї І Ѕ.
    const std::pair<int, int> pairs[] = {{0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
                                         {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA8, 0xB8},
                                         {0xA5, 0xB4}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE}};
    for (const auto& [upper, lower] : pairs) {
        table[static_cast<std::size_t>(upper)] = static_cast<unsigned char>(lower);
    }
    return table;
}

std::string folded(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = static_cast<char>(TranscriptSearch::fold(static_cast<unsigned char>(c)));
    }
    return result;
}

const std::string& lineOf(const core::TTranscriptMessage& message, int line) {
    return line == 0 ? message.header : message.body;
}

} // namespace

unsigned char TranscriptSearch::fold(unsigned char c) {
    static const std::array<unsigned char, 256> table = foldTable();
    return table[c];
}

std::optional<TranscriptMatch> TranscriptSearch::find(const core::TChatTranscript& transcript, const std::string& text,
                                                      const std::optional<TranscriptMatch>& from, bool backward) {
    const auto& messages = transcript.messages();
    const std::size_t lines = messages.size() * 2; // line n is line n % 2 of message n / 2
    if (text.empty() || lines == 0) {
        return std::nullopt;
    }
    const std::string wanted = folded(text);
    const auto haystack = [&](std::size_t n) { return folded(lineOf(messages[n / 2], static_cast<int>(n % 2))); };
    // The first match in line n at or after `begin`; the last one starting before `end`.
    const auto firstIn = [&](std::size_t n, std::size_t begin) {
        const std::string line = haystack(n);
        return begin <= line.size() ? line.find(wanted, begin) : std::string::npos;
    };
    const auto lastIn = [&](std::size_t n, std::size_t end) {
        if (end == 0) {
            return std::string::npos;
        }
        return haystack(n).rfind(wanted, end == std::string::npos ? end : end - 1);
    };
    const auto match = [&](std::size_t n, std::size_t offset) {
        return TranscriptMatch{n / 2, static_cast<int>(n % 2), offset, text.size()};
    };

    const bool resume = from && from->message < messages.size();
    const std::size_t start = resume ? 2 * from->message + static_cast<std::size_t>(from->line & 1) : 0;
    if (resume) {
        // The rest of the line of the last match first.
        const std::size_t offset = backward ? lastIn(start, from->offset) : firstIn(start, from->offset + 1);
        if (offset != std::string::npos) {
            return match(start, offset);
        }
    }
    // Then every other line in the direction of the search, wrapping round; without a last match,
    // from one end to the other.
    const std::size_t others = resume ? lines - 1 : lines;
    for (std::size_t step = 1; step <= others; ++step) {
        const std::size_t n = !resume ? (backward ? lines - step : step - 1)
                                      : (backward ? (start + lines - step) % lines : (start + step) % lines);
        const std::size_t offset = backward ? lastIn(n, std::string::npos) : firstIn(n, 0);
        if (offset != std::string::npos) {
            return match(n, offset);
        }
    }
    if (resume) {
        // Last, the part of the starting line on the other side of the last match.
        const std::size_t offset = backward ? lastIn(start, std::string::npos) : firstIn(start, 0);
        if (offset != std::string::npos && (backward ? offset >= from->offset : offset <= from->offset)) {
            return match(start, offset);
        }
    }
    return std::nullopt;
}

} // namespace lirbo::app
