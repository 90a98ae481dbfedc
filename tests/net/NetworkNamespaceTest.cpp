// Cases that need the real port 8800 or addresses outside 127.0.0.0/8. They run only inside a
// network namespace of their own, which RealPort.RunsItsCasesInAnOwnNetworkNamespace sets up by
// starting this test program again under `unshare -n`: there the loopback device is the only
// one, it also carries 10.0.0.1 and 192.168.0.1, and the default route leads to it, so nothing
// sent can leave the namespace.
#include "NetTestSupport.h"
#include "OwnNetworkNamespace.h"
#include "net/IdExceptions.h"

#include <gtest/gtest.h>
#include <string>

namespace lirbo::net {
namespace {

TEST(RealPort, RunsItsCasesInAnOwnNetworkNamespace) {
    if (test::insideOwnNetworkNamespace()) {
        GTEST_SKIP() << "already inside the namespace";
    }
    if (const char* reason = test::cannotCreateNetworkNamespace()) {
        GTEST_SKIP() << reason;
    }
    std::string command;
    EXPECT_EQ(test::runSelfInOwnNetworkNamespace("InOwnNetworkNamespace.*", command), 0) << command;
}

#define REQUIRE_OWN_NAMESPACE()                                                                                        \
    if (!test::insideOwnNetworkNamespace()) {                                                                          \
        GTEST_SKIP() << "runs only inside its own network namespace";                                                  \
    }

// Opens `listener` on its default binding (every address, port 8800), recording each datagram.
void listenOnDefaultPort(TIdUDPServer& listener, std::vector<test::Datagram>& received) {
    listener.OnUDPRead = [&received](TIdUDPServer&, TByteStream& data, TIdSocketHandle& binding) {
        received.push_back({data.readString(), binding.SenderAddress, binding.SenderPort});
    };
    listener.setActive(true);
}

TEST(InOwnNetworkNamespace, DISABLED_TheDefaultListenerTakesPort8800OnEveryAddressOnce) {
    REQUIRE_OWN_NAMESPACE();
    TIdUDPServer listener(test::mainThread());
    std::vector<test::Datagram> received;
    listenOnDefaultPort(listener, received);
    ASSERT_EQ(listener.Bindings.size(), 1u);
    EXPECT_EQ(listener.Bindings[0]->IP, "0.0.0.0");
    EXPECT_EQ(listener.Bindings[0]->Port, 8800);

    TIdUDPServer second(test::mainThread());
    try {
        second.setActive(true);
        FAIL() << "a second listener bound port 8800";
    } catch (const EIdCouldNotBindSocket& e) {
        EXPECT_EQ(e.message(), "Could not bind socket. Address and port are already in use.");
    }

    TIdUDPClient client;
    EXPECT_EQ(client.Port, 8800);
    client.Host = "127.0.0.1";
    client.Send("abc");
    ASSERT_TRUE(test::serveUntil([&] { return received.size() == 1; }));
    EXPECT_EQ(received[0].bytes, "abc");
    EXPECT_EQ(received[0].senderAddress, "127.0.0.1");
    EXPECT_NE(received[0].senderPort, 8800) << "datagrams leave from a port the system chooses";
    EXPECT_EQ(received[0].senderPort, test::localPort(client));
}

TEST(InOwnNetworkNamespace, DISABLED_ShortAddressFormsReachTheAddressesTheyDenote) {
    REQUIRE_OWN_NAMESPACE();
    TIdUDPServer listener(test::mainThread());
    std::vector<test::Datagram> received;
    listenOnDefaultPort(listener, received);
    struct Case {
        const char* host;
        const char* address;
    };
    // The sender's address is the local address the datagram went to.
    const Case cases[] = {{"10.1", "10.0.0.1"},
                          {"192.168.1", "192.168.0.1"},
                          {"0x7f.1", "127.0.0.1"},
                          {"LocalHost", "127.0.0.1"},
                          {"", "127.0.0.1"}};
    TIdUDPClient client;
    for (const Case& c : cases) {
        received.clear();
        client.Host = c.host;
        client.Send(c.host);
        ASSERT_TRUE(test::serveUntil([&] { return received.size() == 1; })) << c.host;
        EXPECT_EQ(received[0].bytes, c.host);
        EXPECT_EQ(received[0].senderAddress, c.address) << "Host \"" << c.host << '"';
    }
}

TEST(InOwnNetworkNamespace, DISABLED_NoAddressFormIsLookedUpAndNotSent) {
    REQUIRE_OWN_NAMESPACE();
    // A lookup may ask the name server, so it runs only here, where no query can leave.
    test::RecordingListener listener;
    TIdUDPClient client;
    client.Port = listener.port();
    for (const char* host : {"1.2.3.256", "1.2.3.4.5", "lirbo-no-such-host.invalid"}) {
        client.Host = host;
        try {
            client.Send("lost");
            FAIL() << host << " was sent somewhere";
        } catch (const EIdSocketError& e) {
            // Host not found, or the lookup's own failure: the namespace has no name server.
            EXPECT_GE(e.lastError(), 11001) << e.message();
            EXPECT_LE(e.lastError(), 11004) << e.message();
        }
    }
    // The sender stays usable.
    client.Host = "127.0.0.1";
    client.Send("after");
    ASSERT_TRUE(listener.waitFor(1));
    EXPECT_EQ(listener.received[0].bytes, "after");
}

TEST(InOwnNetworkNamespace, DISABLED_TheLimitedBroadcastIsRefusedWithAccessDenied) {
    REQUIRE_OWN_NAMESPACE();
    TIdUDPClient client;
    client.Host = "255.255.255.255";
    try {
        client.Send("x");
        FAIL() << "a broadcast went out with broadcasting disabled";
    } catch (const EIdSocketError& e) {
        EXPECT_EQ(e.lastError(), 10013);
        EXPECT_EQ(e.message(), "Socket Error # 10013\r\nAccess denied.");
    }
}

} // namespace
} // namespace lirbo::net
