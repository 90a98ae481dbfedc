// What the connection check adds to each received datagram, with a full peer list (2,500
// entries): a datagram from a listed address, from ever new unlisted addresses (a flood of forged
// senders), and from a listed address that changes its nick every time. The raw baseline is one
// hash lookup of the sender's address, the least any per-sender bookkeeping costs.
#include "app/ConnectionCheck.h"

#include <benchmark/benchmark.h>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

using lirbo::app::ConnectionCheck;

std::vector<std::string> listedAddresses() {
    std::vector<std::string> entries;
    for (int i = 0; i < 2500; ++i) {
        entries.push_back("10.0." + std::to_string(i / 250) + "." + std::to_string(i % 250));
    }
    return entries;
}

std::vector<std::string> unlistedAddresses() {
    std::vector<std::string> addresses;
    for (int i = 0; i < 65536; ++i) {
        addresses.push_back("172.16." + std::to_string(i / 256) + "." + std::to_string(i % 256));
    }
    return addresses;
}

void baselineLookup(benchmark::State& state) {
    std::unordered_map<std::string, int> seen;
    for (const auto& address : listedAddresses()) {
        seen.emplace(address, 0);
    }
    const std::string sender = "10.0.3.7";
    for (auto _ : state) {
        benchmark::DoNotOptimize(++seen[sender]);
    }
    state.SetItemsProcessed(state.iterations());
}

void heardFromListed(benchmark::State& state) {
    ConnectionCheck check;
    check.setPeers(listedAddresses());
    for (auto _ : state) {
        check.heard("10.0.3.7", "Vasya");
    }
    state.SetItemsProcessed(state.iterations());
}

void heardFromForgedSenders(benchmark::State& state) {
    ConnectionCheck check;
    check.setPeers(listedAddresses());
    check.heard("10.0.3.7", "Vasya"); // a nick the check follows
    const std::vector<std::string> senders = unlistedAddresses();
    std::size_t i = 0;
    for (auto _ : state) {
        check.heard(senders[i++ % senders.size()], "Vasya");
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["kept"] = static_cast<double>(check.remembered());
}

void heardWithNewNicks(benchmark::State& state) {
    ConnectionCheck check;
    check.setPeers(listedAddresses());
    std::vector<std::string> nicks;
    for (int i = 0; i < 4096; ++i) {
        nicks.push_back("n" + std::to_string(i));
    }
    std::size_t i = 0;
    for (auto _ : state) {
        check.heard("10.0.3.7", nicks[i++ % nicks.size()]);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["kept"] = static_cast<double>(check.remembered());
}

} // namespace

BENCHMARK(baselineLookup);
BENCHMARK(heardFromListed);
BENCHMARK(heardFromForgedSenders);
BENCHMARK(heardWithNewNicks);

BENCHMARK_MAIN();
