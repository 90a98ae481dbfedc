#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
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

// Another probe's answers, with each route kept for 10 s: the window refreshes every second, and
// a list of thousands of entries must not cost thousands of sockets each time.
class RouteCache : public IMachineProbe {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::seconds kRouteLife{10};

    explicit RouteCache(std::shared_ptr<IMachineProbe> probe, Clock clock = &std::chrono::steady_clock::now)
        : m_probe(std::move(probe)), m_clock(std::move(clock)) {}
    std::vector<MachineInterface> interfaces() override { return m_probe->interfaces(); }
    int routeFrom(const std::string& address, std::string& localAddress) override;

private:
    struct Route {
        int error = 0;
        std::string local;
        std::chrono::steady_clock::time_point time;
    };
    std::shared_ptr<IMachineProbe> m_probe;
    Clock m_clock;
    std::unordered_map<std::string, Route> m_routes;
};

} // namespace lirbo::app
