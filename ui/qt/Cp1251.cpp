#include "ui/qt/Cp1251.h"

#include "core/CodePage1251.h"

#include <cstdint>

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
    app::TypedText typed;
    typed.original = text.toStdString();
    std::string& bytes = typed.text;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (unit < 0x80) {
            bytes.push_back(static_cast<char>(unit));
            continue;
        }
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            typed.lacking.push_back(QChar::surrogateToUcs4(unit, text.at(i + 1).unicode()));
            bytes.push_back('?'); // one "?" for the whole code point
            ++i;
            continue;
        }
        const std::optional<char> byte = core::cp1251::fromUnicode(unit);
        if (!byte) {
            typed.lacking.push_back(unit);
        }
        bytes.push_back(byte.value_or('?'));
    }
    return typed;
}

} // namespace lirbo::ui
