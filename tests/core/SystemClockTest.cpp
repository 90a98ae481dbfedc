#include "core/SystemClock.h"

#include <cstdio>
#include <ctime>
#include <gtest/gtest.h>
#include <string>

namespace lirbo::core {
namespace {

// The local hour and minute as the C library gives them, "hh:nn".
std::string localStamp() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", local->tm_hour, local->tm_min);
    return text;
}

TEST(SystemClock, GivesTheLocalHourAndMinuteWithTwoDigitsEach) {
    // Taken between two readings, so a minute that turns during the call still matches one of them.
    const std::string before = localStamp();
    const std::string stamp = SystemClock().timeStamp();
    const std::string after = localStamp();
    EXPECT_TRUE(stamp == before || stamp == after) << stamp << " is neither " << before << " nor " << after;
}

} // namespace
} // namespace lirbo::core
