#include "NetTestSupport.h"

#include "net/HandOver.h"

namespace lirbo::net::test {

THandOver& mainThread() {
    static THandOver handOver;
    return handOver;
}

bool serveUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    return serveUntil(mainThread(), done, limit);
}

bool serveUntil(THandOver& handOver, const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    handOver.serveUntil([&] { return done() || std::chrono::steady_clock::now() >= deadline; });
    return done();
}

RecordingListener::RecordingListener(const std::string& ip, int port) : RecordingListener(mainThread(), ip, port) {}

RecordingListener::RecordingListener(THandOver& handOver, const std::string& ip, int port)
    : server(handOver), m_handOver(handOver) {
    TIdSocketHandle& binding = server.addBinding();
    binding.IP = ip;
    binding.Port = port;
    server.OnUDPRead = [this](TIdUDPServer&, TByteStream& data, TIdSocketHandle& from) {
        received.push_back(Datagram{data.readString(), from.SenderAddress, from.SenderPort});
    };
    server.setActive(true);
}

int RecordingListener::port() const {
    return server.Bindings.front()->Port;
}

bool RecordingListener::waitFor(std::size_t count) {
    return serveUntil(m_handOver, [&] { return received.size() >= count; });
}

int localPort(const TIdUDPClient& client) {
    if (client.binding() == nullptr) {
        return 0;
    }
    IPv4Address address;
    std::uint16_t port = 0;
    SocketLibrary::localAddress(client.binding()->handle(), address, port);
    return port;
}

} // namespace lirbo::net::test
