#pragma once

#include <string>

namespace lirbo::fuzz {

// Turns fuzz bytes into names and values that a settings file can hold and give back unchanged:
// no line breaks, no surrounding blanks, no enclosing pair of like quotes, and for names none of
// the bytes that would make the line something else ("]" in a section name, "=" in a key, a key
// starting with "[" or ";").
std::string sectionName(std::string text);
std::string keyName(std::string text);
std::string plainValue(std::string text);

} // namespace lirbo::fuzz
