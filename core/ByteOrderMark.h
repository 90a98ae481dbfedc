#pragma once

#include <string_view>

namespace lirbo::core {

// The UTF-8 byte-order mark that some editors put at the start of a text file. The program's files
// are Windows-1251, where these bytes would read as "п»ї" before the first line.
inline constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

inline bool startsWithByteOrderMark(std::string_view bytes) {
    return bytes.substr(0, utf8ByteOrderMark.size()) == utf8ByteOrderMark;
}

} // namespace lirbo::core
