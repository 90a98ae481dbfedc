#pragma once

#include <QString>
#include <string_view>

namespace lirbo::ui {

// A text of core/Texts.h (UTF-8) as a Qt string.
inline QString uiText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace lirbo::ui
