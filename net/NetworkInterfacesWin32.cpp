#include "net/NetworkInterfaces.h"

#include <winsock2.h>
#include <ws2tcpip.h>
// winsock2 first: iphlpapi needs its types.
#include <cstring>
#include <iphlpapi.h>
#include <vector>

// The adapters from GetAdaptersAddresses (IPv4 only), their friendly names turned into UTF-8.
namespace lirbo::net {

namespace {

std::string toUtf8(const wchar_t* text) {
    if (text == nullptr || *text == L'\0') {
        return {};
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string result(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
    result.resize(static_cast<std::size_t>(size - 1));
    return result;
}

} // namespace

std::vector<NetworkInterface> listNetworkInterfaces() {
    std::vector<NetworkInterface> interfaces;
    const ULONG flags = GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER;
    ULONG size = 16 * 1024;
    std::vector<unsigned char> buffer;
    ULONG status = ERROR_BUFFER_OVERFLOW;
    // The list may grow between the two calls: try again a few times with the size asked for.
    for (int attempt = 0; attempt < 4 && status == ERROR_BUFFER_OVERFLOW; ++attempt) {
        buffer.resize(size);
        status = ::GetAdaptersAddresses(AF_INET, flags, nullptr, reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()),
                                        &size);
    }
    if (status != NO_ERROR) {
        return interfaces;
    }
    for (auto* adapter = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(buffer.data()); adapter != nullptr;
         adapter = adapter->Next) {
        NetworkInterface item;
        item.name = toUtf8(adapter->FriendlyName);
        item.up = adapter->OperStatus == IfOperStatusUp;
        item.loopback = adapter->IfType == IF_TYPE_SOFTWARE_LOOPBACK;
        for (auto* unicast = adapter->FirstUnicastAddress; unicast != nullptr; unicast = unicast->Next) {
            const SOCKADDR* address = unicast->Address.lpSockaddr;
            if (address == nullptr || address->sa_family != AF_INET) {
                continue;
            }
            sockaddr_in in{};
            std::memcpy(&in, address, sizeof in);
            unsigned char bytes[4];
            std::memcpy(bytes, &in.sin_addr.s_addr, sizeof bytes);
            item.addresses.emplace_back(bytes[0], bytes[1], bytes[2], bytes[3]);
        }
        interfaces.push_back(std::move(item));
    }
    return interfaces;
}

} // namespace lirbo::net
