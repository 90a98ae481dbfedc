#include "core/CodePage1251.h"
#include "core/FileSystem.h"
#include "core/SystemText.h"
#include "core/WidePath.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <windows.h>

namespace lirbo::core::fs {

namespace {

// Calls a function of the GetCurrentDirectoryW kind: given a buffer too small it returns the size
// needed, terminating zero included; given one that fits, the length without the zero.
template <typename Call> std::string withGrowingBuffer(Call call) {
    std::wstring text(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = call(static_cast<DWORD>(text.size()), text.data());
        if (length == 0) {
            return std::string();
        }
        if (length < text.size()) {
            text.resize(length);
            return utf8Path(text);
        }
        text.resize(length); // the text grew between two calls: ask again with the size now known
    }
}

} // namespace

std::string currentDirectory() {
    return withGrowingBuffer([](DWORD size, wchar_t* buffer) { return GetCurrentDirectoryW(size, buffer); });
}

char pathSeparator() {
    return '\\';
}

std::string fullPath(const std::string& path) {
    const std::string full = withGrowingBuffer(
        [&](DWORD size, wchar_t* buffer) { return GetFullPathNameW(widePath(path).c_str(), size, buffer, nullptr); });
    return full.empty() ? path : full;
}

int lastError() {
    return static_cast<int>(GetLastError());
}

std::string systemErrorText(int error) {
    // In UTF-16, so that a reason in any language comes out right in Windows-1251.
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    std::string text;
    if (length != 0 && buffer != nullptr) {
        text = cp1251::fromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(buffer), length)).bytes;
    }
    LocalFree(buffer);
    return sys::trimmedErrorText(std::move(text));
}

bool isNotFoundError(int error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

namespace {

// Opens a file to read, refusing before a byte is read what is not a regular file of a size that
// fits: a folder, a pipe, a console or another device could block the read or never end it.
// Returns the handle, or INVALID_HANDLE_VALUE with the reason in `error`.
HANDLE openRegularFile(const std::string& path, std::uint64_t maxBytes, std::uint64_t& size, int& error) {
    const DWORD attributes = GetFileAttributesW(widePath(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        error = errorNotRegularFile;
        return INVALID_HANDLE_VALUE;
    }
    HANDLE file =
        CreateFileW(widePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = lastError();
        return file;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) != FILE_TYPE_DISK) {
        error = errorNotRegularFile;
    } else if (!GetFileInformationByHandle(file, &info)) {
        error = lastError();
    } else if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        error = errorNotRegularFile;
    } else if (((std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow) > maxBytes) {
        error = errorFileTooLarge;
    } else {
        size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
        return file;
    }
    CloseHandle(file);
    return INVALID_HANDLE_VALUE;
}

} // namespace

int readFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    std::uint64_t size = 0;
    int error = 0;
    HANDLE file = openRegularFile(path, maxReadBytes, size, error);
    if (file == INVALID_HANDLE_VALUE) {
        return error;
    }
    bytes.reserve(static_cast<std::size_t>(size));
    char chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) {
            error = lastError();
            break;
        }
        if (got == 0) {
            break;
        }
        // The size was looked at before the read; a file may grow meanwhile.
        if (got > maxReadBytes - bytes.size()) {
            error = errorFileTooLarge;
            break;
        }
        bytes.append(chunk, got);
    }
    CloseHandle(file);
    if (error != 0) {
        bytes.clear();
    }
    return error;
}

FileReader::~FileReader() {
    close();
}

int FileReader::open(const std::string& path) {
    close();
    std::uint64_t size = 0;
    int error = 0;
    HANDLE file = openRegularFile(path, UINT64_MAX, size, error);
    if (file == INVALID_HANDLE_VALUE) {
        return error;
    }
    m_handle = reinterpret_cast<std::intptr_t>(file);
    m_size = size;
    return 0;
}

void FileReader::close() {
    if (m_handle != -1) {
        CloseHandle(reinterpret_cast<HANDLE>(m_handle));
    }
    m_handle = -1;
    m_size = 0;
}

