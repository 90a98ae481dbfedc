#include "app/ConnectionCheck.h"

#include "app/ConnectionReport.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using lirbo::app::ConnectionCheck;
using lirbo::app::ConnectionVerdict;
using V = ConnectionVerdict;

namespace {

struct FakeClock {
    ConnectionCheck::TimePoint now{};
    void at(int seconds) { now = ConnectionCheck::TimePoint{} + std::chrono::seconds(seconds); }
};

// One thing that happened, `at` seconds after the start: a send to an entry ('s', error 0 = out),
// a lookup ('l'), a route probe ('r'), or a datagram heard from an address ('h').
struct Event {
    int at;
    char kind;
    std::string who; // the entry, or for 'h' the sender's address
    std::string nick = "Ann";
    int error = 0;
};

const std::vector<std::string> kEntries = {"10.0.0.7", "10.0.0.8", "host.lan"};

void replay(ConnectionCheck& check, FakeClock& clock, const std::vector<Event>& events) {
    for (const Event& e : events) {
        clock.at(e.at);
        switch (e.kind) {
        case 's':
            check.sent(e.who, e.who == "host.lan" ? "10.0.0.9" : e.who, e.error, "err");
            break;
        case 'l':
            check.lookedUp(e.who, e.error, "err", "10.0.0.9");
            break;
        case 'r':
            check.routeProbed(e.who, e.error);
            break;
        default:
            check.heard(e.who, e.nick);
        }
    }
}

TEST(ConnectionCheckTest, JudgesEachHistory) {
    struct Case {
        const char* name;
        std::vector<Event> events;
        int judgedAt;
        std::string entry;
        ConnectionVerdict verdict;
    };
    const std::vector<Case> cases = {
        {"nothing heard", {}, 0, "10.0.0.7", V::NotYetWritten},
        {"heard 10 minutes ago", {{0, 'h', "10.0.0.7"}}, 600, "10.0.0.7", V::Answers},
        {"heard longer ago", {{0, 'h', "10.0.0.7"}}, 601, "10.0.0.7", V::Quiet},
        {"only right after sends",
         {{0, 's', "10.0.0.7"}, {10, 'h', "10.0.0.7"}, {20, 'h', "10.0.0.7"}, {60, 'h', "10.0.0.7"}},
         61,
         "10.0.0.7",
         V::FirewallSuspected},
        {"after separate sends",
         {{0, 's', "10.0.0.7"},
          {59, 'h', "10.0.0.7"},
          {300, 's', "10.0.0.7"},
          {301, 'h', "10.0.0.7"},
          {900, 's', "10.0.0.7"},
          {950, 'h', "10.0.0.7"}},
         5000,
         "10.0.0.7",
         V::FirewallSuspected},
        {"two only", {{0, 's', "10.0.0.7"}, {10, 'h', "10.0.0.7"}, {20, 'h', "10.0.0.7"}}, 21, "10.0.0.7", V::Answers},
        {"one a second late",
         {{0, 's', "10.0.0.7"}, {10, 'h', "10.0.0.7"}, {20, 'h', "10.0.0.7"}, {61, 'h', "10.0.0.7"}},
         62,
         "10.0.0.7",
         V::Answers},
        {"one before any send",
         {{0, 'h', "10.0.0.7"},
          {5, 's', "10.0.0.7"},
          {10, 'h', "10.0.0.7"},
          {20, 'h', "10.0.0.7"},
          {30, 'h', "10.0.0.7"}},
         31,
         "10.0.0.7",
         V::Answers},
        {"a failed send opens no window",
         {{0, 's', "10.0.0.7", "", 10013}, {10, 'h', "10.0.0.7"}, {20, 'h', "10.0.0.7"}, {30, 'h', "10.0.0.7"}},
         31,
         "10.0.0.7",
         V::Answers},
        {"sends to another entry",
         {{0, 's', "10.0.0.8"}, {1, 'h', "10.0.0.7"}, {2, 'h', "10.0.0.7"}, {3, 'h', "10.0.0.7"}},
         4,
         "10.0.0.7",
         V::Answers},
        {"unreachable send", {{0, 'h', "10.0.0.7"}, {1, 's', "10.0.0.7", "", 10065}}, 2, "10.0.0.7", V::NoRoute},
        {"a send after it went out",
         {{0, 's', "10.0.0.7", "", 10051}, {1, 's', "10.0.0.7"}},
         2,
         "10.0.0.7",
         V::NotYetWritten},
        {"other send errors are no route", {{0, 's', "10.0.0.7", "", 10013}}, 1, "10.0.0.7", V::NotYetWritten},
        {"route probe", {{0, 'r', "10.0.0.7", "", 10051}}, 1, "10.0.0.7", V::NoRoute},
        {"name not found", {{0, 'l', "host.lan", "", 11001}}, 1, "host.lan", V::NotFound},
        {"not found comes first",
         {{0, 'l', "host.lan"}, {1, 'h', "10.0.0.9"}, {2, 'l', "host.lan", "", 11001}},
         3,
         "host.lan",
         V::NotFound},
        {"a name heard at its address", {{0, 'l', "host.lan"}, {1, 'h', "10.0.0.9"}}, 2, "host.lan", V::Answers},
        {"a name heard before it was known",
         {{0, 'h', "10.0.0.9"}, {1, 'l', "host.lan"}},
         2,
         "host.lan",
         V::NotYetWritten},
        {"its nick from an unlisted address",
         {{0, 'h', "10.0.0.7"}, {10, 'h', "10.0.0.50"}},
         11,
         "10.0.0.7",
         V::OtherAddress},
        {"its nick from a listed address", {{0, 'h', "10.0.0.7"}, {10, 'h', "10.0.0.8"}}, 11, "10.0.0.7", V::Answers},
        {"back at its address",
         {{0, 'h', "10.0.0.7"}, {10, 'h', "10.0.0.50"}, {20, 'h', "10.0.0.7"}},
         21,
         "10.0.0.7",
         V::Answers},
        {"another nick elsewhere", {{0, 'h', "10.0.0.7"}, {10, 'h', "10.0.0.50", "Bob"}}, 11, "10.0.0.7", V::Answers},
        {"moved before the firewall pattern",
         {{0, 's', "10.0.0.7"},
          {1, 'h', "10.0.0.7"},
          {2, 'h', "10.0.0.7"},
          {3, 'h', "10.0.0.7"},
          {4, 'h', "10.0.0.50"}},
         5,
         "10.0.0.7",
         V::OtherAddress},
        {"unlisted", {}, 0, "10.0.0.99", V::Unknown},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeClock clock;
        ConnectionCheck check([&clock] { return clock.now; });
        check.setPeers(kEntries);
        replay(check, clock, c.events);
        clock.at(c.judgedAt);
        EXPECT_EQ(check.verdict(c.entry), c.verdict);
        EXPECT_EQ(check.entry(c.entry).verdict, c.verdict);
    }
}

TEST(ConnectionCheckTest, KeepsNoMoreThanTheListNeeds) {
    FakeClock clock;
    ConnectionCheck check([&clock] { return clock.now; });
    check.setPeers({"10.0.0.7", "0x0a.0.0.8"});
    check.heard("10.0.0.7", "Ann");
    check.heard("10.0.0.8", "Bob");
    const std::size_t listed = check.remembered();
    for (int i = 0; i < 20000; ++i) {
        check.heard("10.1." + std::to_string(i / 250) + "." + std::to_string(i % 250), "n" + std::to_string(i));
        check.heard("10.0.0.7", "n" + std::to_string(i)); // a listed host that keeps changing its nick
    }
    EXPECT_LE(check.remembered(), 3 * listed + 16);
    check.setPeers({"10.0.0.8"});
    EXPECT_EQ(check.verdict("10.0.0.7"), V::Unknown);
    EXPECT_EQ(check.entry("10.0.0.8").lastHeard->nick, "Bob");
}

// The probes and the firewall as a test wants them.
struct FakeProbe : lirbo::app::IMachineProbe {
    std::vector<lirbo::app::MachineInterface> interfaces() override {
        return {{"lo", {"127.0.0.1"}, true, true}, {"eth0", {"10.0.0.5"}, true, false}, {"wg0", {}, false, false}};
    }
    int routeFrom(const std::string& address, std::string& local) override {
        local = "10.0.0.5";
        return address == "10.0.0.8" ? 10051 : 0;
    }
};
struct FakeFirewall : lirbo::app::IFirewallStatus {
    lirbo::app::FirewallReport read() override { return {{"fw line"}, false, false}; }
};

TEST(ConnectionReportTest, WritesTheWholeWindowAsText) {
    FakeClock clock;
    ConnectionCheck check([&clock] { return clock.now; });
    check.setPeers(kEntries);
    replay(check, clock, {{0, 's', "10.0.0.7"}, {100, 'h', "10.0.0.7", "Ann <b>"}, {80, 'l', "host.lan", "", 11001}});
    clock.at(200);
    FakeProbe probe;
    FakeFirewall firewall;
    lirbo::app::ListenerState listener{true, "0.0.0.0", 8800, 7, 1, 2};
    const auto snapshot = buildConnectionSnapshot(check, kEntries, probe, listener, firewall, clock.now);
    EXPECT_EQ(check.verdict("10.0.0.8"), V::NoRoute); // the probe's answer reaches the list's mark
    const std::string expected =
        "\xCF\xF0\xEE\xE2\xE5\xF0\xEA\xE0 \xF1\xE2\xFF\xE7\xE8\n\n\xDD\xF2\xEE\xF2 \xEA\xEE\xEC\xEF\xFC\xFE\xF2\xE5"
        "\xF0\n\xD1\xE5\xF2\xE5\xE2\xFB\xE5 \xE8\xED\xF2\xE5\xF0\xF4\xE5\xE9\xF1\xFB:\n"
        "  lo: 127.0.0.1 \x97 \xF0\xE0\xE1\xEE\xF2\xE0\xE5\xF2, \xEF\xE5\xF2\xEB\xE5\xE2\xEE\xE9\n"
        "  eth0: 10.0.0.5 \x97 \xF0\xE0\xE1\xEE\xF2\xE0\xE5\xF2\n"
        "  wg0: \xED\xE5\xF2 \xE0\xE4\xF0\xE5\xF1\xE0 IPv4 \x97 \xEE\xF2\xEA\xEB\xFE\xF7\xB8\xED\n"
        "\xCF\xF0\xE8\xB8\xEC: UDP 8800 \xED\xE0 \xE2\xF1\xE5\xF5 \xE0\xE4\xF0\xE5\xF1\xE0\xF5\n"
        "\xCF\xEE\xEB\xF3\xF7\xE5\xED\xEE \xE4\xE0\xF2\xE0\xE3\xF0\xE0\xEC\xEC: 7; "
        "\xEE\xF2\xE1\xF0\xEE\xF8\xE5\xED\xEE: "
        "\xED\xE5 \xF1\xEE\xEE\xE1\xF9\xE5\xED\xE8\xFF \xF7\xE0\xF2\xE0 \x97 2, \xF1\xEB\xE8\xF8\xEA\xEE\xEC "
        "\xE4\xEB\xE8\xED\xED\xFB\xE5 \x97 1\n"
        "\n\xC1\xF0\xE0\xED\xE4\xEC\xE0\xF3\xFD\xF0\nfw line\n\n\xD1\xEE\xE1\xE5\xF1\xE5\xE4\xED\xE8\xEA\xE8\n";
    const std::string report = connectionReportText(snapshot);
    ASSERT_EQ(report.substr(0, expected.size()), expected);
    // Per entry: address, route with its interface, last send, last heard with the nick as it
    // came, verdict; a probe's error and a lookup's error in their words.
    for (const char* part :
         {"\n10.0.0.7\n  \xC0\xE4\xF0\xE5\xF1: 10.0.0.7\n  \xCE\xF2\xEF\xF0\xE0\xE2\xEA\xE0 "
          "\xF1: 10.0.0.5 (eth0)\n",
          ": 3 \xEC\xE8\xED \xED\xE0\xE7\xE0\xE4, \xEE\xF2\xEF\xF0\xE0\xE2\xEB\xE5\xED\xEE\n",
          ": 100 \xF1 \xED\xE0\xE7\xE0\xE4, Ann <b>\n", ": \xEE\xF2\xE2\xE5\xF7\xE0\xE5\xF2\n\n10.0.0.8\n",
          "\xCE\xF2\xEF\xF0\xE0\xE2\xEA\xE0 \xF1: Socket Error # 10051", "\xC0\xE4\xF0\xE5\xF1: err\n",
          ": \xED\xE5 \xED\xE0\xE9\xE4\xE5\xED\n"}) {
        EXPECT_NE(report.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(snapshot.peers.size(), 3U);
}

} // namespace
