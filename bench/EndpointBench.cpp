// The UDP endpoint on loopback, each figure beside its raw baseline in the same run:
// - round trip: Send, the echo, the listener thread and the hand-over to the main thread, against
//   a bare socket ping-pong;
// - delivered rate: a sender blasting at full speed, received through the listener thread, the
//   hand-over and a handler on the main thread, against a bare recvfrom thread handing each
//   datagram to the main thread through a condition variable;
// - paced rates: how many datagrams are lost at a given steady rate.
#include "net/ByteStream.h"
#include "net/HandOver.h"
#include "net/IdUDPClient.h"
#include "net/IdUDPServer.h"
#include "support/UdpProbe.h"

#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace lirbo;
using Clock = std::chrono::steady_clock;

const std::string kMessage = "V3Vasya;" + std::string(56, 'x'); // a typical chat line, 64 bytes
const std::string kStop = "stop";

// Echoes every datagram to `replyPort` (or to its sender when 0) until it receives kStop.
class Echo {
public:
    explicit Echo(int replyPort) : m_replyPort(replyPort), m_thread([this] { run(); }) {}
    ~Echo() {
        test::UdpProbe stopper;
        stopper.sendTo(m_socket.port(), kStop);
        m_thread.join();
    }
    Echo(const Echo&) = delete;
    Echo& operator=(const Echo&) = delete;

    int port() const { return m_socket.port(); }

private:
    void run() {
        char buffer[65536];
        for (;;) {
            const long got = m_socket.receive(buffer, sizeof buffer, -1);
            if (got < 0) {
                continue;
            }
            const std::string bytes(buffer, static_cast<std::size_t>(got));
            if (bytes == kStop) {
                return;
            }
            m_socket.sendTo(m_replyPort != 0 ? m_replyPort : m_socket.lastSenderPort(), bytes);
        }
    }

    int m_replyPort;
    test::UdpProbe m_socket;
    std::thread m_thread;
};

