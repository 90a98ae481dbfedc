#include "core/FileSystem.h"
#include "core/SystemText.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace lirbo::core::fs {

std::string currentDirectory() {
    std::vector<char> buffer(PATH_MAX);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return std::string();
        }
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data());
}

char pathSeparator() {
    return '/';
}

std::string fullPath(const std::string& path) {
    if (!path.empty() && path.front() == '/') {
        return path;
    }
    const std::string dir = currentDirectory();
    if (dir.empty()) {
        return path;
    }
    return dir.back() == '/' ? dir + path : dir + '/' + path;
}

int lastError() {
    return errno;
}

std::string systemErrorText(int error) {
    return sys::trimmedErrorText(sys::localeTextToCp1251(std::strerror(error)));
}

bool isNotFoundError(int error) {
    return error == ENOENT || error == ENOTDIR;
}

namespace {

// Opens a file to read without waiting on it: O_NONBLOCK keeps the open of a FIFO without a
// writer from blocking, and a descriptor that is not a regular file of a size that fits is
// refused before a byte is read. Returns the descriptor, or -1 with the reason in `error`.
int openRegularFile(const std::string& path, std::uintmax_t maxBytes, off_t& size, int& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        error = errno;
    } else if (!S_ISREG(info.st_mode)) {
        error = errorNotRegularFile;
    } else if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
        error = errorFileTooLarge;
    } else {
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags != -1 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0) {
            size = info.st_size;
            return fd;
        }
        error = errno;
    }
    ::close(fd);
    return -1;
}

} // namespace

int readFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    off_t size = 0;
    int error = 0;
    const int fd = openRegularFile(path, maxReadBytes, size, error);
    if (fd < 0) {
        return error;
    }
    bytes.reserve(static_cast<std::size_t>(size));
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            error = got < 0 ? errno : 0;
            break;
        }
        // The size was looked at before the read; a file may grow meanwhile, or report none.
        if (static_cast<std::size_t>(got) > maxReadBytes - bytes.size()) {
            error = errorFileTooLarge;
            break;
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
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
    off_t size = 0;
    int error = 0;
    const int fd = openRegularFile(path, UINTMAX_MAX, size, error);
    if (fd < 0) {
        return error;
    }
    m_handle = fd;
    m_size = static_cast<std::uint64_t>(size);
    return 0;
}

void FileReader::close() {
    if (m_handle >= 0) {
        ::close(static_cast<int>(m_handle));
    }
    m_handle = -1;
    m_size = 0;
}

int FileReader::read(std::uint64_t offset, std::size_t length, std::string& bytes) const {
    bytes.resize(length);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got =
            ::pread(static_cast<int>(m_handle), bytes.data() + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            bytes.resize(done);
            return got < 0 ? errno : 0;
        }
        done += static_cast<std::size_t>(got);
    }
    return 0;
}

std::vector<std::string> regularFilesOlderThan(const std::string& folder, int seconds,
                                               bool (*wanted)(std::string_view name)) {
    std::vector<std::string> names;
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) {
        return names;
    }
    const time_t before = ::time(nullptr) - seconds;
    while (const dirent* entry = ::readdir(listing)) {
        struct stat info {};
        if (wanted(entry->d_name) && ::fstatat(::dirfd(listing), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode) && info.st_mtime < before) {
            names.emplace_back(entry->d_name);
        }
    }
    ::closedir(listing);
    return names;
}

bool removeFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

namespace {

// Follows symbolic links so that the link stays and its target is replaced.
std::string resolveLinks(const std::string& path) {
    std::string current = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return current;
        }
        std::vector<char> buffer(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : PATH_MAX) + 1);
        const ssize_t length = ::readlink(current.c_str(), buffer.data(), buffer.size() - 1);
        if (length < 0) {
            return current;
        }
        std::string link(buffer.data(), static_cast<std::size_t>(length));
        if (!link.empty() && link.front() != '/') {
            const auto slash = current.rfind('/');
            if (slash != std::string::npos) {
                link.insert(0, current, 0, slash + 1);
            }
        }
        current = link;
    }
    return current;
}

// A short name in the target's folder for mkstemp: one made from the target's name could pass the
// system's length limit for a name that itself still fits.
std::string temporaryTemplateBeside(const std::string& target) {
    const auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    return folder + ".lirbo-XXXXXX";
}

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

bool writeAll(int fd, std::string_view bytes, int& error) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            error = errno;
            return false;
        }
        if (written == 0) {
            error = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

WriteResult writeFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string target = resolveLinks(path);

    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode)) {
            return {WriteStage::Create, EISDIR};
        }
        // The rename would put a file in the place of a FIFO or a device (/dev/null for root).
        if (!S_ISREG(existing.st_mode)) {
            return {WriteStage::Create, errorNotRegularFile};
        }
        // A file without its owner's write permission is read-only for everyone, root included.
        if ((existing.st_mode & S_IWUSR) == 0) {
            return {WriteStage::Create, EACCES};
        }
        // The rename needs only the folder's permission: in a folder that others may write in, it
        // would replace (and take over) a file that this user may not write.
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
            return {WriteStage::Create, errno};
        }
    }

    std::string temporary = temporaryTemplateBeside(target);
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return {WriteStage::Create, errno};
    }
    const mode_t mode = exists ? (existing.st_mode & 07777) : 0644;
    ::fchmod(fd, exists ? mode : (mode & ~currentUmask()));
    if (exists) {
        // Keeps the owner when root replaces another user's file; harmless when it fails.
        [[maybe_unused]] const int ignored = ::fchown(fd, existing.st_uid, existing.st_gid);
    }

    int error = 0;
    if (!writeAll(fd, bytes, error)) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return {WriteStage::Write, error};
    }
    // The bytes must be on the disk before the rename makes them the file: otherwise a system
    // crash soon after could leave an empty file where the old one was.
    if (::fsync(fd) != 0 && errno != EINVAL) {
        error = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        return {WriteStage::Write, error};
    }
    if (::close(fd) != 0) {
        error = errno;
        ::unlink(temporary.c_str());
        return {WriteStage::Write, error};
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
        ::unlink(temporary.c_str());
        return {WriteStage::Create, error};
    }
    return {};
}

} // namespace lirbo::core::fs
