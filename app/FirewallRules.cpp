#include "app/FirewallRules.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace lirbo::app::firewall {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// A whole decimal port number, or -1.
int portNumber(std::string_view text) {
    int value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0 && value <= 65535 ? value : -1;
}

bool itemTakes(std::string_view item, int port) {
    item = trimmed(item);
    if (item == "*") {
        return true;
    }
    const auto dash = item.find('-');
    if (dash == std::string_view::npos) {
        return portNumber(item) == port;
    }
    const int first = portNumber(trimmed(item.substr(0, dash)));
    const int last = portNumber(trimmed(item.substr(dash + 1)));
    return first >= 0 && last >= 0 && first <= port && port <= last;
}

// Windows paths: letter case aside for the ASCII letters here; the reader upper-cases the rest.
bool samePath(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// Worse outcomes rank higher; the verdict over several networks is the worst one.
int rank(Inbound inbound) {
    switch (inbound) {
    case Inbound::AllBlocked:
        return 4;
    case Inbound::Blocked:
        return 3;
    case Inbound::NoRule:
        return 2;
    case Inbound::Allowed:
        return 1;
    default:
        return 0;
    }
}

Verdict judgeProfile(const Snapshot& snapshot, const Profile& profile, const std::string& program, int port) {
    if (profile.blocksAllInbound) {
        return {Inbound::AllBlocked, false, {}};
    }
    const Rule* allowing = nullptr;
    for (const Rule& rule : snapshot.rules) {
        if (!ruleApplies(rule, program, port, profile.type)) {
            continue;
        }
        if (!rule.allows) {
            return {Inbound::Blocked, false, rule.name};
        }
        if (allowing == nullptr) {
            allowing = &rule;
        }
    }
    if (allowing != nullptr) {
        return {Inbound::Allowed, false, allowing->name};
    }
    return {profile.allowsByDefault ? Inbound::Allowed : Inbound::NoRule, false, {}};
}

const char* profileName(int type) {
    switch (type) {
    case kDomain:
        return "\xE4\xEE\xEC\xE5\xED\xED\xE0\xFF"; // "доменная"
    case kPrivate:
        return "\xF7\xE0\xF1\xF2\xED\xE0\xFF"; // "частная"
    default:
        return "\xEE\xE1\xF9\xE5\xE4\xEE\xF1\xF2\xF3\xEF\xED\xE0\xFF"; // "общедоступная"
    }
}

std::string quoted(const std::string& name) {
    return "\xAB" + name + "\xBB"; // «name»
}

std::string inboundText(const Snapshot& snapshot, const Verdict& verdict) {
    switch (verdict.inbound) {
    case Inbound::Unknown:
        return "\xED\xE5\xE8\xE7\xE2\xE5\xF1\xF2\xED\xEE: " + snapshot.failure; // "неизвестно: "
    case Inbound::FirewallOff:
        // "не ограничены: брандмауэр выключен"
        return "\xED\xE5 \xEE\xE3\xF0\xE0\xED\xE8\xF7\xE5\xED\xFB: "
               "\xE1\xF0\xE0\xED\xE4\xEC\xE0\xF3\xFD\xF0 \xE2\xFB\xEA\xEB\xFE\xF7\xE5\xED";
    case Inbound::Allowed:
        return verdict.ruleName.empty()
                   ? "\xF0\xE0\xE7\xF0\xE5\xF8\xE5\xED\xFB \xEF\xEE \xF3\xEC\xEE\xEB\xF7\xE0\xED\xE8\xFE" // "разрешены
                                                                                                          // по
                                                                                                          // умолчанию"
                   : "\xF0\xE0\xE7\xF0\xE5\xF8\xE5\xED\xFB \xEF\xF0\xE0\xE2\xE8\xEB\xEE\xEC " +
                         quoted(verdict.ruleName);
    case Inbound::NoRule:
        // "не разрешены ни одним правилом"
        return "\xED\xE5 \xF0\xE0\xE7\xF0\xE5\xF8\xE5\xED\xFB \xED\xE8 \xEE\xE4\xED\xE8\xEC "
               "\xEF\xF0\xE0\xE2\xE8\xEB\xEE\xEC";
    case Inbound::Blocked:
        // "запрещены правилом «...»"
        return "\xE7\xE0\xEF\xF0\xE5\xF9\xE5\xED\xFB \xEF\xF0\xE0\xE2\xE8\xEB\xEE\xEC " + quoted(verdict.ruleName);
    case Inbound::AllBlocked:
        // "запрещены: брандмауэр закрывает все входящие"
        return "\xE7\xE0\xEF\xF0\xE5\xF9\xE5\xED\xFB: \xE1\xF0\xE0\xED\xE4\xEC\xE0\xF3\xFD\xF0 "
               "\xE7\xE0\xEA\xF0\xFB\xE2\xE0\xE5\xF2 \xE2\xF1\xE5 \xE2\xF5\xEE\xE4\xFF\xF9\xE8\xE5";
    }
    return {};
}

} // namespace

