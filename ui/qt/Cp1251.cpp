#include "ui/qt/Cp1251.h"

#include "core/CodePage1251.h"

#include <cstdint>
#include <string_view>
#include <utility>

namespace lirbo::ui {

QString fromCp1251(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        text.append(QChar(core::cp1251::toUnicode(byte)));
    }
    return text;
}

std::string toCp1251(const QString& text) {
    return toTypedText(text).text;
}

app::TypedText toTypedText(const QString& text) {
    core::cp1251::Encoded encoded = core::cp1251::fromUtf16(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
    app::TypedText typed;
    typed.original = text.toStdString();
    typed.text = std::move(encoded.bytes);
    typed.lacking = std::move(encoded.lacking);
    return typed;
}

} // namespace lirbo::ui
