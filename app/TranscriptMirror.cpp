#include "app/TranscriptMirror.h"

#include <algorithm>
#include <utility>

namespace lirbo::app {

TranscriptMirror::TranscriptMirror(core::TChatTranscript& transcript, std::function<void()> changed)
    : m_transcript(transcript), m_changed(std::move(changed)), m_pendingAppends(transcript.messages().size()) {
    m_transcript.setObserver(this);
}

TranscriptMirror::~TranscriptMirror() {
    m_transcript.setObserver(nullptr);
}

bool TranscriptMirror::upToDate() const {
    return !m_clearPending && m_removeShown == 0 && m_pendingAppends == 0;
}

TranscriptBatch TranscriptMirror::takeBatch() {
    TranscriptBatch batch;
    if (m_clearPending || (m_shown > 0 && m_removeShown >= m_shown)) {
        batch.clearAll = true;
        m_shown = 0;
    } else {
        batch.removeOldest = m_removeShown;
        m_shown -= m_removeShown;
    }
    const std::size_t size = m_transcript.messages().size();
    batch.appendCount = std::min(m_pendingAppends, size);
    batch.appendFrom = size - batch.appendCount;
    m_shown += batch.appendCount;
    m_clearPending = false;
    m_removeShown = 0;
    m_pendingAppends = 0;
    return batch;
}

void TranscriptMirror::messageAppended(const core::TTranscriptMessage&) {
    ++m_pendingAppends;
    notify();
}

void TranscriptMirror::oldestRemoved(std::size_t count) {
    // The oldest messages are those shown; only past them does the removal eat into the pending.
    const std::size_t fromShown = std::min(count, m_shown - m_removeShown);
    m_removeShown += fromShown;
    m_pendingAppends -= std::min(count - fromShown, m_pendingAppends);
    notify();
}

void TranscriptMirror::cleared() {
    m_clearPending = true;
    m_removeShown = 0;
    m_pendingAppends = 0;
    notify();
}

void TranscriptMirror::notify() {
    if (m_changed) {
        m_changed();
    }
}

} // namespace lirbo::app
