#pragma once

#include "core/NickPalette.h"

#include <cstddef>
#include <deque>
#include <string>

namespace lirbo::core {

// One message of the transcript: a header line and a body line.
// Header: its first `boldLength` characters bold in `colour`; the rest (the suffix) italic green.
// Body: regular, in `colour`. Text is Windows-1251 bytes.
struct TTranscriptMessage {
    std::string header;
    std::size_t boldLength = 0;
    TColor colour;
    std::string body;
    // Characters the message takes in the transcript: both lines plus one for each line break.
    std::size_t length() const { return header.size() + body.size() + 2; }
};

// Told about every change of the transcript, so that a view can mirror it.
class ITranscriptObserver {
public:
    virtual ~ITranscriptObserver() = default;
    virtual void messageAppended(const TTranscriptMessage& message) = 0;
    // The `count` oldest messages were removed to make room.
    virtual void oldestRemoved(std::size_t count) = 0;
    virtual void cleared() = 0;
};

// The conversation: the model behind the transcript view and the source of the RTF file.
// It holds at most kCapacity characters (each line break counts as one character); an append that
// would pass it first removes the oldest messages, header and body together, so that no message
// is ever refused. A single message longer than the whole capacity is kept alone and whole: the
// transcript then holds more than kCapacity characters until the next append or clear.
// Trimming costs O(1) per removed message, whatever the length of the transcript.
class TChatTranscript {
public:
    static constexpr std::size_t kCapacity = std::size_t{64} * 1024;

    explicit TChatTranscript(std::size_t capacity = kCapacity);

    // Never fails. A bold length beyond the header is cut to the header's length.
    void appendMessage(std::string header, std::size_t boldLength, TColor colour, std::string body);
    void clear();
    // Writes the whole transcript as one RTF document, replacing the file atomically.
    // Throws EFCreateError ("Cannot create file ...") or EOutOfResources ("Failed to Save Stream").
    void saveToFile(const std::string& path) const;

    const std::deque<TTranscriptMessage>& messages() const { return m_messages; }
    std::size_t length() const { return m_length; }
    std::size_t capacity() const { return m_capacity; }

    void setObserver(ITranscriptObserver* observer) { m_observer = observer; }

private:
    std::size_t m_capacity;
    std::size_t m_length = 0;
    std::deque<TTranscriptMessage> m_messages;
    ITranscriptObserver* m_observer = nullptr;
};

} // namespace lirbo::core