int FileReader::read(std::uint64_t offset, std::size_t length, std::string& bytes) const {
    bytes.resize(length);
    std::size_t done = 0;
    while (done < length) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset + done);
        at.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(length - done, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(reinterpret_cast<HANDLE>(m_handle), bytes.data() + done, want, &got, &at)) {
            const int error = lastError();
            bytes.resize(done);
            return error == ERROR_HANDLE_EOF ? 0 : error;
        }
        if (got == 0) {
            break;
        }
        done += got;
    }
    bytes.resize(done);
    return 0;
}

std::vector<std::string> regularFilesOlderThan(const std::string& folder, int seconds,
                                               bool (*wanted)(std::string_view name)) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(widePath(folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    const unsigned long long before = ticks(now) - static_cast<unsigned long long>(seconds) * 10000000ULL;
    constexpr DWORD notRegular = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
    do {
        if ((found.dwFileAttributes & notRegular) == 0 && ticks(found.ftLastWriteTime) < before) {
            std::string name = utf8Path(found.cFileName);
            if (wanted(name)) {
                names.push_back(std::move(name));
            }
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

bool removeFile(const std::string& path) {
    return DeleteFileW(widePath(path).c_str()) != 0;
}

namespace {

// The attributes a replaced file keeps. Read-only targets are refused before, and the others
// (compressed, encrypted, sparse...) belong to the file system, not to the file's contents.
constexpr DWORD keptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The file that a symbolic link finally names, so that the link stays and its target is replaced.
std::string resolveLinks(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return path;
    }
    HANDLE file = CreateFileW(widePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return path;
    }
    std::string final = withGrowingBuffer([&](DWORD size, wchar_t* buffer) {
        return GetFinalPathNameByHandleW(file, buffer, size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    });
    CloseHandle(file);
    // The system answers in its long form: \\?\C:\dir\file, or \\?\UNC\server\share\file.
    if (final.rfind("\\\\?\\UNC\\", 0) == 0) {
        final = "\\\\" + final.substr(8);
    } else if (final.rfind("\\\\?\\", 0) == 0) {
        final = final.substr(4);
    }
    return final.empty() ? path : final;
}

// Creates a new, empty temporary file beside the target; never opens one that is already there.
// Its name is short and fixed in length: one made from the target's name could pass the limits on
// a name's or a path's length where the target's own still fits.
HANDLE createTemporary(const std::string& target, DWORD attributes, std::string& temporary, int& error) {
    const auto separator = target.find_last_of("\\/:");
    const std::string folder = separator == std::string::npos ? std::string() : target.substr(0, separator + 1);
    const DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (DWORD attempt = 0; attempt < 100; ++attempt) {
        char name[16];
        std::snprintf(name, sizeof name, "~lb%08lX", static_cast<unsigned long>(seed + attempt * 7919));
        temporary = folder + name;
        HANDLE file = CreateFileW(widePath(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            return file;
        }
        error = lastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    return INVALID_HANDLE_VALUE;
}

// Writes and flushes everything; returns 0 or the system error number.
int writeAll(HANDLE file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) {
            return lastError();
        }
        if (written == 0) {
            return ERROR_HANDLE_DISK_FULL;
        }
        done += written;
    }
    // The bytes must be on the disk before the rename makes them the file.
    if (!FlushFileBuffers(file)) {
        return lastError();
    }
    return 0;
}

} // namespace

WriteResult writeFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string target = resolveLinks(path);
    const DWORD attributes = GetFileAttributesW(widePath(target).c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // The read-only attribute binds every user, administrators included.
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return {WriteStage::Create, ERROR_ACCESS_DENIED};
    }
    std::string temporary;
    int error = 0;
    HANDLE file = createTemporary(target, exists ? attributes & keptAttributes : 0, temporary, error);
    if (file == INVALID_HANDLE_VALUE) {
        return {WriteStage::Create, error};
    }
    error = writeAll(file, bytes);
    if (!CloseHandle(file) && error == 0) {
        error = lastError();
    }
    if (error != 0) {
        DeleteFileW(widePath(temporary).c_str());
        return {WriteStage::Write, error};
    }
    if (!MoveFileExW(widePath(temporary).c_str(), widePath(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = lastError();
        DeleteFileW(widePath(temporary).c_str());
        return {WriteStage::Create, error};
    }
    return {};
}

} // namespace lirbo::core::fs
