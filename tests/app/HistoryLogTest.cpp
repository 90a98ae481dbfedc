#include "app/HistoryLog.h"

#include "core/FileSystem.h"
#include "support/FileSizeLimit.h"
#include "support/ScratchDir.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
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

const char* const kSkipped = "\xEF\xF0\xEE\xEF\xF3\xF9\xE5\xED\xEE"; // пропущено
const char* const kWriteFailed = "\xCD\xE5 \xF3\xE4\xE0\xEB\xEE\xF1\xFC \xE7\xE0\xEF\xE8\xF1\xE0\xF2\xFC \xE2 "
                                 "\xE6\xF3\xF0\xED\xE0\xEB"; // Не удалось записать в журнал

TShownMessage from(const std::string& address, const std::string& text) {
    return {TShownMessage::Kind::Received, "Eve", address, text, {}};
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
    TShownMessage message{TShownMessage::Kind::ReceivedPrivate, "A\tnn", "127.0.0.1", "one\r\ntwo\\three\n", {}};
    message.colourIndex = 7;
    EXPECT_EQ(HistoryLog::line(time, message),
              "2026-12-09 07:05:03\t127.0.0.1\t\xEB\xE8\xF7\xED\xEE \xEE\xF2\tA\\tnn\tone\\r\\ntwo\\\\three\\n\t7");
}

TEST(HistoryLogTest, EveryControlByteAndDelIsEscaped) {
    std::string bytes;
    std::string escaped;
    for (int byte = 0; byte <= 0x7F; byte = byte == 0x1F ? 0x7F : byte + 1) {
        bytes += static_cast<char>(byte);
        static const char hex[] = "0123456789ABCDEF";
        escaped += byte == '\t'   ? std::string("\\t")
                   : byte == '\r' ? std::string("\\r")
                   : byte == '\n' ? std::string("\\n")
                                  : std::string("\\x") + hex[byte >> 4] + hex[byte & 15];
    }
    ASSERT_EQ(bytes.size(), 33u);
    const std::string line =
        HistoryLog::line(std::tm{}, {TShownMessage::Kind::Received, bytes, "1.2.3.4", bytes + "\\ \xFF", {}});
    EXPECT_EQ(line.substr(line.find("\t1.2.3.4\t")),
              "\t1.2.3.4\t\xEF\xF0\xE8\xED\xFF\xF2\xEE\t" + escaped + '\t' + escaped + "\\\\ \xFF\t0");
}

TEST(HistoryLogTest, KeepsADaysTenThousandMessagesInItsOwnFile) {
    ScratchDir scratch;
    std::time_t now = at(2026, 12, 9, 23, 0, 0);
    HistoryLog log(scratch.file("history"), [&] { return now; });
    for (int i = 0; i < 10000; ++i) {
        log.messageShown({TShownMessage::Kind::Sent, "Ann", "", "message " + std::to_string(i), {}});
    }
    now = at(2026, 12, 10, 0, 0, 1);
    log.messageShown({TShownMessage::Kind::Sent, "Ann", "", "after midnight", {}});
    const std::string day = ScratchDir::read(scratch.file("history/2026-12-09.txt"));
    EXPECT_EQ(lineCount(day), 10000u);
    EXPECT_NE(day.find("\tmessage 9999\t0\r\n"), std::string::npos);
    EXPECT_EQ(ScratchDir::read(log.todaysFile()).find("\tafter midnight\t0\r\n") != std::string::npos, true);
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
    // "Не удалось создать папку журнала": the folder's fault, with the system's reason for it.
    const std::string said = "\xCD\xE5 \xF3\xE4\xE0\xEB\xEE\xF1\xFC \xF1\xEE\xE7\xE4\xE0\xF2\xFC \xEF\xE0\xEF\xEA\xF3 "
                             "\xE6\xF3\xF0\xED\xE0\xEB\xE0 \"" +
                             folder + "\": ";
    EXPECT_EQ(failure->rfind(said, 0), 0u) << *failure;
    EXPECT_GT(failure->size(), said.size());
    log.messageShown(message);
    EXPECT_FALSE(log.takeFailure().has_value()); // silent while it keeps failing

    std::filesystem::remove(folder);
    log.messageShown(message); // works again
    EXPECT_FALSE(log.takeFailure().has_value());
    std::filesystem::create_directory(scratch.file("history/2026-12-10.txt"));
    now = at(2026, 12, 10, 12, 0, 0);
    log.messageShown(message); // the next day's file cannot be made: reported afresh
    EXPECT_TRUE(log.takeFailure().has_value());
    EXPECT_EQ(ScratchDir::read(scratch.file("history/2026-12-09.txt")).find("\tx\t0\r\n") != std::string::npos, true);
}

