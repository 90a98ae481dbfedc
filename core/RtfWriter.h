#pragma once

#include <string>

namespace lirbo::core {

class TChatTranscript;

// The transcript as one RTF document in code page 1251: a font table with Tahoma (Cyrillic
// charset), a colour table with the colours in use, and one paragraph per line with its bold,
// italic and colour runs. Message text is always written as plain text: backslash and braces are
// escaped, every byte from 0x80 up and every control byte is written as \'hh (tab as \tab, a line
// break inside a message as \line), so no message can inject RTF.
std::string transcriptToRtf(const TChatTranscript& transcript);

} // namespace lirbo::core
