#include "NetTestSupport.h"
#include "net/HandOver.h"
#include "net/IdExceptions.h"
#include "net/NetworkInterfaces.h"
#include "net/SocketLibrary.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

namespace lirbo::net {
namespace {

using test::RecordingListener;

// A hand-over that shows what the listener thread does with it: each batch it hands over (its wake,
// which first runs `alsoOnWake` on that thread) and each time it waits for the main thread.
class ObservedHandOver : public THandOver {
public:
    explicit ObservedHandOver(std::function<void()> alsoOnWake = {}) {
        setWakeCallback([this, alsoOnWake = std::move(alsoOnWake)] {
            if (alsoOnWake) {
                alsoOnWake();
            }
            note(m_counts[0]);
        });
    }
    void wait(Call& call) override {
        note(m_counts[1]);
        THandOver::wait(call);
    }
    // Whether the thread has handed `count` batches over (or begun `count` waits) within 20 s.
    bool handedOver(int count) { return reached(m_counts[0], count); }
    bool waiting(int count) { return reached(m_counts[1], count); }

private:
    void note(int& counter) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        ++counter;
        m_changed.notify_all();
    }
    bool reached(const int& counter, int count) {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(20), [&] { return counter >= count; });
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_counts[2] = {0, 0};
};

TIdUDPClient& aim(TIdUDPClient& client, const std::string& host, int port) {
    client.Host = host;
    client.Port = port;
    return client;
}

TEST(UdpEndpoint, DeliversExactlyTheBytesSentWithTheSenderAddressAndPort) {
    RecordingListener listener;
    TIdUDPClient client;
    client.setActive(true);
    EXPECT_EQ(test::localPort(client), 0) << "the sender is bound only by its first send";

    const std::string texts[] = {"abc", "", std::string("\0x\0", 3), "\xCF\xF0\xE8\xE2\xE5\xF2\xFF",
                                 std::string(8192, 'z')};
    aim(client, "127.0.0.1", listener.port());
    for (const std::string& text : texts) {
        client.Send(text);
    }
    ASSERT_TRUE(listener.waitFor(std::size(texts)));
    const int senderPort = test::localPort(client);
    EXPECT_NE(senderPort, 0);
    EXPECT_NE(senderPort, listener.port());
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        EXPECT_EQ(listener.received[i].bytes, texts[i]) << "datagram " << i;
        EXPECT_EQ(listener.received[i].senderAddress, "127.0.0.1");
        EXPECT_EQ(listener.received[i].senderPort, senderPort);
    }
}

TEST(UdpEndpoint, DropsADatagramLongerThanTheBufferWholeAndGoesOn) {
    RecordingListener listener;
    TIdUDPClient client;
    aim(client, "127.0.0.1", listener.port());
    client.Send(std::string(8193, 'a'));
    client.Send(std::string(8192, 'b'));
    client.Send(std::string(65507, 'c'));
    client.Send("next");
    ASSERT_TRUE(listener.waitFor(2));
    ASSERT_EQ(listener.received.size(), 2u);
    EXPECT_EQ(listener.received[0].bytes, std::string(8192, 'b'));
    EXPECT_EQ(listener.received[1].bytes, "next");
    EXPECT_EQ(listener.server.counts().received, 4u);
    EXPECT_EQ(listener.server.counts().tooLong, 2u);
}

TEST(UdpEndpoint, RouteProbeNamesTheLocalAddressAndSendsNothing) {
    RecordingListener listener;
    IPv4Address local;
    ASSERT_EQ(SocketLibrary::routeFrom(IPv4Address(127, 0, 0, 1), static_cast<std::uint16_t>(listener.port()), local),
              0);
    EXPECT_EQ(local, IPv4Address::loopback());
    TIdUDPClient client; // a datagram behind the probe's would arrive first if the probe sent one
    aim(client, "127.0.0.1", listener.port());
    client.Send("after");
    ASSERT_TRUE(listener.waitFor(1));
    EXPECT_EQ(listener.received[0].bytes, "after");
    EXPECT_EQ(listener.server.counts().received, 1u);
    bool loopbackListed = false;
    for (const auto& item : listNetworkInterfaces()) {
        loopbackListed |=
            item.loopback && item.up && item.addresses.size() == 1 && item.addresses[0] == IPv4Address::loopback();
    }
    EXPECT_TRUE(loopbackListed);
}

