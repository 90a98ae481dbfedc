#pragma once

#include <string>

// Texts that come from the system, prepared for the program's messages.
namespace lirbo::core::sys {

// The system's description of an error without its trailing blanks, control characters and
// full stops: "No such file or directory." with its line break becomes "No such file or directory".
std::string trimmedErrorText(std::string text);

} // namespace lirbo::core::sys
