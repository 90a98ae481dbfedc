#include "app/FirewallRules.h"

#include "core/CodePage1251.h"
#include "core/Texts.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace lirbo::app::firewall {

namespace {

using core::cp1251::fromUtf8Once;

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

std::string profileName(int type) {
    switch (type) {
    case kDomain:
        return fromUtf8Once<text::kFirewallProfileDomain>();
    case kPrivate:
        return fromUtf8Once<text::kFirewallProfilePrivate>();
    default:
        return fromUtf8Once<text::kFirewallProfilePublic>();
    }
}

std::string quoted(const std::string& name) {
    return fromUtf8Once<text::kFirewallQuoteOpen>() + name + fromUtf8Once<text::kFirewallQuoteClose>();
}

std::string inboundText(const Snapshot& snapshot, const Verdict& verdict) {
    switch (verdict.inbound) {
    case Inbound::Unknown:
        return fromUtf8Once<text::kFirewallInboundUnknown>() + snapshot.failure;
    case Inbound::FirewallOff:
        return fromUtf8Once<text::kFirewallInboundUnlimited>();
    case Inbound::Allowed:
        return verdict.ruleName.empty()
                   ? fromUtf8Once<text::kFirewallInboundAllowedByDefault>()
                   : fromUtf8Once<text::kFirewallInboundAllowedByRule>() + quoted(verdict.ruleName);
    case Inbound::NoRule:
        return fromUtf8Once<text::kFirewallInboundNoRule>();
    case Inbound::Blocked:
        return fromUtf8Once<text::kFirewallInboundBlockedByRule>() + quoted(verdict.ruleName);
    case Inbound::AllBlocked:
        return fromUtf8Once<text::kFirewallInboundAllBlocked>();
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
    // The port comes early: a narrow window cuts the end of the line.
    return fromUtf8Once<text::kFirewallNoticeStart>() + std::to_string(port) + fromUtf8Once<text::kFirewallNoticeEnd>();
}

std::vector<std::string> reportLines(const Snapshot& snapshot, const Verdict& verdict, int port) {
    std::vector<std::string> lines;
    for (const Profile& profile : snapshot.profiles) {
        if (snapshot.activeProfiles != 0 && (snapshot.activeProfiles & profile.type) == 0) {
            continue;
        }
        std::string line =
            fromUtf8Once<text::kFirewallNetwork>() + quoted(profileName(profile.type)) +
            (profile.enabled ? fromUtf8Once<text::kFirewallWindowsOn>() : fromUtf8Once<text::kFirewallWindowsOff>());
        if (profile.enabled && profile.blocksAllInbound) {
            line += fromUtf8Once<text::kFirewallAllInboundBlocked>();
        }
        lines.push_back(line);
    }
    if (verdict.publicNetwork) {
        lines.push_back(fromUtf8Once<text::kFirewallPublicNetwork>());
    }
    lines.push_back(fromUtf8Once<text::kFirewallInboundOn>() + std::to_string(port) + ": " +
                    inboundText(snapshot, verdict));
    return lines;
}

} // namespace lirbo::app::firewall
