#include "net/HandOver.h"

#include "NetTestSupport.h"
#include "core/Exception.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace lirbo::net {
namespace {

class HandOver : public ::testing::Test {
protected:
    void TearDown() override { THandOver::instance().setWakeCallback({}); }
    THandOver& handOver = THandOver::instance();
};

TEST_F(HandOver, RunsTheCallOnTheServingThreadWhileTheCallerWaits) {
    std::thread::id ranOn;
    bool ran = false;
    bool sawRunAfterReturn = false;
    std::thread caller([&] {
        handOver.runOnMainThread([&] {
            ranOn = std::this_thread::get_id();
            ran = true;
        });
        sawRunAfterReturn = ran;
    });
    EXPECT_TRUE(test::serveUntil([&] { return ran; }));
    caller.join();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_TRUE(sawRunAfterReturn);
}

TEST_F(HandOver, CarriesTheCallsErrorBackToTheCaller) {
    std::atomic<bool> ran{false};
    std::string caught;
    std::thread caller([&] {
        try {
            handOver.runOnMainThread([&] {
                ran = true;
                throw core::EWriteError("Stream write error");
            });
        } catch (const core::EWriteError& e) {
            caught = e.message();
        }
    });
    EXPECT_TRUE(test::serveUntil([&] { return ran.load(); }));
    caller.join();
    EXPECT_EQ(caught, "Stream write error");
}

TEST_F(HandOver, WakesTheMainThreadThroughTheCallbackForEveryCall) {
    std::atomic<int> wakes{0};
    handOver.setWakeCallback([&] { ++wakes; });
    constexpr int kThreads = 4;
    constexpr int kCalls = 250;
    int counter = 0; // touched by the main thread only, through the hand-over
    std::vector<std::thread> callers;
    for (int t = 0; t < kThreads; ++t) {
        callers.emplace_back([&] {
            for (int i = 0; i < kCalls; ++i) {
                handOver.runOnMainThread([&] { ++counter; });
            }
        });
    }
    EXPECT_TRUE(test::serveUntil([&] { return counter == kThreads * kCalls; }));
    for (auto& caller : callers) {
        caller.join();
    }
    EXPECT_EQ(wakes, kThreads * kCalls);
    EXPECT_EQ(handOver.runPending(), 0);
}

TEST_F(HandOver, RunsQueuedCallsFirstToLast) {
    std::vector<int> order;
    std::vector<std::thread> callers;
    for (int i = 0; i < 3; ++i) {
        callers.emplace_back([&, i] { handOver.runOnMainThread([&, i] { order.push_back(i); }); });
        // Queue them one after the other before serving anything.
        while (handOver.pendingCount() != static_cast<std::size_t>(i + 1)) {
            std::this_thread::yield();
        }
    }
    EXPECT_EQ(handOver.runPending(), 3);
    for (auto& caller : callers) {
        caller.join();
    }
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
}

TEST_F(HandOver, ServeUntilReturnsAsSoonAsItIsWokenWithItsConditionMet) {
    std::atomic<bool> finished{false};
    std::thread finisher([&] {
        finished = true;
        handOver.wakeServing();
    });
    handOver.serveUntil([&] { return finished.load(); });
    finisher.join();
    EXPECT_TRUE(finished);
}

} // namespace
} // namespace lirbo::net
