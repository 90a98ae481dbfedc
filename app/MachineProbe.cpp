#include "app/MachineProbe.h"

#include "core/SystemText.h"
#include "net/IPv4Address.h"
#include "net/NetworkInterfaces.h"
#include "net/SocketLibrary.h"

namespace lirbo::app {

std::vector<MachineInterface> SystemMachineProbe::interfaces() {
    std::vector<MachineInterface> result;
    for (const auto& item : net::listNetworkInterfaces()) {
        MachineInterface shown;
        shown.name = core::sys::utf8ToCp1251(item.name);
        for (const auto& address : item.addresses) {
            shown.addresses.push_back(address.toString());
        }
        shown.up = item.up;
        shown.loopback = item.loopback;
        result.push_back(std::move(shown));
    }
    return result;
}

int SystemMachineProbe::routeFrom(const std::string& address, std::string& localAddress) {
    const auto parsed = net::IPv4Address::parse(address);
    if (!parsed) {
        return 10022; // invalid argument: the check only asks for dotted addresses
    }
    net::SocketLibrary::acquire();
    net::IPv4Address local;
    const int error = net::SocketLibrary::routeFrom(*parsed, 8800, local);
    net::SocketLibrary::release();
    if (error == 0) {
        localAddress = local.toString();
    }
    return error;
}

int RouteCache::routeFrom(const std::string& address, std::string& localAddress) {
    const auto now = m_clock();
    auto found = m_routes.find(address);
    if (found == m_routes.end() || now - found->second.time >= kRouteLife) {
        if (m_routes.size() >= 4096) {
            m_routes.clear(); // addresses of entries long gone; the list's own come back at once
        }
        Route route;
        route.error = m_probe->routeFrom(address, route.local);
        route.time = now;
        found = m_routes.insert_or_assign(address, std::move(route)).first;
    }
    localAddress = found->second.local;
    return found->second.error;
}

} // namespace lirbo::app
