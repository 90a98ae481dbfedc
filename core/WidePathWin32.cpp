#include "core/WidePath.h"

#include <windows.h>

namespace lirbo::core::fs {

std::wstring widePath(std::string_view utf8) {
    const int length = static_cast<int>(utf8.size());
    const int size = length == 0 ? 0 : MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) {
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), size);
    }
    return wide;
}

std::string utf8Path(std::wstring_view wide) {
    const int length = static_cast<int>(wide.size());
    const int size =
        length == 0 ? 0 : WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), size, nullptr, nullptr);
    }
    return utf8;
}

} // namespace lirbo::core::fs
