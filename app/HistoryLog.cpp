#include "app/HistoryLog.h"

#include "core/CodePage1251.h"
#include "core/Exception.h"
#include "core/FileSystem.h"
#include "core/HistoryLine.h"
#include "core/SystemText.h"
#include "core/Texts.h"

namespace lirbo::app {

namespace {

using Kind = core::TShownMessage::Kind;
using core::cp1251::fromUtf8Once;

// Room kept at the end of a day's file for the line that closes it.
constexpr std::uint64_t kClosingRoom = 512;

// The kind as the log names it (Windows-1251), converted once: it is written on every line.
std::string_view kindName(Kind kind) {
    switch (kind) {
    case Kind::Received:
        return fromUtf8Once<text::kLogReceived>();
    case Kind::ReceivedPrivate:
        return fromUtf8Once<text::kLogReceivedPrivate>();
    case Kind::DepartureNotice:
        return fromUtf8Once<text::kLogDeparture>();
    case Kind::Sent:
        return fromUtf8Once<text::kLogSent>();
    case Kind::SentPrivate:
        return fromUtf8Once<text::kLogSentPrivate>();
    }
    return {};
}

bool fromTheNetwork(Kind kind) {
    return kind == Kind::Received || kind == Kind::ReceivedPrivate || kind == Kind::DepartureNotice;
}

// "сообщение", "сообщения" or "сообщений", as the number before it asks.
const std::string& messagesWord(std::uint64_t count) {
    if (count % 10 == 1 && count % 100 != 11) {
        return fromUtf8Once<text::kLogMessagesOne>();
    }
    if (count % 10 >= 2 && count % 10 <= 4 && (count % 100 < 12 || count % 100 > 14)) {
        return fromUtf8Once<text::kLogMessagesFew>();
    }
    return fromUtf8Once<text::kLogMessagesMany>();
}

// "журнал за день достиг 64 МБ: до конца дня сообщения не записываются"
std::string dayFullText(std::uint64_t limit) {
    constexpr std::uint64_t mib = 1u << 20;
    const std::string size = limit % mib == 0 ? std::to_string(limit / mib) + fromUtf8Once<text::kLogMebibytes>()
                                              : std::to_string(limit) + fromUtf8Once<text::kLogBytes>();
    return fromUtf8Once<text::kLogDayFull>() + size + fromUtf8Once<text::kLogDayFullUntilTomorrow>();
}

std::string formatted(const std::tm& time, const char* format) {
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, format, &time);
    return std::string(text, length);
}

void appendMessage(std::string& out, const std::string& stamp, const core::TShownMessage& message) {
    core::history::appendLine(out, stamp, message.address,
                              message.hidden ? fromUtf8Once<text::kLogHidden>() : kindName(message.kind), message.nick,
                              message.body, message.colourIndex);
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
    const std::string& skipped = fromUtf8Once<text::kLogSkipped>();
    const std::string line = skipped + ' ' + std::to_string(count) + ' ' + messagesWord(count) +
                             fromUtf8Once<text::kLogSkippedFrom>() + address;
    core::history::appendLine(m_record, m_stamp, address, skipped, {}, line);
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
        core::history::appendLine(m_record, m_stamp, {}, fromUtf8Once<text::kLogOwnKind>(), {},
                                  dayFullText(m_dayLimit));
        m_record += "\r\n";
    }
    int error = m_file.append(m_record);
    if (error != 0 && !m_file.stillAt(m_filePath) && openFor(m_local, true)) {
        error = m_file.append(m_record); // the file was gone: once more into the new one
    }
    if (error != 0) {
        fail(fromUtf8Once<text::kLogWriteFailed>(), m_filePath, error);
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
        fail(fromUtf8Once<text::kLogFolderFailed>(), m_folder, error);
        return false;
    }
    if (const int error = m_file.open(path)) {
        fail(fromUtf8Once<text::kLogOpenFailed>(), path, error);
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

void HistoryLog::fail(const std::string& what, const std::string& path, int error) {
    m_lastFailure = what + " \"" + core::sys::pathToCp1251(path) + "\": " + core::fs::systemErrorText(error);
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
