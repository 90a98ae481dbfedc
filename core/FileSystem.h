#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The few file-system services the core needs, with one implementation per platform.
namespace lirbo::core::fs {

// The process's current directory exactly as the system reports it ("/" or "C:\" for a root).
std::string currentDirectory();

// The separator that joins a directory and a file name: "\" on Windows, "/" elsewhere.
char pathSeparator();

// The absolute form of a path, for error messages; the path itself when it cannot be formed.
std::string fullPath(const std::string& path);

// The calling thread's last system error number (errno, or GetLastError on Windows).
int lastError();

// The system's description of an error number, in Windows-1251, with trailing blanks, control
// characters and full stops removed: "No such file or directory", "Permission denied".
std::string systemErrorText(int error);

// Whether an error of readFile means that the file (or a folder on its path) does not exist.
bool isNotFoundError(int error);

// Refusals of the program's own, beside the system's error numbers (which are never negative):
// what is not a regular file (a folder, a FIFO, a device) could block the read or never end it,
// and a file above maxReadBytes is no settings or list file and would only fill the memory.
constexpr int errorNotRegularFile = -1;
constexpr int errorFileTooLarge = -2;
inline bool isRefusal(int error) {
    return error == errorNotRegularFile || error == errorFileTooLarge;
}

// The largest file readFile takes: far above any settings or list file (2,500 addresses take
// about 40 KB), far below what would strain the memory.
constexpr std::size_t maxReadBytes = std::size_t{16} << 20;

// Reads a whole regular file of at most maxReadBytes, never waiting on the file (a FIFO without a
// writer, a device). Returns 0 on success, else the system error number or one of the refusals
// above; `bytes` is then empty.
int readFile(const std::string& path, std::string& bytes);

// A regular file of any size read in parts, for what is too large to read whole (the
// conversation's log, up to 4095 MiB a day). Opening refuses what is not a regular file, never
// waiting on it, as readFile does. One implementation per platform.
class FileReader {
public:
    FileReader() = default;
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // 0, the system error number, or errorNotRegularFile.
    int open(const std::string& path);
    void close();
    bool isOpen() const { return m_handle != -1; }
    // The size at opening.
    std::uint64_t size() const { return m_size; }
    // Reads `length` bytes at `offset` into `bytes`, fewer at the end of the file. 0 or the
    // system error number; `bytes` then holds what was read.
    int read(std::uint64_t offset, std::size_t length, std::string& bytes) const;

private:
    std::intptr_t m_handle = -1;
    std::uint64_t m_size = 0;
};

// The names that `wanted` accepts of the regular files in a folder last changed more than
// `seconds` ago (a negative number reaches into the future); symbolic links are neither
// followed nor listed.
std::vector<std::string> regularFilesOlderThan(const std::string& folder, int seconds,
                                               bool (*wanted)(std::string_view name));
// The same whatever the files' times, a clock set back included.
inline std::vector<std::string> regularFiles(const std::string& folder, bool (*wanted)(std::string_view name)) {
    return regularFilesOlderThan(folder, -(1 << 30), wanted);
}

// Removes a name from its folder; a symbolic link goes itself, never what it names.
bool removeFile(const std::string& path);

enum class WriteStage { Done, Create, Write };

struct WriteResult {
    WriteStage stage = WriteStage::Done;
    int error = 0; // system error number when stage is not Done
    bool ok() const { return stage == WriteStage::Done; }
};

// Replaces the file at `path` with `bytes` so that a failure or a crash at any moment leaves
// either the old file or the new one, whole: the bytes go to a temporary file in the same folder,
// which is then renamed over the target. A read-only target is refused (also for root), and so is
// one that the user could not open for writing; a replaced file keeps its permissions, and a
// symbolic link is followed, not replaced.
// Create: the file (or its temporary) could not be created, the target is read-only, or the final
// rename failed. Write: the bytes could not all be written or flushed (a full disk).
WriteResult writeFileAtomically(const std::string& path, std::string_view bytes);

} // namespace lirbo::core::fs
