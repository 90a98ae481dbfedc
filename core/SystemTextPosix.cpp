#include "core/SystemText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>

namespace lirbo::core::sys {

namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The text re-encoded from `charset` to UTF-8; a byte that cannot be converted becomes "?".
std::string toUtf8(std::string_view text, const char* charset) {
    const iconv_t converter = ::iconv_open("UTF-8", charset);
    if (converter == reinterpret_cast<iconv_t>(-1)) { // NOLINT(performance-no-int-to-ptr): iconv's failure value
        return std::string(text.size(), '?');
    }
    std::string out;
    std::string in(text);
    char* input = in.data();
    std::size_t inputLeft = in.size();
    char buffer[256];
    while (inputLeft > 0) {
        char* output = buffer;
        std::size_t outputLeft = sizeof buffer;
        const std::size_t done = ::iconv(converter, &input, &inputLeft, &output, &outputLeft);
        out.append(buffer, static_cast<std::size_t>(output - buffer));
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out.push_back('?'); // an invalid or cut sequence: skip one byte and go on
            ++input;
            --inputLeft;
        }
    }
    ::iconv_close(converter);
    return out;
}

} // namespace

// The error descriptions come in the character set of the locale's LC_CTYPE, which the program
// takes from the environment: UTF-8 in a Russian desktop session, ASCII in the "C" locale.
std::string localeTextToCp1251(std::string_view text) {
    if (isAscii(text)) {
        return std::string(text);
    }
    const char* charset = ::nl_langinfo(CODESET);
    if (std::strcmp(charset, "UTF-8") == 0) {
        return utf8ToCp1251(text);
    }
    return utf8ToCp1251(toUtf8(text, charset));
}

} // namespace lirbo::core::sys
