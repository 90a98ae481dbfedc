#include "core/SystemText.h"

namespace lirbo::core::sys {

// The program's A functions give paths and system texts in the ANSI code page, which is
// Windows-1251 where the program's texts are meant to be read.
std::string pathToCp1251(std::string_view path) {
    return std::string(path);
}

std::string localeTextToCp1251(std::string_view text) {
    return std::string(text);
}

} // namespace lirbo::core::sys
