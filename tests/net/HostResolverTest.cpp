#include "net/HostResolver.h"

#include "FakeHostLookup.h"
#include "NetTestSupport.h"
#include "net/HandOver.h"

#include <atomic>
#include <gtest/gtest.h>
#include <memory>

namespace lirbo::net {
namespace {

using namespace std::chrono_literals;
using Fake = lirbo::test::FakeHostLookup;
using Behaviour = Fake::Behaviour;

constexpr int kTryAgain = 11002;

// A resolver over a fake lookup and a clock that moves only when told. Every name asked and
// every new result wakes the waits of test::serveUntil at once.
class HostResolverTest : public ::testing::Test {
protected:
    void TearDown() override { lookup->release(); }

    void start(Behaviour behaviour) {
        lookup = std::make_shared<Fake>(behaviour);
        lookup->setAskedCallback([] { test::mainThread().wakeServing(); });
        resolver = std::make_unique<HostResolver>(lookup, [this] { return HostResolver::TimePoint{} + offset.load(); });
        resolver->setChangeCallback([] { test::mainThread().wakeServing(); });
    }
    void advance(std::chrono::seconds by) {
        offset = offset.load() + by;
        resolver->recheck();
    }
    std::size_t asked() { return lookup->asked().size(); }
    bool waitAsked(std::size_t count) {
        return test::serveUntil([&] { return asked() >= count; });
    }
    // What a send finds now, never waiting.
    HostResolver::Result now(const std::string& name) { return resolver->resolve(name, {}); }
    HostResolver::Result waited(const std::string& name) {
        return resolver->resolve(name, std::chrono::steady_clock::now() + 20s);
    }

    std::atomic<std::chrono::steady_clock::duration> offset{};
    std::shared_ptr<Fake> lookup;
    std::unique_ptr<HostResolver> resolver;
};

TEST_F(HostResolverTest, AddressFormsAndLocalhostNeverReachTheLookup) {
    start({0, {127, 0, 0, 1}, 0ms, false});
    resolver->watch({"10.1", "LocalHost", "0x7f.1", "192.168.0.7", "peer.lan"});
    EXPECT_EQ(waited("peer.lan").address, IPv4Address(127, 0, 0, 1));
    EXPECT_EQ(lookup->asked(), std::vector<std::string>{"peer.lan"});
}

TEST_F(HostResolverTest, ANameWithoutAnAnswerFailsAtOnceWithTryAgainAndTheCloseDoesNotWait) {
    start({0, {127, 0, 0, 1}, 0ms, true});
    resolver->watch({"silent.lan"});
    ASSERT_TRUE(waitAsked(1));
    EXPECT_EQ(now("silent.lan").error, kTryAgain);
    resolver.reset(); // returns while the lookup still hangs
}

TEST_F(HostResolverTest, ALateAnswerFillsTheCacheForTheNextSend) {
    start({0, {127, 0, 0, 1}, 0ms, true});
    EXPECT_EQ(now("late.lan").error, kTryAgain); // asks for it
    lookup->set({0, {10, 0, 0, 5}, 0ms, false}); // the answer comes after the send gave up
    ASSERT_TRUE(test::serveUntil([&] { return now("late.lan").error == 0; }));
    EXPECT_EQ(now("late.lan").address, IPv4Address(10, 0, 0, 5));
    EXPECT_EQ(asked(), 1u);
}

TEST_F(HostResolverTest, FailuresAreKeptThirtySecondsAndAnswersUntilTheirRefresh) {
    struct Case {
        const char* name;
        int firstError;
        std::chrono::seconds notYetDue;
        std::chrono::seconds due;
    };
    const Case cases[] = {
        {"failure", 11001, 29s, 31s}, {"answer", 0, 269s, 271s}, // refreshed 30 s before its 5 minutes run out
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        offset = std::chrono::steady_clock::duration{};
        start({c.firstError, {10, 0, 0, 1}, 0ms, false});
        resolver->watch({"peer.lan"});
        EXPECT_EQ(waited("peer.lan").error, c.firstError);
        advance(c.notYetDue);
        EXPECT_EQ(now("peer.lan").error, c.firstError); // still the kept result
        lookup->set({0, {10, 0, 0, 2}, 0ms, false});
        advance(c.due - c.notYetDue);
        ASSERT_TRUE(waitAsked(2));
        ASSERT_TRUE(test::serveUntil([&] { return now("peer.lan").address == IPv4Address(10, 0, 0, 2); }));
        EXPECT_EQ(asked(), 2u);
        lookup->release();
    }
}

TEST_F(HostResolverTest, AWaitingSendJumpsTheQueueAndForgottenNamesAreDropped) {
    start({0, {10, 0, 0, 9}, 20ms, false});
    resolver->watch({"a.lan", "b.lan", "c.lan", "d.lan"});
    EXPECT_EQ(waited("d.lan").address, IPv4Address(10, 0, 0, 9));
    const auto first = lookup->asked();
    EXPECT_LT(std::find(first.begin(), first.end(), "d.lan") - first.begin(), 2); // at most a.lan before it
    resolver->watch({"e.lan"});
    ASSERT_TRUE(test::serveUntil([&] { return now("e.lan").error == 0; }));
    const auto all = lookup->asked();
    EXPECT_EQ(all.back(), "e.lan");
    EXPECT_LE(all.size(), first.size() + 2); // at most one lookup under way when the list changed
}

} // namespace
} // namespace lirbo::net
