#include "core/ChatTranscript.h"

#include "core/AtomicSave.h"
#include "core/Exception.h"
#include "core/RtfWriter.h"

#include <algorithm>
#include <utility>

namespace lirbo::core {

TChatTranscript::TChatTranscript(std::size_t capacity) : m_capacity(capacity) {}

void TChatTranscript::appendMessage(std::string header, std::size_t boldLength, TColor colour, std::string body) {
    TTranscriptMessage message;
    message.boldLength = std::min(boldLength, header.size());
    message.header = std::move(header);
    message.colour = colour;
    message.body = std::move(body);

    const std::size_t needed = message.length();
    std::size_t removed = 0;
    while (!m_messages.empty() && m_length + needed > m_capacity) {
        m_length -= m_messages.front().length();
        m_messages.pop_front();
        ++removed;
    }
    m_messages.push_back(std::move(message));
    m_length += needed;

    if (m_observer != nullptr) {
        if (removed != 0) {
            m_observer->oldestRemoved(removed);
        }
        m_observer->messageAppended(m_messages.back());
    }
}

void TChatTranscript::clear() {
    m_messages.clear();
    m_length = 0;
    if (m_observer != nullptr) {
        m_observer->cleared();
    }
}

void TChatTranscript::saveToFile(const std::string& path) const {
    saveFileAtomically(path, transcriptToRtf(*this), saveStreamError);
}

} // namespace lirbo::core