TEST(UdpEndpoint, HandsTheHandlerTheDatagramAtPositionZeroAndTheReceivingBinding) {
    TIdUDPServer server(test::mainThread());
    TIdSocketHandle& binding = server.addBinding();
    binding.IP = "127.0.0.1";
    binding.Port = 0;
    int calls = 0;
    server.OnUDPRead = [&](TIdUDPServer& sender, TByteStream& data, TIdSocketHandle& from) {
        ++calls;
        EXPECT_EQ(&sender, &server);
        EXPECT_EQ(&from, &binding);
        EXPECT_EQ(server.currentBinding(), &binding);
        EXPECT_EQ(data.position(), 0u);
        ASSERT_EQ(data.size(), 5u);
        char head[2];
        EXPECT_EQ(data.read(head, 2), 2u);
        EXPECT_EQ(std::string(head, 2), "he");
        EXPECT_EQ(data.readString(), "llo");
    };
    server.setActive(true);
    EXPECT_EQ(server.currentBinding(), &binding);
    EXPECT_EQ(binding.IP, "127.0.0.1");
    EXPECT_GT(binding.Port, 0) << "the bound port is read back";

    TIdUDPClient client;
    aim(client, "127.0.0.1", binding.Port).Send("hello");
    aim(client, "127.0.0.1", binding.Port).Send("hello");
    EXPECT_TRUE(test::serveUntil([&] { return calls == 2; }));
}

TEST(UdpEndpoint, AHandlerErrorCostsOnlyItsOwnDatagram) {
    RecordingListener listener;
    int calls = 0;
    listener.server.OnUDPRead = [&](TIdUDPServer&, TByteStream& data, TIdSocketHandle&) {
        ++calls;
        const std::string text = data.readString();
        if (text == "core") {
            throw core::Exception("handler failed");
        }
        if (text == "std") {
            throw std::runtime_error("handler failed");
        }
        if (text == "int") {
            throw 42;
        }
        listener.received.push_back({text, "", 0});
    };
    TIdUDPClient client;
    aim(client, "127.0.0.1", listener.port());
    for (const char* text : {"core", "one", "std", "int", "two"}) {
        client.Send(text);
    }
    ASSERT_TRUE(listener.waitFor(2));
    EXPECT_EQ(calls, 5);
    EXPECT_EQ(listener.received[0].bytes, "one");
    EXPECT_EQ(listener.received[1].bytes, "two");
}

TEST(UdpEndpoint, DeliversOneAtATimeInArrivalOrder) {
    RecordingListener listener;
    std::atomic<int> inHandler{0};
    listener.server.OnUDPRead = [&](TIdUDPServer&, TByteStream& data, TIdSocketHandle&) {
        EXPECT_EQ(inHandler.fetch_add(1), 0);
        listener.received.push_back({data.readString(), "", 0});
        inHandler.fetch_sub(1);
    };
    TIdUDPClient client;
    aim(client, "127.0.0.1", listener.port());
    constexpr int kCount = 50; // well inside the default receive queue
    for (int i = 0; i < kCount; ++i) {
        client.Send(std::to_string(i));
    }
    ASSERT_TRUE(listener.waitFor(kCount));
    for (int i = 0; i < kCount; ++i) {
        EXPECT_EQ(listener.received[static_cast<std::size_t>(i)].bytes, std::to_string(i));
    }
}

TEST(UdpEndpoint, ThreadedEventRunsTheHandlerOnTheListenerThread) {
    THandOver handOver;
    TIdUDPServer server(handOver);
    server.ThreadedEvent = true;
    server.addBinding().IP = "127.0.0.1";
    server.Bindings.front()->Port = 0;
    std::atomic<bool> called{false};
    std::thread::id handlerThread;
    server.OnUDPRead = [&](TIdUDPServer&, TByteStream&, TIdSocketHandle&) {
        handlerThread = std::this_thread::get_id();
        called = true;
    };
    server.setActive(true);
    TIdUDPClient client;
    aim(client, "127.0.0.1", server.Bindings.front()->Port).Send("x");
    while (!called) {
        std::this_thread::yield();
    }
    EXPECT_NE(handlerThread, std::this_thread::get_id());
    EXPECT_EQ(handOver.runPending(), 0);
}

