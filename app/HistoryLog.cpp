#include "app/HistoryLog.h"

#include "core/Exception.h"
#include "core/FileSystem.h"
#include "core/HistoryLine.h"
#include "core/SystemText.h"

namespace lirbo::app {

namespace {

using Kind = core::TShownMessage::Kind;

// Room kept at the end of a day's file for the line that closes it.
constexpr std::uint64_t kClosingRoom = 512;

// The kind as the log names it (Windows-1251).
const char* kindName(Kind kind) {
    switch (kind) {
    case Kind::Received:
        return "\xEF\xF0\xE8\xED\xFF\xF2\xEE"; // принято
    case Kind::ReceivedPrivate:
        return "\xEB\xE8\xF7\xED\xEE \xEE\xF2"; // лично от
    case Kind::DepartureNotice:
        return "\xF3\xF8\xE5\xEB"; // ушел
    case Kind::Sent:
        return "\xEE\xF2\xEF\xF0\xE0\xE2\xEB\xE5\xED\xEE"; // отправлено
    case Kind::SentPrivate:
        return "\xEB\xE8\xF7\xED\xEE \xE4\xEB\xFF"; // лично для
    }
    return "";
}

const char* const kHiddenKind = "\xF1\xEA\xF0\xFB\xF2\xEE";              // скрыто
const char* const kSkippedKind = "\xEF\xF0\xEE\xEF\xF3\xF9\xE5\xED\xEE"; // пропущено
const char* const kLogKind = "\xE6\xF3\xF0\xED\xE0\xEB";                 // журнал

// "Не удалось создать папку журнала", "Не удалось открыть журнал", "Не удалось записать в журнал"
const char* const kFolderFailed = "\xCD\xE5 \xF3\xE4\xE0\xEB\xEE\xF1\xFC \xF1\xEE\xE7\xE4\xE0\xF2\xFC "
                                  "\xEF\xE0\xEF\xEA\xF3 \xE6\xF3\xF0\xED\xE0\xEB\xE0";
const char* const kOpenFailed = "\xCD\xE5 \xF3\xE4\xE0\xEB\xEE\xF1\xFC \xEE\xF2\xEA\xF0\xFB\xF2\xFC "
                                "\xE6\xF3\xF0\xED\xE0\xEB";
const char* const kWriteFailed = "\xCD\xE5 \xF3\xE4\xE0\xEB\xEE\xF1\xFC \xE7\xE0\xEF\xE8\xF1\xE0\xF2\xFC \xE2 "
                                 "\xE6\xF3\xF0\xED\xE0\xEB";

bool fromTheNetwork(Kind kind) {
    return kind == Kind::Received || kind == Kind::ReceivedPrivate || kind == Kind::DepartureNotice;
}

// "сообщение", "сообщения" or "сообщений", as the number before it asks.
const char* messagesWord(std::uint64_t count) {
    if (count % 10 == 1 && count % 100 != 11) {
        return "\xF1\xEE\xEE\xE1\xF9\xE5\xED\xE8\xE5";
    }
    if (count % 10 >= 2 && count % 10 <= 4 && (count % 100 < 12 || count % 100 > 14)) {
        return "\xF1\xEE\xEE\xE1\xF9\xE5\xED\xE8\xFF";
    }
    return "\xF1\xEE\xEE\xE1\xF9\xE5\xED\xE8\xE9";
}

// "журнал за день достиг 64 МБ: до конца дня сообщения не записываются"
std::string dayFullText(std::uint64_t limit) {
    constexpr std::uint64_t mib = 1u << 20;
    const std::string size = limit % mib == 0 ? std::to_string(limit / mib) + " \xCC\xC1"    // МБ
                                              : std::to_string(limit) + " \xE1\xE0\xE9\xF2"; // байт
    return "\xE6\xF3\xF0\xED\xE0\xEB \xE7\xE0 \xE4\xE5\xED\xFC \xE4\xEE\xF1\xF2\xE8\xE3 " + size +
           ": \xE4\xEE \xEA\xEE\xED\xF6\xE0 \xE4\xED\xFF \xF1\xEE\xEE\xE1\xF9\xE5\xED\xE8\xFF \xED\xE5 "
           "\xE7\xE0\xEF\xE8\xF1\xFB\xE2\xE0\xFE\xF2\xF1\xFF";
}

std::string formatted(const std::tm& time, const char* format) {
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, format, &time);
    return std::string(text, length);
}

void appendMessage(std::string& out, const std::string& stamp, const core::TShownMessage& message) {
    core::history::appendLine(out, stamp, message.address, message.hidden ? kHiddenKind : kindName(message.kind),
                              message.nick, message.body, message.colourIndex);
    out += "\r\n";
}

} // namespace

HistoryLog::HistoryLog(std::string folder, Clock clock) : m_folder(std::move(folder)), m_clock(std::move(clock)) {}

HistoryLog::~HistoryLog() {
    if (m_enabled) {
        writeUntoldCounts();
    }
    close();
}

void HistoryLog::writeUntoldCounts() {
    stamp(now());
    m_record.clear();
    appendSkipped(m_rateLimit.takeAll());
    if (!m_record.empty()) {
        writeRecord(true);
    }
}

