#pragma once

#include "core/ChatTranscript.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace lirbo::app {

// Collects the changes of the transcript since the view last drew, so that the view can catch up
// in one batch: first a clear, then the oldest lines to remove, then the messages to append.
class TranscriptMirror : public core::ITranscriptObserver {
public:
    struct Batch {
        bool clear = false;
        std::size_t removeOldest = 0;
        std::vector<const core::TTranscriptMessage*> append;
    };

    TranscriptMirror(core::TChatTranscript& transcript, std::function<void()> changed);
    ~TranscriptMirror() override;
    TranscriptMirror(const TranscriptMirror&) = delete;
    TranscriptMirror& operator=(const TranscriptMirror&) = delete;

    Batch takeBatch();

    void messageAppended(const core::TTranscriptMessage& message) override;
    void oldestRemoved(std::size_t count) override;
    void cleared() override;

private:
    void changed();

    core::TChatTranscript& m_transcript;
    std::function<void()> m_changed;
    Batch m_pending;
    bool m_signalled = false;
};

} // namespace lirbo::app
