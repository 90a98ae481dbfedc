#include "net/NetworkInterfaces.h"

#include <cstring>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>

// The interfaces from getifaddrs, which lists each interface once per address family.
namespace lirbo::net {

std::vector<NetworkInterface> listNetworkInterfaces() {
    std::vector<NetworkInterface> interfaces;
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) {
        return interfaces;
    }
    for (const ifaddrs* item = list; item != nullptr; item = item->ifa_next) {
        NetworkInterface* known = nullptr;
        for (auto& candidate : interfaces) {
            if (candidate.name == item->ifa_name) {
                known = &candidate;
            }
        }
        if (known == nullptr) {
            NetworkInterface added;
            added.name = item->ifa_name;
            added.up = (item->ifa_flags & IFF_UP) != 0 && (item->ifa_flags & IFF_RUNNING) != 0;
            added.loopback = (item->ifa_flags & IFF_LOOPBACK) != 0;
            interfaces.push_back(std::move(added));
            known = &interfaces.back();
        }
        if (item->ifa_addr != nullptr && item->ifa_addr->sa_family == AF_INET) {
            sockaddr_in address{};
            std::memcpy(&address, item->ifa_addr, sizeof address);
            unsigned char bytes[4];
            std::memcpy(bytes, &address.sin_addr.s_addr, sizeof bytes);
            known->addresses.emplace_back(bytes[0], bytes[1], bytes[2], bytes[3]);
        }
    }
    ::freeifaddrs(list);
    return interfaces;
}

} // namespace lirbo::net
