#pragma once

#include "core/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace lirbo::app {

// Reads the lines of a day's log that start in a range of the file, a slice at a time, so that a
// day of any size (up to 4095 MiB) is read without holding it or stopping the caller for long.
// A line that starts before the range belongs to the range before and is skipped; one that starts
// inside it is read whole, even past its end. A line longer than kMaxLine (a hand-edited file
// without line breaks) is cut there, so the memory held stays bounded.
class HistoryLines {
public:
    using LineHandler = std::function<void(std::uint64_t offset, std::string_view line)>;
    static constexpr std::size_t kStepBytes = std::size_t{256} << 10;
    static constexpr std::size_t kMaxLine = std::size_t{1} << 20;

    explicit HistoryLines(std::size_t stepBytes = kStepBytes) : m_stepBytes(stepBytes) {}

    // 0, the system error number, or a refusal of core::fs (not a regular file).
    int open(const std::string& path);
    void close();
    std::uint64_t fileSize() const { return m_file.size(); }
    // Reads the lines that start in [from, until) from now on.
    void start(std::uint64_t from, std::uint64_t until);
    // Reads about the step's bytes and hands each complete line (without CR LF) to `handler`. False
    // once the range is read or a read failed (error() tells).
    bool step(const LineHandler& handler);
    bool done() const { return m_done; }
    int error() const { return m_error; }

private:
    void finish(const LineHandler& handler);

    std::size_t m_stepBytes;
    core::fs::FileReader m_file;
    std::uint64_t m_until = 0;
    std::uint64_t m_next = 0;      // the next byte to read
    std::uint64_t m_lineStart = 0; // where m_line starts in the file
    std::string m_line;            // the line read in part so far
    std::string m_chunk;
    bool m_skipFirst = false; // the first line read belongs to the range before
    bool m_cutting = false;   // a line is past kMaxLine: its rest is dropped
    bool m_done = true;
    int m_error = 0;
};

} // namespace lirbo::app
