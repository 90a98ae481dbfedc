#include "core/SystemClock.h"

#include <cstdio>

namespace lirbo::core {

namespace {

struct Directive {
    char conversion = '\0';
    std::size_t end = 0; // index after the directive
};

// The directive at `start` ("%"), read as strftime reads it: flags, a width, an E or O modifier,
// then the conversion character.
Directive directiveAt(std::string_view format, std::size_t start) {
    std::size_t i = start + 1;
    while (i < format.size() && std::string_view("_-0^#").find(format[i]) != std::string_view::npos) {
        ++i;
    }
    while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
        ++i;
    }
    if (i < format.size() && (format[i] == 'E' || format[i] == 'O')) {
        ++i;
    }
    return i < format.size() ? Directive{format[i], i + 1} : Directive{'\0', format.size()};
}

} // namespace

std::string formatTimeStamp(int hour, int minute, std::string_view separator) {
    if (separator.empty() || separator.size() > 3 || separator.find('?') != std::string_view::npos) {
        separator = ":";
    }
    char text[16];
    std::snprintf(text, sizeof text, "%02d%.*s%02d", hour, static_cast<int>(separator.size()), separator.data(),
                  minute);
    return text;
}

std::string timeSeparatorIn(std::string_view timeFormat) {
    std::size_t i = timeFormat.find('%');
    while (i != std::string_view::npos) {
        const Directive directive = directiveAt(timeFormat, i);
        const std::string_view combined = "TRr"; // %H:%M:%S, %H:%M, %I:%M:%S %p
        if (combined.find(directive.conversion) != std::string_view::npos) {
            return ":";
        }
        const std::string_view hours = "HIkl";
        if (directive.conversion != '\0' && hours.find(directive.conversion) != std::string_view::npos) {
            std::string separator;
            std::size_t j = directive.end;
            while (j < timeFormat.size()) {
                if (timeFormat[j] != '%') {
                    separator += timeFormat[j++];
                } else if (j + 1 < timeFormat.size() && timeFormat[j + 1] == '%') {
                    separator += '%';
                    j += 2;
                } else {
                    break;
                }
            }
            return j < timeFormat.size() && directiveAt(timeFormat, j).conversion == 'M' ? separator : std::string();
        }
        i = timeFormat.find('%', directive.end);
    }
    return std::string();
}

} // namespace lirbo::core
