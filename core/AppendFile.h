#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lirbo::core::fs {

// A file that grows by whole records, for a log that many copies of the program may follow with
// `tail`: each record goes to the end in one write, and a record the system takes only in part
// (a full disk) is cut off again, so that what follows never merges with a torn one.
// One implementation per platform.
class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Opens the file for appending, creating it when there is none. 0 or the system error number.
    int open(const std::string& path);
    void close();
    bool isOpen() const;
    // The file's size: at opening, plus every record appended since.
    std::uint64_t size() const { return m_size; }

    // Appends `record` in one write. 0, or the system error number of a write that did not take it
    // whole; what it took of it is then removed again where the system allows, and otherwise the
    // next record starts with "\r\n" so that the torn one stays a line of its own.
    int append(std::string_view record);

    // Whether `path` still names this open file: false once the file or its folder was removed,
    // renamed or replaced, so that a writer can open the file afresh.
    bool stillAt(const std::string& path) const;

private:
    // The record, after a line break when the last one was left torn (`joined` then holds both).
    std::string_view afterTornRecord(std::string_view record, std::string& joined) const {
        if (!m_tornRecord) {
            return record;
        }
        joined.reserve(record.size() + 2);
        return joined.append("\r\n").append(record);
    }

    std::intptr_t m_handle = -1;
    std::uint64_t m_size = 0;
    bool m_tornRecord = false;
};

// Creates the folder and every missing folder above it. 0 (also when it is there already) or the
// system error number of the first folder that could not be made.
int createFolders(const std::string& path);

} // namespace lirbo::core::fs