void reportLatency(benchmark::State& state, std::vector<double>& micros) {
    if (micros.empty()) {
        return;
    }
    std::sort(micros.begin(), micros.end());
    state.counters["p50_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
}

void BM_RawPingPong(benchmark::State& state) {
    test::UdpProbe socket;
    Echo echo(0);
    char buffer[65536];
    std::vector<double> micros;
    for (auto _ : state) {
        const auto start = Clock::now();
        socket.sendTo(echo.port(), kMessage);
        socket.receive(buffer, sizeof buffer, -1);
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    reportLatency(state, micros);
}

// The listener on 127.0.0.1 and an ephemeral port, with `handler` as its OnUDPRead.
void openListener(net::TIdUDPServer& server, std::function<void(net::TByteStream&)> handler) {
    net::TIdSocketHandle& binding = server.addBinding();
    binding.IP = "127.0.0.1";
    binding.Port = 0;
    server.OnUDPRead = [handler = std::move(handler)](net::TIdUDPServer&, net::TByteStream& data,
                                                      net::TIdSocketHandle&) { handler(data); };
    server.setActive(true);
}

void BM_EndpointRoundTrip(benchmark::State& state) {
    bool arrived = false;
    net::THandOver handOver;
    net::TIdUDPServer server(handOver);
    openListener(server, [&](net::TByteStream& data) {
        benchmark::DoNotOptimize(data.readString());
        arrived = true;
    });
    Echo echo(server.Bindings.front()->Port);
    net::TIdUDPClient client;
    client.setActive(true);
    client.Host = "127.0.0.1";
    client.Port = echo.port();
    std::vector<double> micros;
    for (auto _ : state) {
        const auto start = Clock::now();
        arrived = false;
        client.Send(kMessage);
        handOver.serveUntil([&] { return arrived; });
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    reportLatency(state, micros);
    server.setActive(false);
}

// Sends `count` datagrams to `port`, at `rate` per second (0: as fast as the socket takes them).
void sendBurst(int port, int count, int rate) {
    test::UdpProbe sender;
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        if (rate > 0 && i % 16 == 0) {
            std::this_thread::sleep_until(start + std::chrono::microseconds(std::int64_t{i} * 1000000 / rate));
        }
        sender.sendTo(port, kMessage);
    }
}

// Everything after the sender has finished and `quietMs` have passed without a delivery counts.
struct Burst {
    int count;
    int rate;
};

Burst burstOf(const benchmark::State& state) {
    const int rate = static_cast<int>(state.range(0));
    // Full speed: a fixed number; paced: half a second's worth.
    return rate == 0 ? Burst{20000, 0} : Burst{rate / 2, rate};
}

void reportBurst(benchmark::State& state, long delivered, long sent, double seconds) {
    state.counters["delivered_per_s"] = static_cast<double>(delivered) / seconds;
    state.counters["lost"] = static_cast<double>(sent - delivered);
}

// A bare receiver thread handing each datagram to the waiting main thread and waiting for it,
// as the endpoint's hand-over does, with nothing else.
void BM_RawHandOverRate(benchmark::State& state) {
    const Burst burst = burstOf(state);
    long delivered = 0;
    double seconds = 0;
    for (auto _ : state) {
        test::UdpProbe receiver;
        std::mutex lock;
        std::condition_variable changed;
        std::string slot;
        bool full = false;
        std::atomic<bool> stop{false};
        std::thread listener([&] {
            char buffer[8192];
            while (!stop) {
                const long got = receiver.receive(buffer, sizeof buffer, 20);
                if (got < 0) {
                    continue;
                }
                std::unique_lock<std::mutex> guard(lock);
                slot.assign(buffer, static_cast<std::size_t>(got));
                full = true;
                changed.notify_all();
                changed.wait(guard, [&] { return !full || stop; });
            }
        });
        const auto start = Clock::now();
        std::thread sender([&] { sendBurst(receiver.port(), burst.count, burst.rate); });
        long got = 0;
        auto last = start;
        {
            std::unique_lock<std::mutex> guard(lock);
            while (got < burst.count) {
                if (!changed.wait_for(guard, std::chrono::milliseconds(200), [&] { return full; })) {
                    break; // the rest was lost
                }
                benchmark::DoNotOptimize(slot.size());
                ++got;
                last = Clock::now();
                full = false;
                changed.notify_all();
            }
            stop = true;
            changed.notify_all();
        }
        sender.join();
        listener.join();
        delivered += got;
        seconds += std::chrono::duration<double>(last - start).count();
        state.SetIterationTime(std::chrono::duration<double>(last - start).count());
    }
    reportBurst(state, delivered, static_cast<long>(state.iterations()) * burst.count, seconds);
}

// The same through the endpoint: listener thread, hand-over, OnUDPRead on the main thread.
void BM_EndpointRate(benchmark::State& state) {
    const Burst burst = burstOf(state);
    long delivered = 0;
    double seconds = 0;
    for (auto _ : state) {
        long got = 0;
        auto last = Clock::now();
        net::THandOver handOver;
        net::TIdUDPServer server(handOver);
        openListener(server, [&](net::TByteStream& data) {
            benchmark::DoNotOptimize(data.readString());
            ++got;
            last = Clock::now();
        });
        const auto start = Clock::now();
        last = start;
        std::thread sender([&] { sendBurst(server.Bindings.front()->Port, burst.count, burst.rate); });
        handOver.serveUntil([&] { return got >= burst.count || Clock::now() - last > std::chrono::milliseconds(200); });
        sender.join();
        server.setActive(false);
        delivered += got;
        seconds += std::chrono::duration<double>(last - start).count();
        state.SetIterationTime(std::chrono::duration<double>(last - start).count());
    }
    reportBurst(state, delivered, static_cast<long>(state.iterations()) * burst.count, seconds);
}

BENCHMARK(BM_RawPingPong)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EndpointRoundTrip)->Unit(benchmark::kMicrosecond);
// Rate 0: full speed, three bursts; the others are paced rates in datagrams per second, one burst.
BENCHMARK(BM_RawHandOverRate)->Arg(0)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EndpointRate)->Arg(0)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
void pacedRates(benchmark::internal::Benchmark* bench) {
    for (const int rate : {5000, 10000, 15000, 20000, 30000, 40000}) {
        bench->Arg(rate);
    }
    bench->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_RawHandOverRate)->Apply(pacedRates);
BENCHMARK(BM_EndpointRate)->Apply(pacedRates);

} // namespace

BENCHMARK_MAIN();
