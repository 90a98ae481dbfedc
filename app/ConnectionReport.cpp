#include "app/ConnectionReport.h"

#include "net/IdExceptions.h"

#include <chrono>

namespace lirbo::app {

namespace {

using std::chrono::duration_cast;

// How long ago `then` was, to the second under two minutes, then to the minute and the hour.
std::string ago(ConnectionCheck::TimePoint then, ConnectionCheck::TimePoint now) {
    const auto seconds = duration_cast<std::chrono::seconds>(now - then).count();
    if (seconds < 120) {
        return std::to_string(seconds < 0 ? 0 : seconds) + " \xF1 \xED\xE0\xE7\xE0\xE4"; // " с назад"
    }
    if (seconds < 120 * 60) {
        return std::to_string(seconds / 60) + " \xEC\xE8\xED \xED\xE0\xE7\xE0\xE4"; // " мин назад"
    }
    return std::to_string(seconds / 3600) + " \xF7 \xED\xE0\xE7\xE0\xE4"; // " ч назад"
}

std::string socketErrorText(int error) {
    return net::EIdSocketError(error).message();
}

std::string interfaceLine(const MachineInterface& item) {
    std::string line = item.name + ": ";
    if (item.addresses.empty()) {
        line += "\xED\xE5\xF2 \xE0\xE4\xF0\xE5\xF1\xE0 IPv4"; // "нет адреса IPv4"
    }
    for (std::size_t i = 0; i < item.addresses.size(); ++i) {
        line += (i == 0 ? "" : ", ") + item.addresses[i];
    }
    line += item.up ? " \x97 \xF0\xE0\xE1\xEE\xF2\xE0\xE5\xF2"
                    : " \x97 \xEE\xF2\xEA\xEB\xFE\xF7\xB8\xED"; // " — работает" " — отключён"
    if (item.loopback) {
        line += ", \xEF\xE5\xF2\xEB\xE5\xE2\xEE\xE9"; // ", петлевой"
    }
    return line;
}

std::string listenerLine(const ListenerState& listener) {
    if (!listener.open) {
        return "\xCF\xF0\xE8\xB8\xEC: \xED\xE5 \xF0\xE0\xE1\xEE\xF2\xE0\xE5\xF2"; // "Приём: не работает"
    }
    const std::string port = "UDP " + std::to_string(listener.port);
    if (listener.address == "0.0.0.0") {
        return "\xCF\xF0\xE8\xB8\xEC: " + port +
               " \xED\xE0 \xE2\xF1\xE5\xF5 \xE0\xE4\xF0\xE5\xF1\xE0\xF5"; // "Приём: " " на всех адресах"
    }
    return "\xCF\xF0\xE8\xB8\xEC: " + port + " \xF2\xEE\xEB\xFC\xEA\xEE \xED\xE0 " +
           listener.address; // "Приём: " " только на "
}

std::string countsLine(const ListenerState& listener) {
    return "\xCF\xEE\xEB\xF3\xF7\xE5\xED\xEE \xE4\xE0\xF2\xE0\xE3\xF0\xE0\xEC\xEC: " +
           std::to_string(listener.received) +
           "; \xEE\xF2\xE1\xF0\xEE\xF8\xE5\xED\xEE: \xED\xE5 \xF1\xEE\xEE\xE1\xF9\xE5\xED\xE8\xFF \xF7\xE0\xF2\xE0 "
           "\x97 " + // "Получено датаграмм: " "; отброшено: не сообщения чата — "
           std::to_string(listener.malformed) +
           ", \xF1\xEB\xE8\xF8\xEA\xEE\xEC \xE4\xEB\xE8\xED\xED\xFB\xE5 \x97 " +
           std::to_string(listener.tooLong); // ", слишком длинные — "
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
        row.resolvesTo =
            entry.address ? *entry.address
                          : std::string("\xE5\xF9\xB8 \xED\xE5 \xE8\xE7\xE2\xE5\xF1\xF2\xE5\xED"); // "ещё не известен"
    }
    row.sendsFrom = sendsFrom;
    if (!entry.lastSend) {
        row.lastSend = "\xE5\xF9\xB8 \xED\xE5 \xE1\xFB\xEB\xEE"; // "ещё не было"
    } else {
        row.lastSend =
            ago(entry.lastSend->time, now) + ", " +
            (entry.lastSend->error == 0 ? std::string("\xEE\xF2\xEF\xF0\xE0\xE2\xEB\xE5\xED\xEE") // "отправлено"
                                        : "\xEE\xF8\xE8\xE1\xEA\xE0: " + entry.lastSend->message); // "ошибка: "
    }
    row.lastHeard = entry.lastHeard ? ago(entry.lastHeard->time, now) + ", " + entry.lastHeard->nick
                                    : std::string("\xE5\xF9\xB8 \xED\xE5 \xE1\xFB\xEB\xEE"); // "ещё не было"
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
        "\xC7\xE0\xEF\xE8\xF1\xFC",                                              // "Запись"
        "\xC0\xE4\xF0\xE5\xF1",                                                  // "Адрес"
        "\xCE\xF2\xEF\xF0\xE0\xE2\xEA\xE0 \xF1",                                 // "Отправка с"
        "\xCF\xEE\xF1\xEB\xE5\xE4\xED\xFF\xFF \xEE\xF2\xEF\xF0\xE0\xE2\xEA\xE0", // "Последняя отправка"
        "\xCF\xEE\xF1\xEB\xE5\xE4\xED\xE5\xE5 \xF1\xEE\xEE\xE1\xF9\xE5\xED\xE8\xE5", // "Последнее сообщение"
        "\xC2\xFB\xE2\xEE\xE4",                                                      // "Вывод"
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
    snapshot.machine.push_back(
        "\xD1\xE5\xF2\xE5\xE2\xFB\xE5 \xE8\xED\xF2\xE5\xF0\xF4\xE5\xE9\xF1\xFB:"); // "Сетевые интерфейсы:"
    for (const auto& item : interfaces) {
        snapshot.machine.push_back("  " + interfaceLine(item));
    }
    if (interfaces.empty()) {
        snapshot.machine.push_back("  \xF1\xE8\xF1\xF2\xE5\xEC\xE0 \xED\xE5 \xED\xE0\xE7\xE2\xE0\xEB\xE0 \xED\xE8 "
                                   "\xEE\xE4\xED\xEE\xE3\xEE"); // "  система не назвала ни одного"
    }
    snapshot.machine.push_back(listenerLine(listener));
    snapshot.machine.push_back(countsLine(listener));
    snapshot.firewall = firewall.read();

