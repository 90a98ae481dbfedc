#include "app/TranscriptSearch.h"

#include <gtest/gtest.h>

using lirbo::app::TranscriptMatch;
using lirbo::app::TranscriptSearch;
using lirbo::core::TChatTranscript;

namespace {

TChatTranscript conversation() {
    TChatTranscript transcript;
    transcript.appendMessage("Ann[10:00]//127.0.0.1", 10, {}, "\xCF\xF0\xE8\xE2\xE5\xF2, \xB8\xE6"); // Привет, ёж
    transcript.appendMessage("Bob[10:01]//127.0.0.2", 10, {}, "hello HELLO");
    transcript.appendMessage("Ann[10:02]//127.0.0.1", 10, {}, "\xEF\xF0\xE8\xE2\xE5\xF2 \xA8\xE6"); // привет Ёж
    return transcript;
}

} // namespace

TEST(TranscriptSearchTest, StepsThroughEveryMatchLetterCaseAsideAndWraps) {
    const TChatTranscript transcript = conversation();
    struct Case {
        const char* name;
        std::string text;
        bool backward;
        std::vector<TranscriptMatch> steps; // the matches in the order found, the first again last
    };
    const Case cases[] = {
        {"Cyrillic, forward",
         "\xCF\xD0\xC8\xC2\xC5\xD2", // ПРИВЕТ
         false,
         {{0, 1, 0, 6}, {2, 1, 0, 6}, {0, 1, 0, 6}}},
        {"Ё and ё", "\xB8\xE6", false, {{0, 1, 8, 2}, {2, 1, 7, 2}, {0, 1, 8, 2}}},
        {"two in one line, back", "hello", true, {{1, 1, 6, 5}, {1, 1, 0, 5}, {1, 1, 6, 5}}},
        {"headers too", "ann[", false, {{0, 0, 0, 4}, {2, 0, 0, 4}, {0, 0, 0, 4}}},
        {"a single match finds itself again", "bob", true, {{1, 0, 0, 3}, {1, 0, 0, 3}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<TranscriptMatch> at;
        for (const TranscriptMatch& expected : c.steps) {
            at = TranscriptSearch::find(transcript, c.text, at, c.backward);
            ASSERT_TRUE(at.has_value());
            EXPECT_EQ(*at, expected) << at->message << " " << at->line << " " << at->offset;
        }
    }
    EXPECT_FALSE(TranscriptSearch::find(transcript, "absent", std::nullopt, false));
    EXPECT_FALSE(TranscriptSearch::find(transcript, "", std::nullopt, false));
    EXPECT_FALSE(TranscriptSearch::find(TChatTranscript(), "x", std::nullopt, true));
}
