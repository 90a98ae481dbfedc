#include "app/HistoryLog.h"

#include "core/Exception.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace lirbo::app {

namespace {

using Kind = core::TShownMessage::Kind;

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

void appendEscaped(std::string& out, const std::string& field) {
    for (const char c : field) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
}

std::string formatted(const std::tm& time, const char* format) {
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, format, &time);
    return std::string(text, length);
}

} // namespace

HistoryLog::HistoryLog(std::string folder, Clock clock) : m_folder(std::move(folder)), m_clock(std::move(clock)) {}

HistoryLog::~HistoryLog() {
    close();
}

std::string HistoryLog::line(const std::tm& time, const core::TShownMessage& message) {
    std::string text = formatted(time, "%Y-%m-%d %H:%M:%S");
    text += '\t';
    appendEscaped(text, message.address);
    text += '\t';
    text += kindName(message.kind);
    text += '\t';
    appendEscaped(text, message.nick);
    text += '\t';
    appendEscaped(text, message.body);
    return text;
}

const std::tm& HistoryLog::now() {
    const std::time_t seconds = m_clock ? m_clock() : std::time(nullptr);
    if (seconds != m_second) {
        const std::tm* local = std::localtime(&seconds); // the main thread is the only caller
        m_local = local != nullptr ? *local : std::tm{};
        m_second = seconds;
    }
    return m_local;
}

std::string HistoryLog::pathFor(const std::tm& day) const {
    return (std::filesystem::path(m_folder) / (formatted(day, "%Y-%m-%d") + ".txt")).make_preferred().string();
}

bool HistoryLog::openFor(const std::tm& day) {
    if (m_file != nullptr && day.tm_year == m_fileYear && day.tm_yday == m_fileDay) {
        return true;
    }
    close();
    const std::string path = pathFor(day);
    std::error_code ignored;
    std::filesystem::create_directories(m_folder, ignored); // a failure shows when the file won't open
    errno = 0;
    m_file = std::fopen(path.c_str(), "ab");
    if (m_file == nullptr) {
        m_openError = errno != 0 ? errno : EIO;
        fail(path, m_openError);
        return false;
    }
    m_filePath = path;
    m_fileYear = day.tm_year;
    m_fileDay = day.tm_yday;
    return true;
}

void HistoryLog::close() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_filePath.clear();
}

void HistoryLog::fail(const std::string& path, int error) {
    if (!m_failureReported) {
        m_failure = core::fileCreateError(path, error).message();
        m_failureReported = true;
    }
}

void HistoryLog::messageShown(const core::TShownMessage& message) {
    if (!m_enabled) {
        return;
    }
    const std::tm& time = now();
    if (!openFor(time)) {
        return;
    }
    const std::string text = line(time, message) + "\r\n";
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), m_file) != text.size() || std::fflush(m_file) != 0) {
        const std::string path = m_filePath;
        fail(path, errno != 0 ? errno : EIO);
        close(); // the next message tries afresh
        return;
    }
    m_failureReported = false;
}

void HistoryLog::setEnabled(bool enabled) {
    m_enabled = enabled;
    if (!enabled) {
        close();
    }
}

std::string HistoryLog::todaysFile() {
    const std::tm today = now();
    if (!openFor(today)) {
        m_failure.reset(); // the caller shows this error itself
        m_failureReported = false;
        throw core::fileCreateError(pathFor(today), m_openError);
    }
    std::fflush(m_file);
    return m_filePath;
}

std::optional<std::string> HistoryLog::takeFailure() {
    std::optional<std::string> failure;
    failure.swap(m_failure);
    return failure;
}

} // namespace lirbo::app
