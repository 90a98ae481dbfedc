#pragma once

#include "core/ChatPorts.h"

#include <string>

namespace lirbo::core {

// The local time of day from the system clock, "hh:nn" with the system's time separator.
class SystemClock : public IClock {
public:
    std::string timeStamp() const override;
};

// "hh:nn": the hour and the minute, two digits each, with the separator between them.
std::string formatTimeStamp(int hour, int minute, char separator);

} // namespace lirbo::core
