#pragma once

#include "core/ChatPorts.h"

#include <string>
#include <string_view>

namespace lirbo::core {

// The local time of day from the system clock, "hh:nn" with the system's time separator (a colon
// in most settings, a full stop in Finnish ones).
class SystemClock : public IClock {
public:
    std::string timeStamp() const override;
};

// "hh:nn": the hour and the minute, two digits each, with the separator between them. A separator
// that is empty, longer than three bytes, or holds a character Windows-1251 lacks ("?") is ":".
std::string formatTimeStamp(int hour, int minute, std::string_view separator);

// The text between the hour and the minute of a strftime time format: ":" for "%H:%M:%S" or "%T",
// "." for "%H.%M.%S"; empty when the format has no hour directly followed by text and the minute.
std::string timeSeparatorIn(std::string_view timeFormat);

} // namespace lirbo::core