    for (const auto& text : entries) {
        ConnectionCheck::Entry known = check.entry(text);
        std::string sendsFrom =
            "\xE0\xE4\xF0\xE5\xF1 \xE5\xF9\xB8 \xED\xE5 \xE8\xE7\xE2\xE5\xF1\xF2\xE5\xED"; // "адрес ещё не известен"
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
    std::string text = "\xCF\xF0\xEE\xE2\xE5\xF0\xEA\xE0 \xF1\xE2\xFF\xE7\xE8\n\n\xDD\xF2\xEE\xF2 "
                       "\xEA\xEE\xEC\xEF\xFC\xFE\xF2\xE5\xF0\n"; // "Проверка связи\n\nЭтот компьютер\n"
    for (const auto& line : snapshot.machine) {
        text += line + "\n";
    }
    text += "\n\xC1\xF0\xE0\xED\xE4\xEC\xE0\xF3\xFD\xF0\n"; // "\nБрандмауэр\n"
    for (const auto& line : snapshot.firewall.lines) {
        text += line + "\n";
    }
    text += "\n\xD1\xEE\xE1\xE5\xF1\xE5\xE4\xED\xE8\xEA\xE8\n"; // "\nСобеседники\n"
    if (snapshot.peers.empty()) {
        text += "\xF1\xEF\xE8\xF1\xEE\xEA \xEF\xF3\xF1\xF2\n"; // "список пуст\n"
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