TEST(UdpEndpoint, ASecondListenerOnATakenPortFailsAndKeepsNothing) {
    RecordingListener first;
    TIdUDPServer second(test::mainThread());
    TIdSocketHandle& binding = second.addBinding();
    binding.IP = "127.0.0.1";
    binding.Port = first.port();
    try {
        second.setActive(true);
        FAIL() << "bound a port that is in use";
    } catch (const EIdCouldNotBindSocket& e) {
        EXPECT_EQ(e.message(), "Could not bind socket. Address and port are already in use.");
        EXPECT_STREQ(e.className(), "EIdCouldNotBindSocket");
    }
    EXPECT_FALSE(second.active());
    EXPECT_FALSE(binding.allocated()) << "a failed opening must not hold a socket";

    TIdUDPClient client;
    aim(client, "127.0.0.1", first.port()).Send("still there");
    ASSERT_TRUE(first.waitFor(1));
    EXPECT_EQ(first.received[0].bytes, "still there");

    first.server.setActive(false);
    second.setActive(true);
    EXPECT_TRUE(second.active()) << "the port is free once the first listener closed";
}

TEST(UdpEndpoint, OpeningWithTooManyBindingsIsRefused) {
    TIdUDPServer server(test::mainThread());
    for (std::size_t i = 0; i <= TIdUDPServer::MaxBindings; ++i) {
        TIdSocketHandle& binding = server.addBinding();
        binding.IP = "127.0.0.1";
        binding.Port = 0;
    }
    try {
        server.setActive(true);
        FAIL() << "opened more sockets than can be waited on";
    } catch (const EIdStackSetSizeExceeded& e) {
        EXPECT_EQ(e.message(), "Set Size Exceeded.");
    }
    EXPECT_FALSE(server.active());
}

struct HostCase {
    const char* host;
};

class LoopbackHost : public ::testing::TestWithParam<HostCase> {};

TEST_P(LoopbackHost, ReachesTheOwnListenerFrom127001) {
    RecordingListener listener;
    TIdUDPClient client;
    aim(client, GetParam().host, listener.port()).Send(GetParam().host);
    ASSERT_TRUE(listener.waitFor(1));
    EXPECT_EQ(listener.received[0].bytes, GetParam().host);
    EXPECT_EQ(listener.received[0].senderAddress, "127.0.0.1");
}

INSTANTIATE_TEST_SUITE_P(Forms, LoopbackHost,
                         ::testing::Values(HostCase{"localhost"}, HostCase{"LOCALHOST"}, HostCase{"LocalHost"},
                                           HostCase{"127.0.0.1"}, HostCase{"0x7f.1"}, HostCase{"127.1"},
                                           HostCase{"127.0.1"}, HostCase{"2130706433"}, HostCase{"$7F000001"},
                                           HostCase{"0X7F.0.0.0x01"}));

TEST(UdpEndpoint, ASubnetBroadcastIsRefusedWithAccessDenied) {
    // 127.255.255.255 is the loopback subnet's broadcast address: refused without the option.
    TIdUDPClient client;
    aim(client, "127.255.255.255", 9);
    try {
        client.Send("x");
        FAIL() << "a broadcast went out with broadcasting disabled";
    } catch (const EIdSocketError& e) {
        EXPECT_EQ(e.lastError(), 10013);
        EXPECT_EQ(e.message(), "Socket Error # 10013\r\nAccess denied.");
    }
}

TEST(UdpEndpoint, ADatagramTooLongForTheSystemRaisesPackageSizeTooBig) {
    TIdUDPClient client;
    aim(client, "127.0.0.1", 9);
    EXPECT_THROW(client.Send(std::string(70000, 'x')), EIdPackageSizeTooBig);
}

TEST(UdpEndpoint, EndpointObjectsHoldTheSocketLibraryWhileTheyLive) {
    const int before = SocketLibrary::users();
    {
        TIdUDPClient client;
        TIdUDPServer server(test::mainThread());
        EXPECT_EQ(SocketLibrary::users(), before + 2);
    }
    EXPECT_EQ(SocketLibrary::users(), before);
}

TEST(UdpEndpoint, ClosingWakesTheListenerInsteadOfWaitingForItsPeriod) {
    ObservedHandOver handOver;
    TIdUDPServer server(handOver);
    server.addBinding().IP = "127.0.0.1";
    server.Bindings.front()->Port = 0;
    server.setWaitPeriod(60000);
    server.setActive(true);
    TIdUDPClient client;
    aim(client, "127.0.0.1", server.Bindings.front()->Port).Send("x");
    ASSERT_TRUE(handOver.handedOver(1)); // from there the thread goes on to wait for the next datagram
    const auto start = std::chrono::steady_clock::now();
    server.setActive(false);
    const auto took = std::chrono::steady_clock::now() - start;
    // Not a performance bound: without the wake-up this would take the full minute.
    EXPECT_LT(took, std::chrono::seconds(30)) << "closing waited for the wait period";
    EXPECT_FALSE(server.active());
    EXPECT_EQ(server.currentBinding(), nullptr);
}

