#pragma once

#include "net/HostLookup.h"
#include "net/IPv4Address.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace lirbo::net {

// Looks host names up on one worker thread of its own and keeps what it learns, so that a send
// never waits on DNS for longer than its caller allows. An answer is kept 5 minutes (the system's
// lookup tells no time to live) and looked up again 30 s before it runs out; the old answer
// serves until the new result is in. A failure is kept 30 s, then looked up again. Only the
// watched names are kept and refreshed. watch, resolve and takeChanges belong to one thread, the
// owner's; the worker shares nothing else.
class HostResolver {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    // Tells the cache's time; the program's is the steady clock. Called on both threads.
    using Clock = std::function<TimePoint()>;

    static constexpr std::chrono::seconds kAnswerLife{300};
    static constexpr std::chrono::seconds kFailureLife{30};
    static constexpr std::chrono::seconds kRefreshAhead{30};

    // What is known of a name: 0 and its address, or the error of its latest lookup.
    struct Result {
        int error = 0;
        IPv4Address address;
        bool operator==(const Result& other) const { return error == other.error && address == other.address; }
    };

    explicit HostResolver(std::shared_ptr<IHostLookup> lookup, Clock clock = &std::chrono::steady_clock::now);
    // Returns at once: a lookup still in progress is left to end on its own, and its thread with it.
    ~HostResolver();
    HostResolver(const HostResolver&) = delete;
    HostResolver& operator=(const HostResolver&) = delete;

    // The names to keep resolved (a peer list's entries; addresses and "localhost" are skipped):
    // those not known yet are looked up in this order, and every other name is forgotten.
    void watch(const std::vector<std::string>& names);
    // What is known of `name`. A name without a result yet is looked up next, and its first
    // lookup waited for until `deadline` (real time) at most; still unanswered: 11002 (try again).
    Result resolve(const std::string& name, TimePoint deadline);
    // The address a send goes to for `host`: an address form unchanged, "LOCALHOST" the loopback
    // address, a name its dotted answer as resolve gives it. Throws EIdSocketError when the lookup
    // failed or has not answered by `deadline` (11002).
    std::string addressOf(const std::string& host, TimePoint deadline);
    // The names whose result changed since the last call, each with its newest result.
    std::vector<std::pair<std::string, Result>> takeChanges();
    // Runs on the worker thread after each result that changes something; must not block nor
    // call the resolver. Nothing after this returns calls the previous one.
    void setChangeCallback(std::function<void()> changed);
    // Looks at the clock again for names due for a lookup. The worker does so by itself when the
    // earliest falls due, timed on the steady clock; a test that moves its own clock calls this.
    void recheck();

private:
    struct State;
    static void work(const std::shared_ptr<State>& state);

    std::shared_ptr<State> m_state;
    std::thread m_worker;
};

} // namespace lirbo::net
