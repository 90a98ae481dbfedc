#pragma once

#include "net/IdUDPClient.h"
#include "net/IdUDPServer.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace lirbo::net {
class THandOver;
}

namespace lirbo::net::test {

// The test program's one hand-over, as the program's main makes one; the test's thread serves it.
THandOver& mainThread();

// Serves `handOver` (the test program's by default), as the main thread does, until `done()`
// holds or `limit` passes (the limit only keeps a broken build from hanging). Returns done().
bool serveUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(20));
bool serveUntil(THandOver& handOver, const std::function<bool()>& done,
                std::chrono::milliseconds limit = std::chrono::seconds(20));

struct Datagram {
    std::string bytes;
    std::string senderAddress;
    int senderPort = 0;
};

// A listener on 127.0.0.1 and an ephemeral port (or the address and port given) that records
// every datagram its handler receives on the main thread.
class RecordingListener {
public:
    explicit RecordingListener(const std::string& ip = "127.0.0.1", int port = 0);
    // The same, delivering through `handOver`.
    explicit RecordingListener(THandOver& handOver, const std::string& ip = "127.0.0.1", int port = 0);

    std::vector<Datagram> received;
    // Last, so it is destroyed first: closing it still runs handlers that write `received`.
    TIdUDPServer server;

    int port() const;
    // Serves the hand-over queue until `count` datagrams have arrived.
    bool waitFor(std::size_t count);

private:
    THandOver& m_handOver;
};

// The local port a sender's socket got from the system (0 while unbound).
int localPort(const TIdUDPClient& client);

} // namespace lirbo::net::test
