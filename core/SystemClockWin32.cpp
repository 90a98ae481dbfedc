#include "core/SystemClock.h"

#include <ctime>
#include <windows.h>

namespace lirbo::core {

std::string SystemClock::timeStamp() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    char separator[8] = {};
    const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, separator, sizeof separator);
    return formatTimeStamp(local.tm_hour, local.tm_min, length > 1 ? std::string_view(separator) : ":");
}

} // namespace lirbo::core
