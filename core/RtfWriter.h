#pragma once

#include <cstddef>
#include <deque>
#include <string>

namespace lirbo::core {

class TChatTranscript;
struct TTranscriptMessage;

// The transcript as one RTF document in code page 1251: a font table with Tahoma (Cyrillic
// charset), a colour table with the colours in use, and one paragraph per line with its bold,
// italic and colour runs as styleMessage draws them. Message text is always written as plain text: backslash and braces
// are escaped, every byte from 0x80 up and every control byte is written as \'hh (tab as \tab, a line break inside a
// message as \line), so no message can inject RTF.
std::string transcriptToRtf(const TChatTranscript& transcript);
// The same document for `count` messages from `from` (cut to the messages there are): what the
// Windows view streams into its control for each batch.
std::string messagesToRtf(const std::deque<TTranscriptMessage>& messages, std::size_t from, std::size_t count);

} // namespace lirbo::core
