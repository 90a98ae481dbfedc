// Built only for Windows: the socket library is Winsock 2, started once, with its own numbers.
#include "net/IdExceptions.h"
#include "net/IdUDPClient.h"
#include "net/SocketLibrary.h"

#include <gtest/gtest.h>
#include <winsock2.h>

namespace lirbo::net {
namespace {

TEST(Winsock, ErrorNumbersAreWinsocksOwnUnmapped) {
    for (const int error : {WSAEINTR, WSAEACCES, WSAEMSGSIZE, WSAEADDRINUSE, WSAECONNRESET, 12345}) {
        EXPECT_EQ(SocketLibrary::errorFromPlatform(error), error);
    }
    EXPECT_EQ(SocketLibrary::errorFromLookup(WSAHOST_NOT_FOUND, 0), 11001);
    EXPECT_EQ(SocketLibrary::errorFromLookup(WSATRY_AGAIN, 0), 11002);
}

TEST(Winsock, StartsOnceHowEverManyEndpointsComeAndGo) {
    for (int round = 0; round < 3; ++round) {
        TIdUDPClient first;
        TIdUDPClient second;
        first.setActive(true);
        second.setActive(true);
    }
    SocketLibrary::acquire();
    SocketLibrary::release();
    // Winsock counts its starts: one cleanup must bring it down, or it was started more than once.
    ASSERT_EQ(WSACleanup(), 0);
    const SOCKET s = ::socket(AF_INET, SOCK_DGRAM, 0);
    const int error = WSAGetLastError();
    EXPECT_EQ(s, INVALID_SOCKET);
    EXPECT_EQ(error, WSANOTINITIALISED);
    if (s != INVALID_SOCKET) {
        ::closesocket(s);
    }
    // Start it again for the tests that follow; the library still counts itself started.
    WSADATA data;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    EXPECT_EQ(data.wVersion, MAKEWORD(2, 2));
}

} // namespace
} // namespace lirbo::net
