#include "app/RedrawPacing.h"
#include "app/TranscriptPositions.h"

#include <gtest/gtest.h>

namespace lirbo::app {
namespace {

// One step of a front-end's day: the model changes, a draw runs, or the loop asks between hand-overs.
struct PacingStep {
    enum { Change, Draw, Due } kind;
    std::int64_t at;
    std::int64_t until; // Draw: when it finished; Change: the delay expected (-1: none, a draw is pending);
                        // Due: 1 when due
};

TEST(RedrawPacing, OneBatchPerPeriodThatGrowsWithTheDraw) {
    const PacingStep steps[] = {
        {PacingStep::Change, 1000, 0},   // the first change draws at once
        {PacingStep::Change, 1001, -1},  // a flood adds to the pending batch
        {PacingStep::Draw, 1002, 1003},  // a quick draw: one frame until the next
        {PacingStep::Change, 1010, 8},   // waits for the rest of the frame
        {PacingStep::Due, 1017, 0},      //
        {PacingStep::Due, 1018, 1},      // between hand-overs it is due once the frame has passed
        {PacingStep::Draw, 1018, 1118},  // a draw of 100 ms: drawing keeps under a fifth of the time
        {PacingStep::Change, 1200, 318}, //
        {PacingStep::Draw, 1518, 1718},  // periods count from a draw's start
        {PacingStep::Change, 1800, 718}, //
        {PacingStep::Draw, 2518, 5518},  // a draw of 3 s: the period stops at 2 s
        {PacingStep::Change, 5600, 0},   //
        {PacingStep::Draw, 5600, 5600},  //
        {PacingStep::Change, 5500, 16},  // a clock that went back waits one frame, not forever
        {PacingStep::Due, 5600, 0},      //
    };
    RedrawPacing pacing;
    for (const PacingStep& step : steps) {
        SCOPED_TRACE(step.at);
        switch (step.kind) {
        case PacingStep::Change:
            EXPECT_EQ(pacing.changed(step.at).value_or(-1), step.until);
            EXPECT_TRUE(pacing.pending());
            break;
        case PacingStep::Draw:
            pacing.drew(step.at, step.until);
            EXPECT_FALSE(pacing.pending());
            break;
        case PacingStep::Due:
            EXPECT_EQ(pacing.due(step.at), step.until == 1);
            break;
        }
    }
}

// Two messages: "ab\r\nc" (4 characters) and "d" (1), then "ef" and "g\n" (2 each); each line
// ends in a paragraph mark.
TEST(TranscriptPositions, CharactersOfMatchesAndParagraphs) {
    core::TChatTranscript transcript;
    transcript.appendMessage("ab\r\nc", 2, {}, "d");
    transcript.appendMessage("ef", 2, {}, "g\n");
    const TranscriptPositions positions(transcript);
    const struct {
        TranscriptMatch match;
        std::pair<long, long> inLine, inView;
    } matches[] = {
        {{0, 0, 0, 2}, {0, 2}, {0, 2}},   {{0, 0, 4, 1}, {3, 4}, {3, 4}}, // after the CR LF pair, one character
        {{0, 1, 0, 1}, {0, 1}, {5, 6}},   {{1, 0, 1, 1}, {1, 2}, {8, 9}},
        {{1, 1, 0, 1}, {0, 1}, {10, 11}}, {{2, 0, 0, 1}, {0, 0}, {13, 13}}, // past the end
    };
    for (const auto& m : matches) {
        SCOPED_TRACE(m.match.message * 10 + m.match.line);
        EXPECT_EQ(positions.rangeInLine(m.match), m.inLine);
        EXPECT_EQ(positions.range(m.match), m.inView);
    }
    // Each paragraph mark belongs to the paragraph it ends.
    const long paragraphs[] = {-1, 0, 0, 0, 0, 0, 1, 1, 2, 2, 2, 3, 3, 3, -1};
    for (long character = -1; character < 14; ++character) {
        EXPECT_EQ(positions.paragraphAt(character), paragraphs[character + 1]) << character;
    }
}

} // namespace
} // namespace lirbo::app
