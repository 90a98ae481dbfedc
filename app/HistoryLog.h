#pragma once

#include "app/SenderRateLimit.h"
#include "core/AppendFile.h"
#include "core/ChatPorts.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lirbo::app {

// The conversation's lasting record, which the 64K transcript is not: every message shown is
// appended at once to a plain-text file of the day ("YYYY-MM-DD.txt") in its folder, in
// Windows-1251 like the program's other files, one message a line (core/HistoryLine.h):
//     date time<TAB>address<TAB>kind<TAB>nick<TAB>text<TAB>colour CR LF
// Each line goes to the system in one write before the next message, so a crash or a kill loses at
// most the line being written, and a write the disk takes only in part is cut off again.
// A host on the network cannot fill the disk: each sender address gets at most 1,000 lines in any
// 30 seconds, and the messages refused beyond are counted and told in one line of the kind
// "пропущено" ("пропущено N сообщений от ADDRESS") once the sender's window has emptied or its
// next message is logged; a day's file stops at its limit with one line of the kind "журнал".
// Messages refused are never formatted. The file is opened afresh when it or its folder was
// removed or replaced (looked at once a second, and after a failed write). A failing disk never
// stops the chat: the failure is kept for the error box, once, and later ones stay silent until a
// write succeeds again.
class HistoryLog : public core::IMessageListener {
public:
    using Clock = std::function<std::time_t()>;
    static constexpr std::uint64_t kDefaultDayLimit = 64ull << 20;

    // `folder` is created at the first message. An empty clock means the system's.
    explicit HistoryLog(std::string folder, Clock clock = {});
    // Tells the refused messages not told yet.
    ~HistoryLog() override;
    HistoryLog(const HistoryLog&) = delete;
    HistoryLog& operator=(const HistoryLog&) = delete;

    void messageShown(const core::TShownMessage& message) override;

    // Off: nothing is written, and the file of the day is closed.
    void setEnabled(bool enabled);
    bool enabled() const { return m_enabled; }
    // The largest size of a day's file, its closing line included.
    void setDayLimit(std::uint64_t bytes) { m_dayLimit = bytes; }
    const std::string& folder() const { return m_folder; }
    // The file of the day, created empty when there is none yet. Throws EFCreateError.
    std::string todaysFile();

    // The error of a failed write, once per run of failures; nothing otherwise.
    std::optional<std::string> takeFailure();

    // The text of one line (without CR LF) as the log writes it.
    static std::string line(const std::tm& time, const core::TShownMessage& message);

private:
    std::time_t now() const;
    // "YYYY-MM-DD hh:mm:ss" of the local time `seconds`; the system is asked once per second.
    const std::string& stamp(std::time_t seconds);
    void appendSkipped(const std::string& address, std::uint64_t count);
    void appendSkipped(const std::vector<SenderRateLimit::Skipped>& skipped);
    // Writes every count of held-back messages not yet told, as the log ends or is turned off.
    void writeUntoldCounts();
    // Writes m_record to the day's file; `look` also checks that the file is still where it was.
    void writeRecord(bool look);
    bool openFor(const std::tm& day, bool look);
    void close();
    void fail(const std::string& what, const std::string& path, int error);

    std::string m_folder;
    Clock m_clock;
    bool m_enabled = true;
    std::uint64_t m_dayLimit = kDefaultDayLimit;
    SenderRateLimit m_rateLimit;
    std::time_t m_second = -1;
    std::tm m_local{};
    std::string m_stamp;
    std::time_t m_lastLook = -1;
    std::string m_record; // the lines of one write, reused
    core::fs::AppendFile m_file;
    std::string m_filePath;
    int m_fileYear = -1; // the day of the open file
    int m_fileDay = -1;
    bool m_dayFull = false;
    std::optional<std::string> m_failure;
    std::string m_lastFailure; // the text of the last failure, reported or not
    bool m_failureReported = false;
};

} // namespace lirbo::app
