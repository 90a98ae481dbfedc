#include "core/AppendFile.h"
#include "core/WidePath.h"

#include <windows.h>

namespace lirbo::core::fs {

namespace {

HANDLE handleOf(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

bool identify(HANDLE file, BY_HANDLE_FILE_INFORMATION& info) {
    return GetFileInformationByHandle(file, &info) != FALSE;
}

} // namespace

AppendFile::~AppendFile() {
    close();
}

int AppendFile::open(const std::string& path) {
    close();
    // Others may read, write and delete it meanwhile, as they may a log on any other system.
    HANDLE file =
        CreateFileW(widePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return static_cast<int>(GetLastError());
    }
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        return ERROR_INVALID_FUNCTION;
    }
    m_handle = reinterpret_cast<std::intptr_t>(file);
    m_size = static_cast<std::uint64_t>(size.QuadPart);
    m_tornRecord = false;
    return 0;
}

void AppendFile::close() {
    if (m_handle != -1) {
        CloseHandle(handleOf(m_handle));
        m_handle = -1;
    }
}

bool AppendFile::isOpen() const {
    return m_handle != -1;
}

int AppendFile::append(std::string_view record) {
    std::string joined;
    record = afterTornRecord(record, joined);
    HANDLE file = handleOf(m_handle);
    LARGE_INTEGER start{};
    const LARGE_INTEGER zero{};
    if (!SetFilePointerEx(file, zero, &start, FILE_END)) {
        return static_cast<int>(GetLastError());
    }
    DWORD written = 0;
    if (WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr) &&
        written == record.size()) {
        m_size = static_cast<std::uint64_t>(start.QuadPart) + record.size();
        m_tornRecord = false;
        return 0;
    }
    const DWORD error = GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_DISK_FULL;
    if (written > 0) {
        const bool cut = SetFilePointerEx(file, start, nullptr, FILE_BEGIN) && SetEndOfFile(file);
        m_tornRecord = !cut;
    }
    return static_cast<int>(error);
}

bool AppendFile::stillAt(const std::string& path) const {
    BY_HANDLE_FILE_INFORMATION open{};
    if (m_handle == -1 || !identify(handleOf(m_handle), open)) {
        return false;
    }
    HANDLE named = CreateFileW(widePath(path).c_str(), FILE_READ_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (named == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION current{};
    const bool same = identify(named, current) && current.dwVolumeSerialNumber == open.dwVolumeSerialNumber &&
                      current.nFileIndexHigh == open.nFileIndexHigh && current.nFileIndexLow == open.nFileIndexLow;
    CloseHandle(named);
    return same;
}

int createFolders(const std::string& path) {
    if (path.empty() || CreateDirectoryW(widePath(path).c_str(), nullptr)) {
        return 0;
    }
    DWORD error = GetLastError();
    if (error == ERROR_PATH_NOT_FOUND) {
        // A folder above is missing: make it, then this one.
        const auto separator = path.find_last_of("\\/");
        const auto end = separator == std::string::npos ? separator : path.find_last_not_of("\\/", separator);
        if (end != std::string::npos && path[end] != ':') {
            const int above = createFolders(path.substr(0, end + 1));
            if (above != 0) {
                return above;
            }
            if (CreateDirectoryW(widePath(path).c_str(), nullptr)) {
                return 0;
            }
            error = GetLastError();
        }
    }
    if (error == ERROR_ALREADY_EXISTS) {
        const DWORD attributes = GetFileAttributesW(widePath(path).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? 0
                                                                                                     : ERROR_DIRECTORY;
    }
    return static_cast<int>(error);
}

} // namespace lirbo::core::fs
