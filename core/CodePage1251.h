#pragma once

#include <optional>

// The Windows-1251 code page, the program's one character set: every byte is one character.
namespace lirbo::core::cp1251 {

// The Unicode code point of a byte; 0x98, which the code page leaves unassigned, maps to U+0098.
char16_t toUnicode(unsigned char byte);

// The byte of a code point; nothing when the code page lacks it.
std::optional<char> fromUnicode(char32_t codePoint);

} // namespace lirbo::core::cp1251
