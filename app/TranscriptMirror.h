#pragma once

#include "core/ChatTranscript.h"

#include <cstddef>
#include <functional>

namespace lirbo::app {

// What a view must do to catch up with the transcript, in this order: empty itself, remove its
// oldest messages, then append the model's messages from `appendFrom` to the end.
struct TranscriptBatch {
    bool clearAll = false;
    std::size_t removeOldest = 0;
    std::size_t appendFrom = 0;
    std::size_t appendCount = 0;
    bool empty() const { return !clearAll && removeOldest == 0 && appendCount == 0; }
};

// Keeps account of what a view of the transcript shows, so that the view can follow the model in
// batches: the model changes inside each handler, the view catches up when it next draws, and a
// flood of messages costs one redraw per batch. Messages trimmed before the view ever showed them
// are never drawn at all. Observes the transcript for its whole life.
class TranscriptMirror : private core::ITranscriptObserver {
public:
    // `changed` runs after every change of the model (the front-end schedules a redraw).
    TranscriptMirror(core::TChatTranscript& transcript, std::function<void()> changed);
    ~TranscriptMirror() override;
    TranscriptMirror(const TranscriptMirror&) = delete;
    TranscriptMirror& operator=(const TranscriptMirror&) = delete;

    // What the view has to do now; afterwards the view counts as up to date.
    TranscriptBatch takeBatch();
    bool upToDate() const;
    // Messages the view shows once it has carried out every batch taken.
    std::size_t shown() const { return m_shown; }

    const core::TChatTranscript& transcript() const { return m_transcript; }

private:
    void messageAppended(const core::TTranscriptMessage& message) override;
    void oldestRemoved(std::size_t count) override;
    void cleared() override;
    void notify();

    core::TChatTranscript& m_transcript;
    std::function<void()> m_changed;
    std::size_t m_shown = 0;          // messages the view holds
    std::size_t m_removeShown = 0;    // of those, how many the model has dropped meanwhile
    std::size_t m_pendingAppends = 0; // newest messages of the model not yet in the view
    bool m_clearPending = false;
};

} // namespace lirbo::app
