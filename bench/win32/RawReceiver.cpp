// The receive baseline under Wine: one thread that does nothing but take datagrams off UDP port
// 8800, with the same non-blocking receives and queue size as Lirbo's listener. After a second
// without datagrams it prints how many came and the seconds from the first to the last, and ends.
// clang-format off
#include <winsock2.h>
// clang-format on
#include <cstdio>
#include <windows.h>

int main() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    const SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(8800);
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        std::fprintf(stderr, "port 8800 is taken\n");
        return 1;
    }
    int queue = 4 << 20;
    setsockopt(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&queue), sizeof queue);
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);

    LARGE_INTEGER frequency, first{}, last{};
    QueryPerformanceFrequency(&frequency);
    long count = 0;
    char buffer[8192];
    for (;;) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(s, &readable);
        timeval second{count > 0 ? 1 : 60, 0};
        if (select(0, &readable, nullptr, nullptr, &second) <= 0) {
            break;
        }
        sockaddr_in from{};
        int length = sizeof from;
        while (recvfrom(s, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length) >= 0) {
            QueryPerformanceCounter(count == 0 ? &first : &last);
            ++count;
        }
    }
    std::printf("%ld %.6f\n", count,
                static_cast<double>(last.QuadPart - first.QuadPart) / static_cast<double>(frequency.QuadPart));
    std::fflush(stdout);
    return 0;
}
