#pragma once

#include "net/IPv4Address.h"

#include <string>
#include <vector>

namespace lirbo::net {

// One network interface of this machine with its IPv4 addresses.
struct NetworkInterface {
    std::string name; // UTF-8: the system's name for it (Windows: its friendly name)
    std::vector<IPv4Address> addresses;
    bool up = false; // administratively up and operational
    bool loopback = false;
};

// This machine's network interfaces, in the system's order; those without an IPv4 address are
// listed too (a VPN adapter that is down, a cable unplugged). Empty when the system refuses.
// A local question to the system: returns at once.
std::vector<NetworkInterface> listNetworkInterfaces();

} // namespace lirbo::net
