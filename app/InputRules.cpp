#include "app/InputRules.h"

#include "core/CodePage1251.h"

#include <cstdio>

namespace lirbo::app {

std::string InputRules::joinLines(std::string text) {
    std::string joined;
    joined.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        joined += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
    }
    return joined;
}

bool InputRules::hasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

TypedText InputRules::fromUnicode(const std::u32string& text) {
    TypedText typed;
    typed.text.reserve(text.size());
    for (const char32_t c : text) {
        const std::optional<char> byte = core::cp1251::fromUnicode(c);
        if (!byte) {
            typed.lacking.push_back(c);
        }
        typed.text.push_back(byte.value_or('?'));
    }
    return typed;
}

std::string InputRules::outgoingError(const std::string& nick, const TypedText& line) {
    std::string error = lackingCharactersError(line.lacking);
    return error.empty() ? tooLongError(nick, line.text) : error;
}

std::string InputRules::lackingCharactersError(const std::u32string& lacking) {
    if (lacking.empty()) {
        return {};
    }
    // "В кодировке Windows-1251 нет символов: "
    std::string error = "\xC2 \xEA\xEE\xE4\xE8\xF0\xEE\xE2\xEA\xE5 Windows-1251 \xED\xE5\xF2 "
                        "\xF1\xE8\xEC\xE2\xEE\xEB\xEE\xE2: ";
    std::u32string named;
    for (const char32_t c : lacking) {
        if (named.find(c) != std::u32string::npos) {
            continue; // each character once
        }
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
        error += named.empty() ? "" : ", ";
        error += code;
        named += c;
    }
    return error;
}

std::string InputRules::tooLongError(const std::string& nick, const std::string& text) {
    // "V" or "T", the colour digit, the nick, ";" and the text.
    if (3 + nick.size() + text.size() <= kLongestDatagram) {
        return {};
    }
    // "Сообщение не отправлено: вместе с заголовком оно длиннее 8192 байт, а собеседники не
    // принимают больше"
    return "\xD1\xEE\xEE\xE1\xF9\xE5\xED\xE8\xE5 \xED\xE5 \xEE\xF2\xEF\xF0\xE0\xE2\xEB\xE5\xED\xEE: "
           "\xE2\xEC\xE5\xF1\xF2\xE5 \xF1 \xE7\xE0\xE3\xEE\xEB\xEE\xE2\xEA\xEE\xEC \xEE\xED\xEE "
           "\xE4\xEB\xE8\xED\xED\xE5\xE5 8192 \xE1\xE0\xE9\xF2, \xE0 \xF1\xEE\xE1\xE5\xF1\xE5\xE4\xED\xE8\xEA\xE8 "
           "\xED\xE5 \xEF\xF0\xE8\xED\xE8\xEC\xE0\xFE\xF2 \xE1\xEE\xEB\xFC\xF8\xE5";
}

} // namespace lirbo::app
