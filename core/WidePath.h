#pragma once

#include <string>
#include <string_view>

// Windows only. The program keeps every path as UTF-8, whatever code page the system uses for
// programs that are not Unicode, so that any folder name works; the system's W functions take and
// give UTF-16, converted here and nowhere else.
namespace lirbo::core::fs {

std::wstring widePath(std::string_view utf8);
// A lone surrogate in a name (which no UTF-8 can hold) becomes U+FFFD.
std::string utf8Path(std::wstring_view wide);

} // namespace lirbo::core::fs
