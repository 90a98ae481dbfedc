#pragma once

#include "core/ChatPorts.h"

#include <cstdio>
#include <ctime>
#include <functional>
#include <optional>
#include <string>

namespace lirbo::app {

// The conversation's lasting record, which the 64K transcript is not: every message shown is
// appended at once to a plain-text file of the day ("YYYY-MM-DD.txt") in its folder, in
// Windows-1251 like the program's other files, one message a line:
//     date time<TAB>address<TAB>kind<TAB>nick<TAB>text CR LF
// A line break, a tab or a backslash inside a field is written as \n, \r, \t or \\, so one line
// is always one message. Each line is flushed to the system before the next message, so a crash or
// a kill loses at most the line being written. A failing disk never stops the chat: the failure is
// kept for the error box, once, and later ones stay silent until a write succeeds again.
class HistoryLog : public core::IMessageListener {
public:
    using Clock = std::function<std::time_t()>;

    // `folder` is created at the first message. An empty clock means the system's.
    explicit HistoryLog(std::string folder, Clock clock = {});
    ~HistoryLog() override;
    HistoryLog(const HistoryLog&) = delete;
    HistoryLog& operator=(const HistoryLog&) = delete;

    void messageShown(const core::TShownMessage& message) override;

    // Off: nothing is written, and the file of the day is closed.
    void setEnabled(bool enabled);
    bool enabled() const { return m_enabled; }
    const std::string& folder() const { return m_folder; }
    // The file of the day, created empty when there is none yet. Throws EFCreateError.
    std::string todaysFile();

    // The error of a failed write, once per run of failures; nothing otherwise.
    std::optional<std::string> takeFailure();

    // The text of one line (without CR LF) as the log writes it.
    static std::string line(const std::tm& time, const core::TShownMessage& message);

private:
    // The local time now; the system is asked once per second, as a flood comes many times in one.
    const std::tm& now();
    std::string pathFor(const std::tm& day) const;
    bool openFor(const std::tm& day);
    void close();
    void fail(const std::string& path, int error);

    std::string m_folder;
    Clock m_clock;
    bool m_enabled = true;
    std::time_t m_second = -1;
    std::tm m_local{};
    std::FILE* m_file = nullptr;
    std::string m_filePath;
    int m_fileYear = -1; // the day of the open file
    int m_fileDay = -1;
    int m_openError = 0; // the system's error of the last failed opening
    std::optional<std::string> m_failure;
    bool m_failureReported = false;
};

} // namespace lirbo::app