TEST(HistoryLogTest, WritesNothingWhenOff) {
    ScratchDir scratch;
    HistoryLog log(scratch.file("history"));
    log.setEnabled(false);
    log.messageShown({TShownMessage::Kind::Sent, "Ann", "", "x", {}});
    EXPECT_FALSE(ScratchDir::exists(scratch.file("history")));
}

// One sender gets at most 1,000 lines in any 30 s (a sliding window, to the second); the rest is
// counted and told in one line before its next logged message, or once its window has emptied.
TEST(HistoryLogTest, AFloodFromOneSenderIsBoundedAndCounted) {
    struct Step {
        int second;
        const char* address;
        int count;
        std::size_t linesAfter;
        const char* told; // the count line expected by then
    };
    const Step steps[] = {
        {0, "10.0.0.1", 5000, 1000, nullptr},
        {0, "10.0.0.2", 3, 1003, nullptr},   // others still get through
        {29, "10.0.0.1", 10, 1003, nullptr}, // still the same 30 s
        {30, "10.0.0.1", 1, 1005, "4010 \xF1\xEE\xEE\xE1\xF9\xE5\xED\xE8\xE9 \xEE\xF2 10.0.0.1"}, // 4010 сообщений от
        {31, "10.0.0.1", 1000, 2004, nullptr}, // 999 more fit beside the one of second 30
        {61, "10.0.0.3", 1, 2006, "1 \xF1\xEE\xEE\xE1\xF9\xE5\xED\xE8\xE5 \xEE\xF2 10.0.0.1"}, // its window emptied
    };
    ScratchDir scratch;
    const std::time_t start = at(2026, 12, 9, 12, 0, 0);
    std::time_t now = start;
    HistoryLog log(scratch.file("history"), [&] { return now; });
    const std::string file = scratch.file("history/2026-12-09.txt");
    std::size_t ownLines = 0;
    for (const Step& step : steps) {
        now = start + step.second;
        for (int i = 0; i < step.count; ++i) {
            log.messageShown(from(step.address, "m"));
        }
        log.messageShown({TShownMessage::Kind::Sent, "Ann", "", "own lines are never held back", {}});
        const std::string text = ScratchDir::read(file);
        EXPECT_EQ(lineCount(text), step.linesAfter + ++ownLines) << "second " << step.second;
        if (step.told != nullptr) {
            const std::string told = std::string("\t") + kSkipped + "\t\t" + kSkipped + ' ' + step.told + "\r\n";
            EXPECT_NE(text.find(told), std::string::npos) << "second " << step.second;
        }
    }
}

TEST(HistoryLogTest, CountsNotYetToldAreWrittenWhenTheLogClosesOrIsTurnedOff) {
    for (const bool turnedOff : {false, true}) {
        ScratchDir scratch;
        {
            HistoryLog log(scratch.file("history"), [] { return at(2026, 12, 9, 12, 0, 0); });
            for (int i = 0; i < 1002; ++i) {
                log.messageShown(from("10.0.0.9", "m"));
            }
            log.setEnabled(!turnedOff);
        }
        const std::string text = ScratchDir::read(scratch.file("history/2026-12-09.txt"));
        EXPECT_EQ(lineCount(text), 1001u) << turnedOff;
        EXPECT_NE(text.find(std::string(kSkipped) + " 2 \xF1\xEE\xEE\xE1\xF9\xE5\xED\xE8\xFF \xEE\xF2 10.0.0.9\r\n"),
                  std::string::npos)
            << turnedOff;
    }
}