bool portListTakes(std::string_view ports, int port) {
    if (trimmed(ports).empty()) {
        return true;
    }
    while (true) {
        const auto comma = ports.find(',');
        if (itemTakes(ports.substr(0, comma), port)) {
            return true;
        }
        if (comma == std::string_view::npos) {
            return false;
        }
        ports.remove_prefix(comma + 1);
    }
}

bool ruleApplies(const Rule& rule, const std::string& program, int port, int profile) {
    if (!rule.inbound || !rule.enabled || rule.forService || (rule.profiles & profile) == 0) {
        return false;
    }
    if (rule.protocol != kUdp && rule.protocol != kAnyProtocol) {
        return false;
    }
    return portListTakes(rule.localPorts, port) && (rule.application.empty() || samePath(rule.application, program));
}

Verdict judge(const Snapshot& snapshot, const std::string& program, int port) {
    Verdict worst{snapshot.known ? Inbound::FirewallOff : Inbound::Unknown, false, {}};
    if (!snapshot.known) {
        return worst;
    }
    bool anyRead = false;
    for (const Profile& profile : snapshot.profiles) {
        if (snapshot.activeProfiles != 0 && (snapshot.activeProfiles & profile.type) == 0) {
            continue;
        }
        anyRead = true;
        if (!profile.enabled) {
            continue;
        }
        const Verdict here = judgeProfile(snapshot, profile, program, port);
        if (rank(here.inbound) > rank(worst.inbound)) {
            worst = here;
        }
    }
    if (!anyRead) {
        worst.inbound = Inbound::Unknown;
    }
    worst.publicNetwork = (snapshot.activeProfiles & kPublic) != 0;
    return worst;
}

bool noticeDue(const Verdict& verdict) {
    return rank(verdict.inbound) >= rank(Inbound::NoRule);
}

bool allowRuleHelps(const Verdict& verdict) {
    return verdict.inbound == Inbound::NoRule;
}

std::string noticeText(int port) {
    // "Брандмауэр не пропускает входящие на UDP 8800: сообщения могут не доходить." The port
    // comes early: a narrow window cuts the end of the line.
    return "\xC1\xF0\xE0\xED\xE4\xEC\xE0\xF3\xFD\xF0 \xED\xE5 \xEF\xF0\xEE\xEF\xF3\xF1\xEA\xE0\xE5\xF2 "
           "\xE2\xF5\xEE\xE4\xFF\xF9\xE8\xE5 \xED\xE0 UDP " +
           std::to_string(port) +
           ": \xF1\xEE\xEE\xE1\xF9\xE5\xED\xE8\xFF \xEC\xEE\xE3\xF3\xF2 \xED\xE5 \xE4\xEE\xF5\xEE\xE4\xE8\xF2\xFC.";
}

std::vector<std::string> reportLines(const Snapshot& snapshot, const Verdict& verdict, int port) {
    std::vector<std::string> lines;
    for (const Profile& profile : snapshot.profiles) {
        if (snapshot.activeProfiles != 0 && (snapshot.activeProfiles & profile.type) == 0) {
            continue;
        }
        // "Сеть «частная»: брандмауэр Windows включён", ", все входящие запрещены"
        std::string line =
            "\xD1\xE5\xF2\xFC " + quoted(profileName(profile.type)) +
            (profile.enabled ? ": \xE1\xF0\xE0\xED\xE4\xEC\xE0\xF3\xFD\xF0 Windows \xE2\xEA\xEB\xFE\xF7\xB8\xED"
                             : ": \xE1\xF0\xE0\xED\xE4\xEC\xE0\xF3\xFD\xF0 Windows \xE2\xFB\xEA\xEB\xFE\xF7\xE5\xED");
        if (profile.enabled && profile.blocksAllInbound) {
            line += ", \xE2\xF1\xE5 \xE2\xF5\xEE\xE4\xFF\xF9\xE8\xE5 \xE7\xE0\xEF\xF0\xE5\xF9\xE5\xED\xFB";
        }
        lines.push_back(line);
    }
    if (verdict.publicNetwork) {
        // "В общедоступной сети входящие без разрешающего правила закрыты."
        lines.emplace_back(
            "\xC2 \xEE\xE1\xF9\xE5\xE4\xEE\xF1\xF2\xF3\xEF\xED\xEE\xE9 \xF1\xE5\xF2\xE8 "
            "\xE2\xF5\xEE\xE4\xFF\xF9\xE8\xE5 \xE1\xE5\xE7 \xF0\xE0\xE7\xF0\xE5\xF8\xE0\xFE\xF9\xE5\xE3\xEE "
            "\xEF\xF0\xE0\xE2\xE8\xEB\xE0 \xE7\xE0\xEA\xF0\xFB\xF2\xFB.");
    }
    // "Входящие на UDP 8800: ..."
    lines.push_back("\xC2\xF5\xEE\xE4\xFF\xF9\xE8\xE5 \xED\xE0 UDP " + std::to_string(port) + ": " +
                    inboundText(snapshot, verdict));
    return lines;
}

} // namespace lirbo::app::firewall
