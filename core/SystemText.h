#pragma once

#include <optional>
#include <string>
#include <string_view>

// Texts that come from the system, prepared for the program's messages, which hold Windows-1251.
// Only messages are converted: a path that opens or saves a file always stays whole.
namespace lirbo::core::sys {

// The system's description of an error without its trailing blanks, control characters and
// full stops: "No such file or directory." with its line break becomes "No such file or directory".
std::string trimmedErrorText(std::string text);

// UTF-8 text as Windows-1251; each character that Windows-1251 lacks, and each byte that is not
// part of a well-formed UTF-8 sequence, becomes "?".
std::string utf8ToCp1251(std::string_view text);

// The code points of well-formed UTF-8 text; nothing when a byte is not part of a well-formed
// sequence.
std::optional<std::u32string> utf8CodePoints(std::string_view text);
// Windows-1251 bytes as UTF-8, each byte one character (0x98, unassigned, as U+0098).
std::string cp1251ToUtf8(std::string_view bytes);
// A path as the program keeps it (UTF-8: on Windows whatever the system's code page, on Linux the
// system's own bytes), as Windows-1251 for a message; what that code page lacks becomes "?".
std::string pathToCp1251(std::string_view path);

// A text in the character set of the current locale (the system's error descriptions), as
// Windows-1251 for a message.
std::string localeTextToCp1251(std::string_view text);

} // namespace lirbo::core::sys
