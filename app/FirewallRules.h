#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lirbo::app {

// The system firewall as a front-end read it (on Windows through the firewall's COM interface),
// and what it means for datagrams coming in to the chat's port. Texts are Windows-1251.
namespace firewall {

// Profile bits, as the system numbers them: a network is domain, private or public.
constexpr int kDomain = 1;
constexpr int kPrivate = 2;
constexpr int kPublic = 4;
constexpr int kAllProfiles = 0x7FFFFFFF;
constexpr int kUdp = 17;
constexpr int kAnyProtocol = 256;

struct Rule {
    std::string name;
    bool inbound = false;
    bool enabled = false;
    bool allows = false; // false: the rule blocks
    int protocol = kAnyProtocol;
    std::string localPorts;  // "8800", "8000-9000, 8800", "*"; empty: every port
    std::string application; // the program's full path; empty: every program
    int profiles = kAllProfiles;
    bool forService = false; // limited to a system service: never the chat's
};

struct Profile {
    int type = 0; // one of the profile bits
    bool enabled = false;
    bool blocksAllInbound = false; // "block all incoming", allowed programs included
    bool allowsByDefault = false;  // inbound traffic without a rule is let in
};

struct Snapshot {
    bool known = false; // false: the firewall could not be read; `failure` says why
    std::string failure;
    int activeProfiles = 0;        // profile bits of the networks connected now
    std::vector<Profile> profiles; // those of the active profiles the reader could read
    std::vector<Rule> rules;
};

// Whether a rule's local port list takes `port`: "*" or empty, a number, a range "a-b", or a
// comma-separated list of those. Keywords (RPC, Teredo...) stand for other ports.
bool portListTakes(std::string_view ports, int port);

// Whether `rule` concerns inbound UDP datagrams to `port` for `program` on a network of
// `profile`; applications compare letter case aside, as Windows paths do.
bool ruleApplies(const Rule& rule, const std::string& program, int port, int profile);

enum class Inbound {
    Unknown,     // the firewall could not be read
    FirewallOff, // off on every connected network
    Allowed,     // a rule (or the profile's default) lets the datagrams in
    NoRule,      // the firewall is on and nothing lets them in
    Blocked,     // a rule blocks them: it wins over every allowing rule
    AllBlocked,  // the profile blocks every incoming datagram
};

struct Verdict {
    Inbound inbound = Inbound::Unknown;
    bool publicNetwork = false; // a public network is connected: inbound closed unless allowed
    std::string ruleName;       // the rule that allows or blocks, when one does
};

// The worst outcome over the connected networks on which the firewall is on.
Verdict judge(const Snapshot& snapshot, const std::string& program, int port);

// The start-up notice is due: the firewall is on and nothing lets the datagrams in.
bool noticeDue(const Verdict& verdict);
// Adding an allowing rule would help: nothing blocks the port, only an allowing rule is missing.
bool allowRuleHelps(const Verdict& verdict);

// The notice bar's text and the lines of the firewall section of the connection check.
std::string noticeText(int port);
std::vector<std::string> reportLines(const Snapshot& snapshot, const Verdict& verdict, int port);

} // namespace firewall
} // namespace lirbo::app
