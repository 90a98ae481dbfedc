#include "app/HistoryLines.h"

#include <algorithm>

namespace lirbo::app {

int HistoryLines::open(const std::string& path) {
    m_done = true;
    m_error = 0;
    return m_file.open(path);
}

void HistoryLines::close() {
    m_file.close();
    m_done = true;
}

void HistoryLines::start(std::uint64_t from, std::uint64_t until) {
    m_until = std::min(until, m_file.size());
    // One byte back: when it ends a line, the line at `from` is whole and only that byte is skipped.
    m_skipFirst = from > 0;
    m_next = m_skipFirst ? from - 1 : 0;
    m_lineStart = m_next;
    m_line.clear();
    m_cutting = false;
    m_error = 0;
    m_done = !m_file.isOpen() || from >= m_until;
}

void HistoryLines::finish(const LineHandler& handler) {
    if (!m_line.empty() && !m_skipFirst && m_lineStart < m_until) {
        handler(m_lineStart, m_line); // the last line, torn, without its CR LF
    }
    m_line.clear();
    m_done = true;
}

bool HistoryLines::step(const LineHandler& handler) {
    if (m_done) {
        return false;
    }
    const std::uint64_t size = m_file.size();
    if (m_next >= size) {
        finish(handler);
        return false;
    }
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(m_stepBytes, size - m_next));
    m_error = m_file.read(m_next, want, m_chunk);
    if (m_error != 0 || m_chunk.empty()) {
        finish(handler);
        return false;
    }
    const std::uint64_t chunkStart = m_next;
    m_next += m_chunk.size();
    std::size_t from = 0;
    while (from < m_chunk.size()) {
        const std::size_t lf = m_chunk.find('\n', from);
        const std::size_t end = lf == std::string::npos ? m_chunk.size() : lf;
        if (!m_cutting) {
            const std::size_t room = kMaxLine - m_line.size();
            m_line.append(m_chunk, from, std::min(end - from, room));
            m_cutting = end - from > room;
        }
        if (lf == std::string::npos) {
            break;
        }
        if (!m_skipFirst) {
            if (m_lineStart >= m_until) {
                m_done = true;
                return false;
            }
            std::string_view line = m_line;
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            handler(m_lineStart, line);
        }
        m_skipFirst = false;
        m_cutting = false;
        m_line.clear();
        m_lineStart = chunkStart + lf + 1;
        from = lf + 1;
    }
    if (m_lineStart >= m_until || m_next >= size) {
        finish(handler);
        return false;
    }
    return true;
}

} // namespace lirbo::app
