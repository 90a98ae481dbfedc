#include "app/InputRules.h"

#include "core/CodePage1251.h"
#include "core/Texts.h"

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
    std::string error = core::cp1251::fromUtf8Once<text::kLackingCharacters>();
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
    static_assert(kLongestDatagram == 8192, "the text names the bound");
    return core::cp1251::fromUtf8Once<text::kMessageTooLong>();
}

} // namespace lirbo::app
