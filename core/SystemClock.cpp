#include "core/SystemClock.h"

#include <cstdio>

namespace lirbo::core {

std::string formatTimeStamp(int hour, int minute, char separator) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d%c%02d", hour, separator, minute);
    return text;
}

} // namespace lirbo::core
