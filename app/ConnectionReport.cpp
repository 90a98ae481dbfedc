#include "app/ConnectionReport.h"

#include "core/CodePage1251.h"
#include "core/Texts.h"
#include "net/IdExceptions.h"

#include <chrono>

namespace lirbo::app {

namespace {

using core::cp1251::fromUtf8Once;
using std::chrono::duration_cast;

// How long ago `then` was, to the second under two minutes, then to the minute and the hour.
std::string ago(ConnectionCheck::TimePoint then, ConnectionCheck::TimePoint now) {
    const auto seconds = duration_cast<std::chrono::seconds>(now - then).count();
    if (seconds < 120) {
        return std::to_string(seconds < 0 ? 0 : seconds) + fromUtf8Once<text::kReportSecondsAgo>();
    }
    if (seconds < 120 * 60) {
        return std::to_string(seconds / 60) + fromUtf8Once<text::kReportMinutesAgo>();
    }
    return std::to_string(seconds / 3600) + fromUtf8Once<text::kReportHoursAgo>();
}

std::string socketErrorText(int error) {
    return net::EIdSocketError(error).message();
}

std::string interfaceLine(const MachineInterface& item) {
    std::string line = item.name + ": ";
    if (item.addresses.empty()) {
        line += fromUtf8Once<text::kReportNoIPv4>();
    }
    for (std::size_t i = 0; i < item.addresses.size(); ++i) {
        line += (i == 0 ? "" : ", ") + item.addresses[i];
    }
    line += item.up ? fromUtf8Once<text::kReportInterfaceUp>() : fromUtf8Once<text::kReportInterfaceDown>();
    if (item.loopback) {
        line += fromUtf8Once<text::kReportInterfaceLoopback>();
    }
    return line;
}

std::string listenerLine(const ListenerState& listener) {
    if (!listener.open) {
        return fromUtf8Once<text::kReportListenerClosed>();
    }
    const std::string port = "UDP " + std::to_string(listener.port);
    if (listener.address == "0.0.0.0") {
        return fromUtf8Once<text::kReportListener>() + port + fromUtf8Once<text::kReportListenerOnAll>();
    }
    return fromUtf8Once<text::kReportListener>() + port + fromUtf8Once<text::kReportListenerOnlyOn>() +
           listener.address;
}

std::string countsLine(const ListenerState& listener) {
    return fromUtf8Once<text::kReportReceived>() + std::to_string(listener.received) +
           fromUtf8Once<text::kReportMalformed>() + std::to_string(listener.malformed) +
           fromUtf8Once<text::kReportTooLong>() + std::to_string(listener.tooLong);
}

// The interface that holds `address`, when one does.
std::string interfaceOf(const std::vector<MachineInterface>& interfaces, const std::string& address) {
    for (const auto& item : interfaces) {
        for (const auto& held : item.addresses) {
            if (held == address) {
                return item.name;
            }
        }
    }
    return {};
}

ConnectionSnapshot::PeerRow describe(const ConnectionCheck::Entry& entry, const std::string& sendsFrom,
                                     ConnectionCheck::TimePoint now) {
    ConnectionSnapshot::PeerRow row;
    row.entry = entry.entry;
    if (entry.lookupError != 0) {
        row.resolvesTo = entry.lookupMessage;
    } else {
        row.resolvesTo = entry.address ? *entry.address : fromUtf8Once<text::kReportNotYetKnown>();
    }
    row.sendsFrom = sendsFrom;
    if (!entry.lastSend) {
        row.lastSend = fromUtf8Once<text::kReportNotYet>();
    } else {
        row.lastSend = ago(entry.lastSend->time, now) + ", " +
                       (entry.lastSend->error == 0 ? fromUtf8Once<text::kReportSent>()
                                                   : fromUtf8Once<text::kReportSendError>() + entry.lastSend->message);
    }
    row.lastHeard = entry.lastHeard ? ago(entry.lastHeard->time, now) + ", " + entry.lastHeard->nick
                                    : fromUtf8Once<text::kReportNotYet>();
    row.verdict = entry.verdict;
    row.verdictText = verdictText(entry.verdict);
    if (entry.verdict == ConnectionVerdict::OtherAddress) {
        row.verdictText += ": " + entry.otherAddress;
    }
    return row;
}

} // namespace

const std::array<const char*, ConnectionSnapshot::kPeerColumns>& connectionPeerColumns() {
    static const std::array<const char*, ConnectionSnapshot::kPeerColumns> titles = {
        fromUtf8Once<text::kReportColumnEntry>().c_str(),     fromUtf8Once<text::kReportColumnAddress>().c_str(),
        fromUtf8Once<text::kReportColumnSendsFrom>().c_str(), fromUtf8Once<text::kReportColumnLastSend>().c_str(),
        fromUtf8Once<text::kReportColumnLastHeard>().c_str(), fromUtf8Once<text::kReportColumnVerdict>().c_str(),
    };
    return titles;
}

std::array<std::string, ConnectionSnapshot::kPeerColumns> connectionPeerCells(const ConnectionSnapshot::PeerRow& row) {
    return {row.entry, row.resolvesTo, row.sendsFrom, row.lastSend, row.lastHeard, row.verdictText};
}

ConnectionSnapshot buildConnectionSnapshot(ConnectionCheck& check, const std::vector<std::string>& entries,
                                           IMachineProbe& probe, const ListenerState& listener,
                                           IFirewallStatus& firewall, ConnectionCheck::TimePoint now) {
    ConnectionSnapshot snapshot;
    const std::vector<MachineInterface> interfaces = probe.interfaces();
    snapshot.machine.push_back(fromUtf8Once<text::kReportInterfaces>());
    for (const auto& item : interfaces) {
        snapshot.machine.push_back("  " + interfaceLine(item));
    }
    if (interfaces.empty()) {
        snapshot.machine.push_back(fromUtf8Once<text::kReportNoInterfaces>());
    }
    snapshot.machine.push_back(listenerLine(listener));
    snapshot.machine.push_back(countsLine(listener));
    snapshot.firewall = firewall.read();

    for (const auto& text : entries) {
        ConnectionCheck::Entry known = check.entry(text);
        std::string sendsFrom = fromUtf8Once<text::kReportAddressNotYetKnown>();
        if (known.address) {
            std::string local;
            const int error = probe.routeFrom(*known.address, local);
            check.routeProbed(text, error);
            if (error == 0) {
                const std::string name = interfaceOf(interfaces, local);
                sendsFrom = name.empty() ? local : local + " (" + name + ")";
            } else {
                sendsFrom = socketErrorText(error);
            }
            known = check.entry(text); // the probe may have changed the verdict
        }
        snapshot.peers.push_back(describe(known, sendsFrom, now));
    }
    return snapshot;
}

std::string connectionReportText(const ConnectionSnapshot& snapshot) {
    std::string text = fromUtf8Once<text::kReportHeading>();
    for (const auto& line : snapshot.machine) {
        text += line + "\n";
    }
    text += fromUtf8Once<text::kReportFirewall>();
    for (const auto& line : snapshot.firewall.lines) {
        text += line + "\n";
    }
    text += fromUtf8Once<text::kReportPeers>();
    if (snapshot.peers.empty()) {
        text += fromUtf8Once<text::kReportNoPeers>();
    }
    const auto& titles = connectionPeerColumns();
    for (const auto& row : snapshot.peers) {
        const auto cells = connectionPeerCells(row);
        text += "\n" + cells[0] + "\n";
        for (std::size_t i = 1; i < cells.size(); ++i) {
            text += std::string("  ") + titles[i] + ": " + cells[i] + "\n";
        }
    }
    return text;
}

} // namespace lirbo::app
