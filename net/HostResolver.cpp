#include "net/HostResolver.h"

#include "net/IdExceptions.h"
#include "net/SocketErrors.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace lirbo::net {

namespace {

struct Entry {
    bool answered = false; // a lookup has ended: `result` holds its outcome
    HostResolver::Result result;
    HostResolver::TimePoint due; // when an answered name is looked up again
    bool queued = false;
    bool inLookup = false;
};

} // namespace

// Shared with the worker thread, which may outlive the resolver while a lookup hangs.
struct HostResolver::State {
    std::shared_ptr<IHostLookup> lookup;
    Clock clock;
    std::mutex mutex;
    std::condition_variable workToDo;
    std::condition_variable resultIn;
    std::unordered_map<std::string, Entry> entries;
    std::deque<std::string> queue;
    std::unordered_map<std::string, Result> changes;
    std::function<void()> changed;
    bool busy = false;
    bool stopping = false;

    void enqueue(const std::string& name, Entry& entry, bool first) {
        if (entry.queued) {
            if (!first) {
                return;
            }
            queue.erase(std::find(queue.begin(), queue.end(), name));
        }
        entry.queued = true;
        if (first) {
            queue.push_front(name);
        } else {
            queue.push_back(name);
        }
    }

    // Queues the names due now; returns when the next one falls due.
    std::optional<TimePoint> queueDue() {
        const TimePoint now = clock();
        std::optional<TimePoint> next;
        for (auto& [name, entry] : entries) {
            if (!entry.answered || entry.queued || entry.inLookup) {
                continue;
            }
            if (entry.due <= now) {
                enqueue(name, entry, false);
            } else if (!next || entry.due < *next) {
                next = entry.due;
            }
        }
        return next;
    }

    void store(const std::string& name, const Result& result) {
        const auto found = entries.find(name);
        if (found == entries.end()) {
            return; // forgotten meanwhile
        }
        Entry& entry = found->second;
        entry.inLookup = false;
        const bool news = !entry.answered || !(entry.result == result);
        entry.answered = true;
        entry.result = result;
        entry.due = clock() + (result.error != 0 ? kFailureLife : kAnswerLife - kRefreshAhead);
        resultIn.notify_all();
        if (news) {
            changes[name] = result;
            if (changed) {
                changed();
            }
        }
    }
};

HostResolver::HostResolver(std::shared_ptr<IHostLookup> lookup, Clock clock) : m_state(std::make_shared<State>()) {
    m_state->lookup = std::move(lookup);
    m_state->clock = std::move(clock);
    m_worker = std::thread(&HostResolver::work, m_state);
}

HostResolver::~HostResolver() {
    bool busy = false;
    {
        const std::lock_guard<std::mutex> lock(m_state->mutex);
        m_state->stopping = true;
        m_state->changed = nullptr;
        busy = m_state->busy;
    }
    m_state->workToDo.notify_all();
    // A worker between lookups ends at once; one inside a lookup may take as long as DNS does.
    if (busy) {
        m_worker.detach();
    } else {
        m_worker.join();
    }
}

void HostResolver::work(const std::shared_ptr<State>& state) {
    State& s = *state;
    std::unique_lock<std::mutex> lock(s.mutex);
    for (;;) {
        if (s.stopping) {
            return;
        }
        const std::optional<TimePoint> next = s.queueDue();
        if (s.queue.empty()) {
            if (next) {
                s.workToDo.wait_for(lock, *next - s.clock());
            } else {
                s.workToDo.wait(lock);
            }
            continue;
        }
        const std::string name = s.queue.front();
        s.queue.pop_front();
        Entry& entry = s.entries.at(name);
        entry.queued = false;
        entry.inLookup = true;
        s.busy = true;
        lock.unlock();
        Result result;
        result.error = s.lookup->lookup(name, result.address);
        lock.lock();
        s.busy = false;
        if (!s.stopping) {
            s.store(name, result);
        }
    }
}

void HostResolver::watch(const std::vector<std::string>& names) {
    std::unordered_set<std::string> wanted;
    std::vector<const std::string*> order;
    for (const std::string& name : names) {
        if (!addressWithoutLookup(name) && wanted.insert(name).second) {
            order.push_back(&name);
        }
    }
    State& s = *m_state;
    {
        const std::lock_guard<std::mutex> lock(s.mutex);
        for (auto i = s.entries.begin(); i != s.entries.end();) {
            i = wanted.count(i->first) > 0 ? std::next(i) : s.entries.erase(i);
        }
        s.queue.erase(std::remove_if(s.queue.begin(), s.queue.end(),
                                     [&](const std::string& name) { return wanted.count(name) == 0; }),
                      s.queue.end());
        for (auto i = s.changes.begin(); i != s.changes.end();) {
            i = wanted.count(i->first) > 0 ? std::next(i) : s.changes.erase(i);
        }
        for (const std::string* name : order) {
            const auto [found, added] = s.entries.try_emplace(*name);
            if (added) {
                s.enqueue(*name, found->second, false);
            }
        }
    }
    s.workToDo.notify_all();
}

HostResolver::Result HostResolver::resolve(const std::string& name, TimePoint deadline) {
    State& s = *m_state;
    std::unique_lock<std::mutex> lock(s.mutex);
    Entry& entry = s.entries[name];
    if (!entry.answered) {
        if (!entry.inLookup) {
            s.enqueue(name, entry, true); // the one a send waits for goes first
            s.workToDo.notify_all();
        }
        // Only the owner's thread forgets names, so `entry` stays while this waits.
        s.resultIn.wait_until(lock, deadline, [&] { return entry.answered; });
    }
    return entry.answered ? entry.result : Result{wsa::TryAgain, {}};
}

std::string HostResolver::addressOf(const std::string& host, TimePoint deadline) {
    if (auto address = addressWithoutLookup(host)) {
        return *address;
    }
    const Result result = resolve(host, deadline);
    if (result.error != 0) {
        throw EIdSocketError(result.error);
    }
    return result.address.toString();
}

std::vector<std::pair<std::string, HostResolver::Result>> HostResolver::takeChanges() {
    const std::lock_guard<std::mutex> lock(m_state->mutex);
    std::vector<std::pair<std::string, Result>> taken(m_state->changes.begin(), m_state->changes.end());
    m_state->changes.clear();
    return taken;
}

void HostResolver::setChangeCallback(std::function<void()> changed) {
    const std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->changed = std::move(changed);
}

void HostResolver::recheck() {
    {
        // The worker is then either waiting or yet to read the clock.
        const std::lock_guard<std::mutex> lock(m_state->mutex);
    }
    m_state->workToDo.notify_all();
}

} // namespace lirbo::net
