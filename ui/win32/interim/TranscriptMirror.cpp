#include "ui/win32/interim/TranscriptMirror.h"

#include <algorithm>

namespace lirbo::app {

TranscriptMirror::TranscriptMirror(core::TChatTranscript& transcript, std::function<void()> changed)
    : m_transcript(transcript), m_changed(std::move(changed)) {
    m_transcript.setObserver(this);
}

TranscriptMirror::~TranscriptMirror() {
    m_transcript.setObserver(nullptr);
}

TranscriptMirror::Batch TranscriptMirror::takeBatch() {
    Batch batch = std::move(m_pending);
    m_pending = Batch{};
    m_signalled = false;
    return batch;
}

void TranscriptMirror::messageAppended(const core::TTranscriptMessage& message) {
    m_pending.append.push_back(&message);
    changed();
}

void TranscriptMirror::oldestRemoved(std::size_t count) {
    // Called after the new message is in the transcript and before it is announced. Messages not
    // drawn yet go from the pending appends; only the rest must leave the view.
    const std::size_t before = m_transcript.messages().size() - 1 + count;
    const std::size_t drawn = m_pending.clear ? 0 : before - m_pending.append.size();
    const std::size_t fromView = std::min(count, drawn);
    m_pending.removeOldest += fromView;
    const std::size_t fromPending = count - fromView;
    m_pending.append.erase(m_pending.append.begin(),
                           m_pending.append.begin() + static_cast<std::ptrdiff_t>(fromPending));
    changed();
}

void TranscriptMirror::cleared() {
    m_pending = Batch{};
    m_pending.clear = true;
    changed();
}

void TranscriptMirror::changed() {
    if (!m_signalled) {
        m_signalled = true;
        m_changed();
    }
}

} // namespace lirbo::app
