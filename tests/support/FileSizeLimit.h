#pragma once

#include "support/Platform.h"

#include <cstdint>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace lirbo::test {

// Makes any write that would grow a file past `bytes` fail (EFBIG), as a full disk would, for as
// long as the object lives. Only where platform::cannotStage(Staging::FullDisk) is nullptr: tests
// skip first with LIRBO_SKIP_IF_CANNOT_STAGE(platform::Staging::FullDisk).
class FileSizeLimit {
public:
#ifndef _WIN32
    explicit FileSizeLimit(std::uint64_t bytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = static_cast<rlim_t>(bytes);
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
#else
    explicit FileSizeLimit(std::uint64_t) {
        ADD_FAILURE() << platform::cannotStage(platform::Staging::FullDisk);
    }
#endif
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
#ifndef _WIN32
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
#endif
};

} // namespace lirbo::test
