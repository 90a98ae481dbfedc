// Built where the platform's own error numbers are errno values: they must reach the user as the
// Windows Sockets numbers of the same name.
#include "net/SocketLibrary.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <netdb.h>
#include <ostream>

namespace lirbo::net {
namespace {

struct ErrnoCase {
    int platform;
    int wsa;
};

std::ostream& operator<<(std::ostream& out, const ErrnoCase& c) {
    return out << c.platform << " -> " << c.wsa;
}

class ErrnoMapping : public ::testing::TestWithParam<ErrnoCase> {};

TEST_P(ErrnoMapping, GoesToTheWindowsSocketsNumberOfTheSameName) {
    EXPECT_EQ(SocketLibrary::errorFromPlatform(GetParam().platform), GetParam().wsa);
}

INSTANTIATE_TEST_SUITE_P(
    ByName, ErrnoMapping,
    ::testing::Values(ErrnoCase{EINTR, 10004}, ErrnoCase{EBADF, 10009}, ErrnoCase{EACCES, 10013},
                      ErrnoCase{EFAULT, 10014}, ErrnoCase{EINVAL, 10022}, ErrnoCase{EMFILE, 10024},
                      ErrnoCase{EWOULDBLOCK, 10035}, ErrnoCase{EAGAIN, 10035}, ErrnoCase{EINPROGRESS, 10036},
                      ErrnoCase{ENOTSOCK, 10038}, ErrnoCase{EMSGSIZE, 10040}, ErrnoCase{EOPNOTSUPP, 10045},
                      ErrnoCase{EAFNOSUPPORT, 10047}, ErrnoCase{EADDRINUSE, 10048}, ErrnoCase{EADDRNOTAVAIL, 10049},
                      ErrnoCase{ENETDOWN, 10050}, ErrnoCase{ENETUNREACH, 10051}, ErrnoCase{ECONNRESET, 10054},
                      ErrnoCase{ENOBUFS, 10055}, ErrnoCase{ENOTCONN, 10057}, ErrnoCase{ESHUTDOWN, 10058},
                      ErrnoCase{ETIMEDOUT, 10060}, ErrnoCase{ECONNREFUSED, 10061}, ErrnoCase{EHOSTDOWN, 10064},
                      ErrnoCase{EHOSTUNREACH, 10065}, ErrnoCase{ENOTEMPTY, 10066},
                      // No counterpart of the same name: the nearest.
                      ErrnoCase{EPERM, 10013}, ErrnoCase{ENOMEM, 10055}));

class LookupMapping : public ::testing::TestWithParam<ErrnoCase> {};

TEST_P(LookupMapping, GivesHostNotFoundOrTheNearestNumber) {
    EXPECT_EQ(SocketLibrary::errorFromLookup(GetParam().platform, ECONNREFUSED), GetParam().wsa);
}

INSTANTIATE_TEST_SUITE_P(GetAddrInfo, LookupMapping,
                         ::testing::Values(ErrnoCase{EAI_NONAME, 11001}, ErrnoCase{EAI_NODATA, 11001},
                                           ErrnoCase{EAI_AGAIN, 11002}, ErrnoCase{EAI_FAIL, 11003},
                                           ErrnoCase{EAI_MEMORY, 10055}, ErrnoCase{EAI_FAMILY, 10047},
                                           ErrnoCase{EAI_SYSTEM, 10061}));

} // namespace
} // namespace lirbo::net