TEST(UdpEndpoint, ClosingServesADeliveryThatIsWaitingForTheMainThread) {
    ObservedHandOver handOver;
    RecordingListener listener(handOver);
    TIdUDPClient client;
    aim(client, "127.0.0.1", listener.port()).Send("in flight");
    ASSERT_TRUE(handOver.handedOver(1)); // nobody serves the queue: the delivery waits there
    listener.server.setActive(false);
    ASSERT_EQ(listener.received.size(), 1u) << "a message arriving while closing is still shown";
    EXPECT_EQ(listener.received[0].bytes, "in flight");
    EXPECT_EQ(handOver.runPending(), 0);
}

TEST(UdpEndpoint, AHandlerCanCloseItsOwnListener) {
    RecordingListener listener;
    listener.server.OnUDPRead = [&](TIdUDPServer& sender, TByteStream& data, TIdSocketHandle&) {
        listener.received.push_back({data.readString(), "", 0});
        sender.setActive(false);
    };
    TIdUDPClient client;
    aim(client, "127.0.0.1", listener.port()).Send("close");
    ASSERT_TRUE(listener.waitFor(1));
    EXPECT_FALSE(listener.server.active());
    client.Send("after closing");

    listener.server.setActive(true); // finishes the close and binds the same port again
    client.Send("reopened");
    ASSERT_TRUE(listener.waitFor(2));
    EXPECT_EQ(listener.received[1].bytes, "reopened");
}

TEST(UdpEndpoint, AHandlerThatClosesItsListenerGetsNothingReadBehindItsDatagram) {
    // While the first datagram is handed over, two more arrive; the thread reads them as its next
    // batch and waits for the first to be served.
    std::atomic<int> port{0};
    ObservedHandOver handOver([&port] {
        const int to = port.exchange(0); // the first batch only
        TIdUDPClient behind;
        for (const char* text : {"read behind it", "and this"}) {
            if (to != 0) {
                aim(behind, "127.0.0.1", to).Send(text);
            }
        }
    });
    RecordingListener listener(handOver);
    port = listener.port();
    listener.server.OnUDPRead = [&](TIdUDPServer& sender, TByteStream& data, TIdSocketHandle&) {
        listener.received.push_back({data.readString(), "", 0});
        sender.setActive(false);
    };
    TIdUDPClient client;
    aim(client, "127.0.0.1", listener.port()).Send("close");
    ASSERT_TRUE(handOver.waiting(1)); // nobody serves yet: the two behind it are read
    ASSERT_TRUE(listener.waitFor(1));
    listener.server.setActive(true); // finishes the close
    EXPECT_EQ(listener.received.size(), 1u);
}

TEST(UdpEndpoint, DestroyingWithDatagramsStillQueuedIsSafe) {
    TIdUDPClient client;
    int port = 0;
    int handled = 0;
    {
        RecordingListener listener;
        listener.server.OnUDPRead = [&](TIdUDPServer&, TByteStream&, TIdSocketHandle&) { ++handled; };
        port = listener.port();
        aim(client, "127.0.0.1", port);
        for (int i = 0; i < 100; ++i) {
            client.Send("queued");
        }
    }
    EXPECT_LE(handled, 100);
    EXPECT_EQ(test::mainThread().runPending(), 0);
    // Sending to the closed port is not an error for the sender.
    EXPECT_NO_THROW(client.Send("nobody"));
}

TEST(UdpEndpoint, ClosingUnderLoadNeitherDeadlocksNorLosesTheListener) {
    RecordingListener listener;
    const int port = listener.port();
    std::atomic<bool> blasting{true};
    std::thread blaster([&] {
        TIdUDPClient client;
        aim(client, "127.0.0.1", port);
        while (blasting) {
            client.Send("load");
        }
    });
    for (int round = 0; round < 5; ++round) {
        const std::size_t before = listener.received.size();
        listener.server.setActive(true);
        test::serveUntil([&] { return listener.received.size() >= before + 20; });
        listener.server.setActive(false);
        EXPECT_FALSE(listener.server.active());
    }
    blasting = false;
    blaster.join();
    EXPECT_GT(listener.received.size(), 0u);
    EXPECT_EQ(test::mainThread().runPending(), 0);
}

} // namespace
} // namespace lirbo::net