std::string HistoryLog::line(const std::tm& time, const core::TShownMessage& message) {
    std::string text;
    appendMessage(text, formatted(time, "%Y-%m-%d %H:%M:%S"), message);
    text.resize(text.size() - 2);
    return text;
}

std::time_t HistoryLog::now() const {
    return m_clock ? m_clock() : std::time(nullptr);
}

const std::string& HistoryLog::stamp(std::time_t seconds) {
    if (seconds != m_second) {
        const std::tm* local = std::localtime(&seconds); // the main thread is the only caller
        m_local = local != nullptr ? *local : std::tm{};
        m_second = seconds;
        m_stamp = formatted(m_local, "%Y-%m-%d %H:%M:%S");
    }
    return m_stamp;
}

void HistoryLog::appendSkipped(const std::string& address, std::uint64_t count) {
    // "пропущено N сообщений от ADDRESS"
    const std::string text =
        std::string(kSkippedKind) + ' ' + std::to_string(count) + ' ' + messagesWord(count) + " \xEE\xF2 " + address;
    core::history::appendLine(m_record, m_stamp, address, kSkippedKind, {}, text);
    m_record += "\r\n";
}

void HistoryLog::appendSkipped(const std::vector<SenderRateLimit::Skipped>& skipped) {
    for (const SenderRateLimit::Skipped& sender : skipped) {
        appendSkipped(sender.address, sender.count);
    }
}

void HistoryLog::messageShown(const core::TShownMessage& message) {
    if (!m_enabled) {
        return;
    }
    const std::time_t seconds = now();
    std::uint64_t skippedBefore = 0;
    if (fromTheNetwork(message.kind) && !m_rateLimit.admit(message.address, seconds, skippedBefore)) {
        return; // counted, and not formatted
    }
    stamp(seconds);
    if (m_dayFull && m_local.tm_year == m_fileYear && m_local.tm_yday == m_fileDay) {
        return; // the day's file is closed for good
    }
    m_record.clear();
    const bool look = seconds != m_lastLook;
    if (look) { // once a second: the senders whose flood is over, and the file's place
        m_lastLook = seconds;
        appendSkipped(m_rateLimit.takeEnded(seconds));
    }
    if (skippedBefore > 0) {
        appendSkipped(message.address, skippedBefore);
    }
    appendMessage(m_record, m_stamp, message);
    writeRecord(look);
}

void HistoryLog::writeRecord(bool look) {
    if (!openFor(m_local, look) || m_dayFull) {
        return;
    }
    if (m_file.size() + m_record.size() + kClosingRoom > m_dayLimit) {
        m_dayFull = true;
        m_record.clear();
        core::history::appendLine(m_record, m_stamp, {}, kLogKind, {}, dayFullText(m_dayLimit));
        m_record += "\r\n";
    }
    int error = m_file.append(m_record);
    if (error != 0 && !m_file.stillAt(m_filePath) && openFor(m_local, true)) {
        error = m_file.append(m_record); // the file was gone: once more into the new one
    }
    if (error != 0) {
        fail(kWriteFailed, m_filePath, error);
        return;
    }
    m_failureReported = false;
}

bool HistoryLog::openFor(const std::tm& day, bool look) {
    if (m_file.isOpen() && day.tm_year == m_fileYear && day.tm_yday == m_fileDay &&
        (!look || m_file.stillAt(m_filePath))) {
        return true;
    }
    close();
    // Joined as text: the folder is UTF-8, which std::filesystem on Windows reads in the ANSI code page.
    const std::string path = m_folder + core::fs::pathSeparator() + formatted(day, "%Y-%m-%d") + ".txt";
    if (const int error = core::fs::createFolders(m_folder)) {
        fail(kFolderFailed, m_folder, error);
        return false;
    }
    if (const int error = m_file.open(path)) {
        fail(kOpenFailed, path, error);
        return false;
    }
    m_filePath = path;
    m_fileYear = day.tm_year;
    m_fileDay = day.tm_yday;
    // A file filled by an earlier run of the day carries its closing line already.
    m_dayFull = m_file.size() + kClosingRoom > m_dayLimit;
    return true;
}

void HistoryLog::close() {
    m_file.close();
    m_filePath.clear();
}

void HistoryLog::fail(const char* what, const std::string& path, int error) {
    m_lastFailure =
        std::string(what) + " \"" + core::sys::pathToCp1251(path) + "\": " + core::fs::systemErrorText(error);
    if (!m_failureReported) {
        m_failure = m_lastFailure;
        m_failureReported = true;
    }
}

void HistoryLog::setEnabled(bool enabled) {
    if (m_enabled && !enabled) {
        writeUntoldCounts(); // turned off while running: the counts held so far are not lost
    }
    m_enabled = enabled;
    if (!enabled) {
        close();
    }
}

std::string HistoryLog::todaysFile() {
    stamp(now());
    if (!openFor(m_local, true)) {
        m_failure.reset(); // the caller shows this error itself
        m_failureReported = false;
        throw core::EFCreateError(m_lastFailure);
    }
    return m_filePath;
}

std::optional<std::string> HistoryLog::takeFailure() {
    std::optional<std::string> failure;
    failure.swap(m_failure);
    return failure;
}

} // namespace lirbo::app
