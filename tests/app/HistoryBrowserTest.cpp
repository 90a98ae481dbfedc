#include "app/HistoryBrowser.h"

#include "app/HistoryLog.h"
#include "core/FileSystem.h"
#include "core/HistoryLine.h"
#include "support/ScratchDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using lirbo::app::HistoryBrowser;
using lirbo::app::HistoryLog;
using lirbo::core::TShownMessage;
using lirbo::test::ScratchDir;

namespace {

// A log line as HistoryLog writes it.
std::string logLine(const std::string& time, const std::string& nick, const std::string& text) {
    std::tm stamp{};
    stamp.tm_year = 126;
    stamp.tm_mday = 1;
    stamp.tm_hour = std::stoi(time.substr(0, 2));
    stamp.tm_min = std::stoi(time.substr(3, 2));
    return HistoryLog::line(stamp, {TShownMessage::Kind::Received, nick, "10.0.0.7", text, {}}) + "\r\n";
}

std::vector<std::string> bodies(HistoryBrowser& browser) {
    while (browser.step()) {
    }
    std::vector<std::string> result;
    for (const auto& message : browser.transcript().messages()) {
        result.push_back(message.body);
    }
    return result;
}

} // namespace

TEST(HistoryBrowserTest, ListsTheDayFilesNewestFirst) {
    ScratchDir dir;
    for (const char* name : {"2026-12-08.txt", "2026-12-10.txt", "2025-01-31.txt", "notes.txt", "2026-1-1.txt"}) {
        ScratchDir::write(dir.file(name), "x\r\n");
    }
    std::filesystem::create_directory(dir.file("2026-12-11.txt"));
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(dir.file("2026-12-12.txt").c_str(), 0600), 0);
#endif
    std::vector<std::string> dates;
    for (const auto& day : HistoryBrowser::listDays(dir.path())) {
        dates.push_back(day.date);
        EXPECT_EQ(day.path, dir.file(day.date + ".txt"));
    }
    EXPECT_EQ(dates, (std::vector<std::string>{"2026-12-10", "2026-12-08", "2025-01-31"}));
    EXPECT_TRUE(HistoryBrowser::listDays(dir.file("none")).empty());
}

TEST(HistoryBrowserTest, ReadsBackWhatTheLogWroteAsPlainText) {
    // Every escape comes back as the byte it stands for; nothing else is touched.
    const std::string fields[] = {"a\\b", "line\r\nbreak\ttab", std::string("\x01\x1B[31m\x7F", 7), "{\\rtf1 \\b x}",
                                  "\xCF\xF0\xE8\xE2\xE5\xF2 \\x41"};
    for (const std::string& field : fields) {
        std::string escaped;
        lirbo::core::history::appendEscaped(escaped, field);
        std::string back;
        lirbo::core::history::appendUnescaped(back, escaped);
        EXPECT_EQ(back, field);
    }
    lirbo::core::history::Record record;
    lirbo::core::history::parseLine("2026-12-09 10:11:12\t10.0.0.7\tkind\tEve\\tX\thi\\n", record);
    std::string header, body;
    std::size_t bold = 0;
    HistoryBrowser::toMessage(record, header, bold, body);
    EXPECT_EQ(header, "Eve\tX[10:11:12] kind 10.0.0.7");
    EXPECT_EQ(bold, 15u);
    EXPECT_EQ(body, "hi\n");
    lirbo::core::history::parseLine("torn\tline", record); // not five fields: shown whole
    HistoryBrowser::toMessage(record, header, bold, body);
    EXPECT_EQ(header, "");
    EXPECT_EQ(body, "torn\tline");
}

TEST(HistoryBrowserTest, DrawsEachMessageInTheColourItWasShownIn) {
    // Only a palette index after the text is a colour; older and torn lines read as always (colour 0).
    const std::pair<std::string, int> cases[] = {{"hi\t6", 6}, {"a\\tb\t8", 8}, {"old", 0}, {"x\t9", 0},
                                                 {"x\t07", 0}, {"x\t-1", 0},    {"x\t", 0}};
    ScratchDir dir;
    std::string file;
    for (const auto& c : cases) {
        file += "2026-01-01 10:00:00\t10.0.0.7\tkind\tn\t" + c.first + "\r\n";
    }
    ScratchDir::write(dir.file("2026-01-01.txt"), file);
    HistoryBrowser browser(dir.path(), [] {});
    browser.refreshDays();
    browser.openDay(0);
    ASSERT_EQ(bodies(browser), (std::vector<std::string>{"hi", "a\tb", "old", "x\t9", "x\t07", "x\t-1", "x\t"}));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(browser.transcript().messages()[i].colour, lirbo::core::TNickPalette::colour(cases[i].second));
    }
}

