#include "core/AppendFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lirbo::core::fs {

namespace {

int fd(std::intptr_t handle) {
    return static_cast<int>(handle);
}

} // namespace

AppendFile::~AppendFile() {
    close();
}

int AppendFile::open(const std::string& path) {
    close();
    // Without blocking: a FIFO in the file's place must not stop the program until a reader comes.
    const int opened = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644);
    if (opened < 0) {
        return errno;
    }
    struct stat info {};
    const int error = ::fstat(opened, &info) != 0 ? errno : S_ISREG(info.st_mode) ? 0 : EINVAL;
    if (error != 0) {
        ::close(opened);
        return error;
    }
    m_handle = opened;
    m_size = static_cast<std::uint64_t>(info.st_size);
    m_tornRecord = false;
    return 0;
}

void AppendFile::close() {
    if (m_handle >= 0) {
        ::close(fd(m_handle));
        m_handle = -1;
    }
}

bool AppendFile::isOpen() const {
    return m_handle >= 0;
}

int AppendFile::append(std::string_view record) {
    std::string joined;
    record = afterTornRecord(record, joined);
    std::size_t done = 0;
    int error = 0;
    while (done < record.size()) {
        const ssize_t written = ::write(fd(m_handle), record.data() + done, record.size() - done);
        if (written > 0) {
            done += static_cast<std::size_t>(written);
        } else if (written < 0 && errno == EINTR) {
            continue;
        } else {
            error = written < 0 ? errno : ENOSPC;
            break;
        }
    }
    if (error == 0) {
        m_size += record.size();
        m_tornRecord = false;
        return 0;
    }
    if (done > 0) {
        // The file ends in the part taken; its start is where the file ended before this write.
        struct stat info {};
        const bool cut = ::fstat(fd(m_handle), &info) == 0 && static_cast<std::uint64_t>(info.st_size) >= done &&
                         ::ftruncate(fd(m_handle), info.st_size - static_cast<off_t>(done)) == 0;
        m_tornRecord = !cut;
        if (!cut) {
            m_size += done;
        }
    }
    return error;
}

bool AppendFile::stillAt(const std::string& path) const {
    struct stat open {};
    struct stat named {};
    return m_handle >= 0 && ::fstat(fd(m_handle), &open) == 0 && open.st_nlink > 0 &&
           ::stat(path.c_str(), &named) == 0 && named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

int createFolders(const std::string& path) {
    if (path.empty() || ::mkdir(path.c_str(), 0755) == 0) {
        return 0;
    }
    int error = errno;
    if (error == ENOENT) {
        // A folder above is missing: make it, then this one.
        const auto slash = path.find_last_not_of('/', path.find_last_of('/'));
        if (path.find_last_of('/') != std::string::npos && slash != std::string::npos) {
            const int above = createFolders(path.substr(0, slash + 1));
            if (above != 0) {
                return above;
            }
            if (::mkdir(path.c_str(), 0755) == 0) {
                return 0;
            }
            error = errno;
        }
    }
    struct stat info {};
    if (error == EEXIST && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return 0;
    }
    return error == EEXIST ? ENOTDIR : error;
}

} // namespace lirbo::core::fs
