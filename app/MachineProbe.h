#pragma once

#include <string>
#include <vector>

namespace lirbo::app {

// One network interface of this machine as the connection check shows it.
struct MachineInterface {
    std::string name;                   // Windows-1251
    std::vector<std::string> addresses; // dotted IPv4 addresses
    bool up = false;                    // up and running
    bool loopback = false;
};

// What the connection check asks the system about this machine; tests fake it. Both calls are
// local questions to the system (no datagram, no lookup) and return at once.
class IMachineProbe {
public:
    virtual ~IMachineProbe() = default;
    virtual std::vector<MachineInterface> interfaces() = 0;
    // The local address the system would send a datagram to `address` (dotted) from, by
    // connecting a UDP socket and reading its name: nothing is sent. 0, or the error number
    // (10051, 10065: no route).
    virtual int routeFrom(const std::string& address, std::string& localAddress) = 0;
};

// The system's answers, over net/.
class SystemMachineProbe : public IMachineProbe {
public:
    std::vector<MachineInterface> interfaces() override;
    int routeFrom(const std::string& address, std::string& localAddress) override;
};

} // namespace lirbo::app
