#pragma once

#include "core/ChatPorts.h"

namespace lirbo::core {

// The local time of day from the system clock, "hh:nn" with a colon.
class SystemClock : public IClock {
public:
    std::string timeStamp() const override;
};

} // namespace lirbo::core