TEST(HistoryBrowserTest, PagesCoverTheDayOnceInOrderWhateverTheirSize) {
    ScratchDir dir;
    std::string file;
    std::vector<std::string> all;
    for (int i = 0; i < 60; ++i) {
        all.push_back(std::to_string(i) + std::string(static_cast<std::size_t>(i * 7 % 23), 'x'));
        file += logLine("10:00", "n", all.back());
    }
    file += "torn last line"; // a crash cut the last write short
    all.push_back("torn last line");
    ScratchDir::write(dir.file("2026-01-01.txt"), file);

    for (const std::uint64_t page : {std::uint64_t{1}, std::uint64_t{40}, std::uint64_t{333}, std::uint64_t{1} << 20}) {
        HistoryBrowser browser(
            dir.path(), [] {}, page);
        browser.refreshDays();
        browser.openDay(0);
        std::vector<std::string> seen = bodies(browser); // the last page first
        EXPECT_EQ(browser.pageNote().empty(), page > file.size()) << page;
        while (browser.hasEarlier()) {
            browser.earlier();
            std::vector<std::string> before = bodies(browser);
            seen.insert(seen.begin(), before.begin(), before.end());
        }
        EXPECT_EQ(seen, all) << "page " << page;
        std::size_t forward = bodies(browser).size();
        while (browser.hasLater()) {
            browser.later();
            forward += bodies(browser).size();
        }
        EXPECT_EQ(forward, all.size()) << "page " << page;
    }

    // Shown again, the end of the day shows what was logged since.
    HistoryBrowser browser(dir.path(), [] {});
    browser.refreshDays();
    browser.openDay(0);
    ScratchDir::write(dir.file("2026-01-01.txt"), file + "\r\n" + logLine("11:00", "n", "later"));
    browser.refresh();
    EXPECT_EQ(bodies(browser).back(), "later");
}

TEST(HistoryBrowserTest, SearchesEveryDayLetterCaseAsideAndOpensTheHit) {
    ScratchDir dir;
    const std::string privet = "\xCF\xF0\xE8\xE2\xE5\xF2"; // Привет
    const std::string upper = "\xCF\xD0\xC8\xC2\xC5\xD2";  // ПРИВЕТ
    std::string big;
    for (int i = 0; i < 3000; ++i) {
        big += logLine("09:00", "n", "filler " + std::to_string(i));
    }
    ScratchDir::write(dir.file("2026-01-01.txt"), logLine("08:00", "Ann", "old " + privet) + big);
    ScratchDir::write(dir.file("2026-01-02.txt"), logLine("08:00", upper, "x") + logLine("08:01", "B", "a\\b"));

    struct Case {
        std::string text;
        std::vector<std::string> days;
    };
    const Case cases[] = {
        {"\xEF\xF0\xE8\xE2\xE5\xF2", {"2026-01-02", "2026-01-01"}}, // the nick of one day, the text of another
        {"A\\B", {"2026-01-02"}},                                   // found as shown, not as escaped
        {"08:01:00] \xEF\xF0\xE8\xED\xFF\xF2\xEE", {"2026-01-02"}}, // across the parts of the header
        {"filler 2999", {"2026-01-01"}},
    };
    for (const Case& c : cases) {
        HistoryBrowser browser(
            dir.path(), [] {}, 4096);
        browser.startSearch(c.text);
        while (browser.step()) {
        }
        std::vector<std::string> days;
        for (const auto& hit : browser.hits()) {
            days.push_back(hit.date);
        }
        EXPECT_EQ(days, c.days) << c.text;
    }

    // The hit in the first line of a day larger than a page opens the part that holds it.
    HistoryBrowser browser(
        dir.path(), [] {}, 4096);
    browser.startSearch(upper);
    while (browser.step()) {
    }
    ASSERT_EQ(browser.hits().size(), 2u);
    browser.openHit(1);
    while (browser.step()) {
    }
    EXPECT_EQ(browser.openedDay(), std::optional<std::size_t>(1));
    EXPECT_FALSE(browser.hasEarlier());
    EXPECT_TRUE(browser.hasLater());
    const auto match = browser.takeMatch();
    ASSERT_TRUE(match);
    EXPECT_EQ(browser.transcript().messages()[match->message].body.substr(match->offset, match->length), privet);
}

TEST(HistoryBrowserTest, RefusesWhatIsNoRegularFileWithoutWaiting) {
    ScratchDir dir;
    lirbo::app::HistoryLines lines;
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    EXPECT_EQ(lines.open(dir.file("fifo")), lirbo::core::fs::errorNotRegularFile);
#endif
    EXPECT_EQ(lines.open(dir.path()), lirbo::core::fs::errorNotRegularFile);
}
