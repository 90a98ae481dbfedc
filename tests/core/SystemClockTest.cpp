#include "core/SystemClock.h"

#include <clocale>
#include <cstdio>
#include <ctime>
#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace lirbo::core {
namespace {

// The local hour and minute as the C library gives them, "hhnn".
std::string localDigits() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d", local->tm_hour, local->tm_min);
    return text;
}

TEST(SystemClock, GivesTheLocalHourAndMinuteWithTwoDigitsEach) {
    // Taken between two readings, so a minute that turns during the call still matches one of them.
    // The separator between them is the system's; the digits at both ends are the local time's.
    const std::string before = localDigits();
    const std::string stamp = SystemClock().timeStamp();
    const std::string after = localDigits();
    ASSERT_GE(stamp.size(), 4u) << stamp;
    const std::string digits = stamp.substr(0, 2) + stamp.substr(stamp.size() - 2);
    EXPECT_TRUE(digits == before || digits == after) << stamp << " is neither " << before << " nor " << after;
}

TEST(SystemClock, SeparatorIsTheTextBetweenHourAndMinuteOfTheTimeFormat) {
    const std::pair<const char*, const char*> cases[] = {
        {"%H:%M:%S", ":"},  {"%H.%M.%S", "."}, {"%T", ":"},    {"%r", ":"},   {"%OH:%OM:%OS", ":"}, {"%p %-I.%M", "."},
        {"%k h %M", " h "}, {"%H%%%M", "%"},   {"%H%M%S", ""}, {"%M:%H", ""}, {"%H:%S", ""},        {"", ""}};
    for (const auto& [format, separator] : cases) {
        EXPECT_EQ(timeSeparatorIn(format), separator) << format;
    }
    EXPECT_EQ(formatTimeStamp(9, 5, "."), "09.05");
    for (const char* unusable : {"", "?", "1234"}) {
        EXPECT_EQ(formatTimeStamp(9, 5, unusable), "09:05") << unusable;
    }
}

#ifndef _WIN32
TEST(SystemClock, StampTakesTheLocalesSeparator) {
    ASSERT_NE(std::setlocale(LC_ALL, "fi_FI.UTF-8"), nullptr) << "scripts/install-deps.sh test makes the locale";
    const std::string finnish = SystemClock().timeStamp();
    std::setlocale(LC_ALL, "C");
    ASSERT_EQ(finnish.size(), 5u) << finnish;
    EXPECT_EQ(finnish[2], '.');
}
#endif

} // namespace
} // namespace lirbo::core
