#pragma once

#include <QString>
#include <string_view>

namespace lirbo::ui {

// A text of core/Texts.h or of a form's description (UTF-8) as Qt shows it.
inline QString uiText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace lirbo::ui
