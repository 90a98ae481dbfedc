#include "net/HandOver.h"

#include "NetTestSupport.h"
#include "core/Exception.h"

#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace lirbo::net {
namespace {

class HandOver : public ::testing::Test {
protected:
    // What the listener thread does with each batch: start the call, then wait until it has run.
    void runOnMainThread(const std::function<void()>& function) {
        THandOver::Call call;
        call.function = function;
        handOver.start(call);
        handOver.wait(call);
    }
    bool serveUntil(const std::function<bool()>& done) { return test::serveUntil(handOver, done); }

    THandOver handOver;
};

TEST_F(HandOver, RunsTheCallOnTheServingThreadWhileTheCallerWaits) {
    std::thread::id ranOn;
    bool ran = false;
    bool sawRunAfterReturn = false;
    std::thread caller([&] {
        runOnMainThread([&] {
            ranOn = std::this_thread::get_id();
            ran = true;
        });
        sawRunAfterReturn = ran;
    });
    EXPECT_TRUE(serveUntil([&] { return ran; }));
    caller.join();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_TRUE(sawRunAfterReturn);
}

TEST_F(HandOver, CarriesTheCallsErrorBackToTheCaller) {
    std::atomic<bool> ran{false};
    std::string caught;
    std::thread caller([&] {
        try {
            runOnMainThread([&] {
                ran = true;
                throw core::EWriteError("Stream write error");
            });
        } catch (const core::EWriteError& e) {
            caught = e.message();
        }
    });
    EXPECT_TRUE(serveUntil([&] { return ran.load(); }));
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
                runOnMainThread([&] { ++counter; });
            }
        });
    }
    EXPECT_TRUE(serveUntil([&] { return counter == kThreads * kCalls; }));
    for (auto& caller : callers) {
        caller.join();
    }
    EXPECT_EQ(wakes, kThreads * kCalls);
    EXPECT_EQ(handOver.runPending(), 0);
}

TEST_F(HandOver, RunsQueuedCallsFirstToLast) {
    std::atomic<int> wakes{0};
    handOver.setWakeCallback([&] { ++wakes; });
    std::vector<int> order;
    std::vector<std::thread> callers;
    for (int i = 0; i < 3; ++i) {
        callers.emplace_back([&, i] { runOnMainThread([&, i] { order.push_back(i); }); });
        // Queue them one after the other before serving anything.
        while (wakes != i + 1) { // queued: the caller wakes the main thread after queueing
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
