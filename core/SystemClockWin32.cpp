#include "core/SystemClock.h"

#include <ctime>

namespace lirbo::core {

std::string SystemClock::timeStamp() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    return formatTimeStamp(local.tm_hour, local.tm_min, ':');
}

} // namespace lirbo::core
