#include "IniSanitize.h"

#include <algorithm>

namespace lirbo::fuzz {

namespace {

void removeBytes(std::string& text, const std::string& bytes) {
    text.erase(std::remove_if(text.begin(), text.end(), [&](char c) { return bytes.find(c) != std::string::npos; }),
               text.end());
}

void trimBlanks(std::string& text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.back())) {
        text.pop_back();
    }
    const auto first = std::find_if_not(text.begin(), text.end(), blank);
    text.erase(text.begin(), first);
}

} // namespace

std::string sectionName(std::string text) {
    removeBytes(text, std::string("\r\n]\0", 4));
    trimBlanks(text);
    return text.empty() ? "s" : text;
}

std::string keyName(std::string text) {
    removeBytes(text, std::string("\r\n=\0", 4));
    trimBlanks(text);
    while (!text.empty() && (text.front() == '[' || text.front() == ';')) {
        text.erase(0, 1);
        trimBlanks(text);
    }
    return text.empty() ? "k" : text;
}

std::string plainValue(std::string text) {
    removeBytes(text, std::string("\r\n\0", 3));
    trimBlanks(text);
    // A value such as ''' is still enclosed after one mark goes: drop marks until it is not.
    while (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front()) {
        text.pop_back();
        trimBlanks(text);
    }
    return text;
}

} // namespace lirbo::fuzz
