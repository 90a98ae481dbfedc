#pragma once

#include "net/IPv4Address.h"

#include <optional>
#include <string>

namespace lirbo::net {

// A blocking host-name lookup: the first IPv4 address of a name, or a Windows Sockets error
// number. The resolver calls it on its worker thread; tests give one that needs no DNS.
class IHostLookup {
public:
    virtual ~IHostLookup() = default;
    // 0 and `address`, or the error (host not found: 11001).
    virtual int lookup(const std::string& name, IPv4Address& address) = 0;
};

// The system's lookup (getaddrinfo, IPv4 only). An empty name is this machine, as the Windows
// lookup answers it: the first address of its host name, else the loopback address.
class SystemHostLookup : public IHostLookup {
public:
    SystemHostLookup();
    ~SystemHostLookup() override;
    SystemHostLookup(const SystemHostLookup&) = delete;
    SystemHostLookup& operator=(const SystemHostLookup&) = delete;

    int lookup(const std::string& name, IPv4Address& address) override;
};

// The address a host text stands for without any lookup: "127.0.0.1" for "LOCALHOST" in any
// letter case, the text itself for an IPv4 address form; nothing for a name (the empty one too).
std::optional<std::string> addressWithoutLookup(const std::string& host);

} // namespace lirbo::net
