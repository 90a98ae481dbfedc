#pragma once

#include "app/ConnectionCheck.h"
#include "app/IFirewallStatus.h"
#include "app/MachineProbe.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lirbo::app {

// Everything the connection check window shows, as text ready to draw (Windows-1251, plain: a
// front-end never interprets it), built in one place so that both front-ends show and copy the
// same. The window draws `machine` and `firewall` as lines and `peers` as a table.
struct ConnectionSnapshot {
    struct PeerRow {
        std::string entry;      // as typed
        std::string resolvesTo; // the address, or the lookup's error
        std::string sendsFrom;  // "192.168.1.5 (eth0)", or why it is not known
        std::string lastSend;   // "12 с назад: отправлено" or "...: <error>"
        std::string lastHeard;  // "3 мин назад, <nick>"
        std::string verdictText;
        ConnectionVerdict verdict = ConnectionVerdict::Unknown;
    };
    static constexpr std::size_t kPeerColumns = 6;

    std::vector<std::string> machine; // interfaces, the listener, the datagram counts
    FirewallReport firewall;
    std::vector<PeerRow> peers;
};

// The titles of the peer table's columns, in the order of PeerRow's texts (Windows-1251).
const std::array<const char*, ConnectionSnapshot::kPeerColumns>& connectionPeerColumns();
// A row's texts in the order of the columns.
std::array<std::string, ConnectionSnapshot::kPeerColumns> connectionPeerCells(const ConnectionSnapshot::PeerRow& row);

// What the listener holds and what it counted since the program started.
struct ListenerState {
    bool open = false;
    std::string address; // dotted; "0.0.0.0" is every address
    int port = 0;
    std::uint64_t received = 0;  // datagrams taken off the socket (the listener counts them)
    std::uint64_t tooLong = 0;   // dropped whole as longer than the receive buffer (listener)
    std::uint64_t malformed = 0; // dropped as no chat message (the session counts them)
};

// Builds the snapshot from what the check, the probe, the listener and the firewall tell; routes
// are probed only for entries whose address is known, and each probe's outcome goes back to the
// check (so the peer list's mark shows it too).
ConnectionSnapshot buildConnectionSnapshot(ConnectionCheck& check, const std::vector<std::string>& entries,
                                           IMachineProbe& probe, const ListenerState& listener,
                                           IFirewallStatus& firewall, ConnectionCheck::TimePoint now);

// The whole window as plain text (Windows-1251, lines ending in "\n"), for "Копировать отчёт".
std::string connectionReportText(const ConnectionSnapshot& snapshot);

} // namespace lirbo::app
