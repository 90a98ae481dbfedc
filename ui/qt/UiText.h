#pragma once

#include <QString>
#include <string_view>

namespace lirbo::ui {

// A text of core/Texts.h, spelled in UTF-8, as the toolkit's string.
inline QString uiText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace lirbo::ui
