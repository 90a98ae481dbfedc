#pragma once

#include <string>
#include <string_view>

// Small text helpers shared by the settings file reader and writer.
namespace lirbo::core::ini {

// Without the spaces and tabs at either end.
std::string_view trimBlanks(std::string_view text);

// ASCII letters folded to lower case; other bytes unchanged.
std::string lowerCase(std::string_view text);

bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace lirbo::core::ini