TEST(HistoryLogTest, ADaysFileStopsAtItsLimitWithOneLineSayingSo) {
    ScratchDir scratch;
    std::time_t now = at(2026, 12, 9, 12, 0, 0);
    HistoryLog log(scratch.file("history"), [&] { return now; });
    log.setDayLimit(4096);
    for (int i = 0; i < 200; ++i) {
        log.messageShown({TShownMessage::Kind::Sent, "Ann", "", std::string(40, 'a'), {}});
    }
    const std::string day = ScratchDir::read(scratch.file("history/2026-12-09.txt"));
    EXPECT_LE(day.size(), 4096u);
    EXPECT_GT(day.size(), 4096u - 600);
    const std::size_t last = day.rfind("\r\n", day.size() - 3) + 2;
    // "журнал за день достиг 4096 байт: ..."
    const std::string closing = "\t\t\xE6\xF3\xF0\xED\xE0\xEB\t\t\xE6\xF3\xF0\xED\xE0\xEB \xE7\xE0 \xE4\xE5\xED\xFC "
                                "\xE4\xEE\xF1\xF2\xE8\xE3 4096 \xE1\xE0\xE9\xF2: ";
    EXPECT_EQ(day.substr(last + 19, closing.size()), closing);

    HistoryLog later(scratch.file("history"), [&] { return now; }); // a copy started later that day
    later.setDayLimit(4096);
    later.messageShown({TShownMessage::Kind::Sent, "Ann", "", "x", {}});
    EXPECT_EQ(ScratchDir::read(scratch.file("history/2026-12-09.txt")), day);
    now = at(2026, 12, 10, 0, 0, 0);
    log.messageShown({TShownMessage::Kind::Sent, "Ann", "", "next day", {}});
    EXPECT_EQ(lineCount(ScratchDir::read(scratch.file("history/2026-12-10.txt"))), 1u);
}

// The folder or the file removed or replaced while the program runs: within a second the lines go
// to a new file where the old one was, not on into a file nobody can see.
TEST(HistoryLogTest, AFolderOrFileRemovedOrReplacedIsOpenedAfresh) {
    struct Case {
        const char* name;
        void (*change)(const std::string& folder, const std::string& file);
    };
    const Case cases[] = {
        {"folder removed", [](const std::string& folder, const std::string&) { std::filesystem::remove_all(folder); }},
        {"folder moved away and made anew",
         [](const std::string& folder, const std::string&) {
             std::filesystem::rename(folder, folder + ".old");
             std::filesystem::create_directory(folder);
         }},
        {"file replaced",
         [](const std::string&, const std::string& file) {
             std::filesystem::rename(file, file + ".old");
             ScratchDir::write(file, "new\r\n");
         }},
    };
    int staged = 0;
    for (const Case& c : cases) {
        ScratchDir scratch;
        const std::string folder = scratch.file("history");
        const std::string file = scratch.file("history/2026-12-09.txt");
        std::time_t now = at(2026, 12, 9, 12, 0, 0);
        HistoryLog log(folder, [&] { return now; });
        log.messageShown(from("10.0.0.1", "before"));
        try {
            c.change(folder, file);
        } catch (const std::filesystem::filesystem_error& error) {
            std::cout << c.name << ": this system keeps an open file's folder in place: " << error.what() << '\n';
            continue;
        }
        ++staged;
        ++now;
        log.messageShown(from("10.0.0.1", "after"));
        const std::string text = ScratchDir::read(file);
        EXPECT_EQ(text.find("\tbefore\t0\r\n"), std::string::npos) << c.name;
        EXPECT_NE(text.find("\tafter\t0\r\n"), std::string::npos) << c.name;
        EXPECT_FALSE(log.takeFailure().has_value()) << c.name;
    }
    EXPECT_GT(staged, 0);
}

TEST(HistoryLogTest, AWriteFailingHalfWayLeavesNoPartOfItsLine) {
    LIRBO_SKIP_IF_CANNOT_STAGE(lirbo::test::platform::Staging::FullDisk);
    ScratchDir scratch;
    const std::string file = scratch.file("history/2026-12-09.txt");
    HistoryLog log(scratch.file("history"), [] { return at(2026, 12, 9, 12, 0, 0); });
    log.messageShown(from("10.0.0.1", "first"));
    const std::string first = ScratchDir::read(file);
    {
        lirbo::test::FileSizeLimit limit(first.size() + 20); // the disk takes 20 bytes of the next line
        log.messageShown(from("10.0.0.1", "second, which the disk does not take whole"));
    }
    EXPECT_EQ(ScratchDir::read(file), first);
    const auto failure = log.takeFailure();
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(*failure, std::string(kWriteFailed) + " \"" + file + "\": " + lirbo::core::fs::systemErrorText(EFBIG));
    log.messageShown(from("10.0.0.1", "third"));
    EXPECT_EQ(ScratchDir::read(file), first + first.substr(0, first.size() - 9) + "third\t0\r\n");
}
