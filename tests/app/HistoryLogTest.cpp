#include "app/HistoryLog.h"

#include "support/ScratchDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

using lirbo::app::HistoryLog;
using lirbo::core::TShownMessage;
using lirbo::test::ScratchDir;

namespace {

std::time_t at(int year, int month, int day, int hour, int minute, int second) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

std::size_t lineCount(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) {
        ++count;
    }
    return count;
}

} // namespace

TEST(HistoryLogTest, OneLinePerMessageWithItsBreaksEscaped) {
    std::tm time{};
    time.tm_year = 126;
    time.tm_mon = 11;
    time.tm_mday = 9;
    time.tm_hour = 7;
    time.tm_min = 5;
    time.tm_sec = 3;
    const TShownMessage message{TShownMessage::Kind::ReceivedPrivate, "A\tnn", "127.0.0.1", "one\r\ntwo\\three\n", {}};
    EXPECT_EQ(HistoryLog::line(time, message),
              "2026-12-09 07:05:03\t127.0.0.1\t\xEB\xE8\xF7\xED\xEE \xEE\xF2\tA\\tnn\tone\\r\\ntwo\\\\three\\n");
}

TEST(HistoryLogTest, KeepsADaysTenThousandMessagesInItsOwnFile) {
    ScratchDir scratch;
    std::time_t now = at(2026, 12, 9, 23, 0, 0);
    HistoryLog log(scratch.file("history"), [&] { return now; });
    for (int i = 0; i < 10000; ++i) {
        log.messageShown({TShownMessage::Kind::Received, "Eve", "127.0.0.1", "message " + std::to_string(i), {}});
    }
    now = at(2026, 12, 10, 0, 0, 1);
    log.messageShown({TShownMessage::Kind::Sent, "Ann", "", "after midnight", {}});
    const std::string day = ScratchDir::read(scratch.file("history/2026-12-09.txt"));
    EXPECT_EQ(lineCount(day), 10000u);
    EXPECT_NE(day.find("\tmessage 9999\r\n"), std::string::npos);
    EXPECT_EQ(ScratchDir::read(log.todaysFile()).find("\tafter midnight\r\n") != std::string::npos, true);
    EXPECT_EQ(std::filesystem::path(log.todaysFile()).filename(), "2026-12-10.txt");
}

TEST(HistoryLogTest, AFailureIsReportedOnceUntilAWriteSucceedsAgain) {
    ScratchDir scratch;
    const std::string folder = scratch.file("history");
    ScratchDir::write(folder, "a file where the folder should be");
    std::time_t now = at(2026, 12, 9, 12, 0, 0);
    HistoryLog log(folder, [&] { return now; });
    const TShownMessage message{TShownMessage::Kind::Received, "Eve", "127.0.0.1", "x", {}};
    log.messageShown(message);
    const auto failure = log.takeFailure();
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->rfind("Cannot create file \"" + scratch.file("history/2026-12-09.txt") + "\". ", 0), 0u)
        << *failure;
    log.messageShown(message);
    EXPECT_FALSE(log.takeFailure().has_value()); // silent while it keeps failing

    std::filesystem::remove(folder);
    log.messageShown(message); // works again
    EXPECT_FALSE(log.takeFailure().has_value());
    std::filesystem::create_directory(scratch.file("history/2026-12-10.txt"));
    now = at(2026, 12, 10, 12, 0, 0);
    log.messageShown(message); // the next day's file cannot be made: reported afresh
    EXPECT_TRUE(log.takeFailure().has_value());
    EXPECT_EQ(ScratchDir::read(scratch.file("history/2026-12-09.txt")).find("\tx\r\n") != std::string::npos, true);
}

TEST(HistoryLogTest, WritesNothingWhenOff) {
    ScratchDir scratch;
    HistoryLog log(scratch.file("history"));
    log.setEnabled(false);
    log.messageShown({TShownMessage::Kind::Sent, "Ann", "", "x", {}});
    EXPECT_FALSE(ScratchDir::exists(scratch.file("history")));
}
