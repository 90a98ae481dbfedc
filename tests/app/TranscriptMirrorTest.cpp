#include "app/TranscriptMirror.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using lirbo::app::TranscriptBatch;
using lirbo::app::TranscriptMirror;
using lirbo::core::TChatTranscript;

namespace {

// A view reduced to the bodies it holds, carrying out each batch as a front-end would.
void apply(const TranscriptBatch& batch, const TChatTranscript& transcript, std::vector<std::string>& view) {
    if (batch.clearAll) {
        view.clear();
    }
    ASSERT_LE(batch.removeOldest, view.size());
    view.erase(view.begin(), view.begin() + static_cast<std::ptrdiff_t>(batch.removeOldest));
    for (std::size_t i = batch.appendFrom; i < batch.appendFrom + batch.appendCount; ++i) {
        view.push_back(transcript.messages().at(i).body);
    }
}

std::vector<std::string> bodies(const TChatTranscript& transcript) {
    std::vector<std::string> result;
    for (const auto& m : transcript.messages()) {
        result.push_back(m.body);
    }
    return result;
}

} // namespace

// The view follows the model through appends, trims and clears in any mix between two batches.
TEST(TranscriptMirrorTest, ViewFollowsTheModelAcrossBatches) {
    TChatTranscript transcript(400);
    int changes = 0;
    TranscriptMirror mirror(transcript, [&] { ++changes; });
    std::vector<std::string> view;
    int next = 0;
    auto append = [&](int count) {
        for (int i = 0; i < count; ++i, ++next) {
            transcript.appendMessage("h[00:00]", 3, {}, std::string(next % 37, 'b') + std::to_string(next));
        }
    };
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"a few", [&] { append(3); }},
        {"trims the shown", [&] { append(40); }},
        {"clear", [&] { transcript.clear(); }},
        {"one after a clear", [&] { append(1); }},
        {"trims shown and pending", [&] { append(25); }},
        {"clear then appends", [&] { transcript.clear(), append(7); }},
        {"more than the capacity at once", [&] { append(200); }},
        {"nothing", [] {}},
    };
    for (const auto& [name, step] : steps) {
        SCOPED_TRACE(name);
        step();
        apply(mirror.takeBatch(), transcript, view);
        EXPECT_TRUE(mirror.upToDate());
        EXPECT_EQ(view, bodies(transcript));
        EXPECT_EQ(mirror.shown(), transcript.messages().size());
        EXPECT_TRUE(mirror.takeBatch().empty());
    }
    EXPECT_GT(changes, 0);
}

TEST(TranscriptMirrorTest, MessagesTrimmedBeforeTheyWereShownAreNeverDrawn) {
    TChatTranscript transcript(100);
    TranscriptMirror mirror(transcript, {});
    for (int i = 0; i < 50; ++i) {
        transcript.appendMessage("h[00:00]", 8, {}, "m" + std::to_string(i));
    }
    const TranscriptBatch batch = mirror.takeBatch();
    EXPECT_FALSE(batch.clearAll);
    EXPECT_EQ(batch.removeOldest, 0u);
    EXPECT_EQ(batch.appendFrom, 0u);
    EXPECT_EQ(batch.appendCount, transcript.messages().size());
    EXPECT_LT(batch.appendCount, 50u);
}
