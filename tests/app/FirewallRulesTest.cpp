#include "app/FirewallRules.h"

#include <gtest/gtest.h>

namespace fw = lirbo::app::firewall;

namespace {

const std::string kProgram = "C:\\Program Files\\Lirbo\\lirbo.exe";

fw::Rule allowPort(std::string ports) {
    return {"r", true, true, true, fw::kUdp, std::move(ports), "", fw::kAllProfiles, false};
}

} // namespace

TEST(FirewallRulesTest, PortListsRangesAndKeywords) {
    const std::pair<const char*, bool> cases[] = {
        {"8800", true},         {"*", true},          {"", true},       {"8000-9000", true},
        {"80, 443,8800", true}, {"8801-8900", false}, {"880", false},   {"88000", false},
        {"9000-8000", false},   {"RPC", false},       {"8800x", false}, {"1-2,8799-8800", true},
    };
    for (const auto& [ports, takes] : cases) {
        EXPECT_EQ(fw::portListTakes(ports, 8800), takes) << ports;
    }
}

TEST(FirewallRulesTest, WhichRulesConcernInboundUdpToTheProgram) {
    const auto with = [](auto change) {
        fw::Rule rule = allowPort("8800");
        change(rule);
        return rule;
    };
    const std::pair<fw::Rule, bool> cases[] = {
        {allowPort("8800"), true},
        {with([](fw::Rule& r) { r.inbound = false; }), false},
        {with([](fw::Rule& r) { r.enabled = false; }), false},
        {with([](fw::Rule& r) { r.protocol = 6; }), false},
        {with([](fw::Rule& r) { r.protocol = fw::kAnyProtocol, r.localPorts = ""; }), true},
        {with([](fw::Rule& r) { r.profiles = fw::kDomain; }), false},
        {with([](fw::Rule& r) { r.forService = true; }), false},
        {with([](fw::Rule& r) { r.localPorts = "", r.application = "c:\\program files\\LIRBO\\Lirbo.EXE"; }), true},
        {with([](fw::Rule& r) { r.localPorts = "", r.application = "C:\\Other\\lirbo.exe"; }), false},
    };
    for (const auto& [rule, applies] : cases) {
        EXPECT_EQ(fw::ruleApplies(rule, kProgram, 8800, fw::kPrivate), applies)
            << rule.protocol << " " << rule.localPorts << " " << rule.application << " " << rule.profiles;
    }
}

// One connected network at a time; a blocking rule beats any allowing one, and of two networks
// the worse one counts.
TEST(FirewallRulesTest, VerdictNoticeAndButton) {
    fw::Rule block = allowPort("*");
    block.allows = false;
    block.name = "block";
    const fw::Profile on{fw::kPublic, true, false, false};
    const struct {
        fw::Snapshot snapshot;
        fw::Inbound inbound;
        bool notice;
        bool button;
    } cases[] = {
        {{false, "E_NOTIMPL", 0, {}, {}}, fw::Inbound::Unknown, false, false},
        {{true, "", fw::kPublic, {{fw::kPublic, false, false, false}}, {}}, fw::Inbound::FirewallOff, false, false},
        {{true, "", fw::kPublic, {on}, {}}, fw::Inbound::NoRule, true, true},
        {{true, "", fw::kPublic, {{fw::kPublic, true, false, true}}, {}}, fw::Inbound::Allowed, false, false},
        {{true, "", fw::kPublic, {on}, {allowPort("8800")}}, fw::Inbound::Allowed, false, false},
        {{true, "", fw::kPublic, {on}, {allowPort("8800"), block}}, fw::Inbound::Blocked, true, false},
        {{true, "", fw::kPublic, {{fw::kPublic, true, true, false}}, {allowPort("8800")}},
         fw::Inbound::AllBlocked,
         true,
         false},
        {{true, "", fw::kPrivate | fw::kPublic, {{fw::kPrivate, false, false, false}, on}, {}},
         fw::Inbound::NoRule,
         true,
         true},
        {{true, "", fw::kPrivate, {{fw::kPrivate, true, false, false}}, {}}, fw::Inbound::NoRule, true, true},
        {{true, "", fw::kPrivate, {}, {}}, fw::Inbound::Unknown, false, false},
    };
    for (const auto& c : cases) {
        const fw::Verdict verdict = fw::judge(c.snapshot, kProgram, 8800);
        EXPECT_EQ(verdict.inbound, c.inbound) << c.snapshot.activeProfiles << " " << c.snapshot.rules.size();
        EXPECT_EQ(fw::noticeDue(verdict), c.notice);
        EXPECT_EQ(fw::allowRuleHelps(verdict), c.button);
    }
}

TEST(FirewallRulesTest, ReportNamesTheNetworkAndTheRule) {
    fw::Rule rule = allowPort("8800");
    rule.name = "Lirbo (UDP 8800)";
    const fw::Snapshot snapshot{true, "", fw::kPublic, {{fw::kPublic, true, false, false}}, {rule}};
    const std::vector<std::string> lines = fw::reportLines(snapshot, fw::judge(snapshot, kProgram, 8800), 8800);
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_NE(lines[0].find("\xEE\xE1\xF9\xE5\xE4\xEE\xF1\xF2\xF3\xEF\xED\xE0\xFF"),
              std::string::npos); // общедоступная
    EXPECT_NE(lines[2].find("UDP 8800: \xF0\xE0\xE7\xF0\xE5\xF8\xE5\xED\xFB \xEF\xF0\xE0\xE2\xE8\xEB\xEE\xEC "
                            "\xABLirbo (UDP 8800)\xBB"),
              std::string::npos);
}
