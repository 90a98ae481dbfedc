#include "net/HostLookup.h"

#include "net/SocketLibrary.h"

namespace lirbo::net {

namespace {

bool isLocalhost(const std::string& host) {
    static const char kName[] = "LOCALHOST";
    if (host.size() != sizeof kName - 1) {
        return false;
    }
    for (std::size_t i = 0; i < host.size(); ++i) {
        char c = host[i];
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        if (c != kName[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<std::string> addressWithoutLookup(const std::string& host) {
    if (isLocalhost(host)) {
        return std::string("127.0.0.1");
    }
    if (IPv4Address::parse(host)) {
        return host;
    }
    return std::nullopt;
}

// The lookup may outlive every endpoint object on a thread of its own: it holds the socket
// library itself.
SystemHostLookup::SystemHostLookup() {
    SocketLibrary::acquire();
}

SystemHostLookup::~SystemHostLookup() {
    SocketLibrary::release();
}

int SystemHostLookup::lookup(const std::string& name, IPv4Address& address) {
    if (!name.empty()) {
        return SocketLibrary::lookupHost(name, address);
    }
    // Sending to this machine never fails for the name.
    std::string own;
    if (SocketLibrary::hostName(own) != 0 || own.empty() || SocketLibrary::lookupHost(own, address) != 0) {
        address = IPv4Address::loopback();
    }
    return 0;
}

} // namespace lirbo::net
