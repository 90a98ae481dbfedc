#include "core/CodePage1251.h"
#include "core/SystemText.h"

#include <windows.h>

namespace lirbo::core::sys {

namespace {

// Text in the ANSI code page, as the system's A functions give it, through UTF-16 into
// Windows-1251: right on a system of any code page, unchanged on a 1251 one.
std::string ansiToCp1251(std::string_view text) {
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::u16string wide(static_cast<std::size_t>(size > 0 ? size : 0), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<wchar_t*>(wide.data()), size);
    return cp1251::fromUtf16(wide).bytes;
}

} // namespace

std::string localeTextToCp1251(std::string_view text) {
    return ansiToCp1251(text);
}

} // namespace lirbo::core::sys
