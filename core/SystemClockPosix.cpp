#include "core/SystemClock.h"
#include "core/SystemText.h"

#include <ctime>
#include <langinfo.h>

namespace lirbo::core {

std::string SystemClock::timeStamp() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    // The locale's time format (LC_TIME), whose text is in the character set of LC_CTYPE.
    const std::string separator = sys::localeTextToCp1251(timeSeparatorIn(::nl_langinfo(T_FMT)));
    return formatTimeStamp(local.tm_hour, local.tm_min, separator);
}

} // namespace lirbo::core
