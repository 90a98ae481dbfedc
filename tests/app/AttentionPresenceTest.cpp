#include "app/Attention.h"
#include "app/PeerFailures.h"
#include "app/Presence.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using lirbo::app::Attention;
using lirbo::app::PeerFailures;
using lirbo::app::Presence;

namespace {

const std::string kLastFrom = ", \xEF\xEE\xF1\xEB\xE5\xE4\xED\xE5\xE5 \xEE\xF2 "; // ", последнее от "
const std::string kPrivate = " (\xE5\xF1\xF2\xFC \xEB\xE8\xF7\xED\xEE\xE5)";      // " (есть личное)"
const std::string kNewOne = "\xED\xEE\xE2\xEE\xE5";                               // "новое"
const std::string kNewMany = "\xED\xEE\xE2\xFB\xF5";                              // "новых"
const std::string kLastAt =
    "\xEF\xEE\xF1\xEB\xE5\xE4\xED\xE5\xE5 \xF1\xEE\xEE\xE1\xF9\xE5\xED\xE8\xE5 \xE2 "; // "последнее сообщение в "
const std::string kNotYet = "\xE5\xF9\xB8 \xED\xE5 \xEF\xE8\xF1\xE0\xEB";              // "ещё не писал"

TEST(AttentionTest, CountsOnlyWhatArrivesWhileAwayAndNamesTheLastSender) {
    struct Shown {
        std::string nick;
        bool isPrivate;
        bool active;
    };
    struct Case {
        std::vector<Shown> shown;
        int asks;
        std::string hint;
    };
    const std::vector<Case> cases = {
        {{}, 0, "Lirbo"},
        {{{"Ann", false, true}}, 0, "Lirbo"},
        {{{"Ann", false, false}, {"Bob", false, true}, {"Eve", false, false}}, 2, "2 " + kNewMany + kLastFrom + "Eve"},
        {{{"Ann", true, false}, {"Bob", false, false}, {"Eve", false, false}},
         3,
         "3 " + kNewMany + kLastFrom + "Eve" + kPrivate},
        {{{std::string(40, 'n'), false, false}}, 1, "1 " + kNewOne + kLastFrom + std::string(40, 'n')},
        {{{std::string(41, 'n'), true, false}},
         1,
         "1 " + kNewOne + kLastFrom + std::string(39, 'n') + "\x85" + kPrivate},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hint);
        Attention attention;
        int asks = 0;
        for (const Shown& s : c.shown) {
            asks += attention.messageShown(s.nick, s.isPrivate, s.active) ? 1 : 0;
        }
        EXPECT_EQ(asks, c.asks);
        EXPECT_EQ(attention.unread(), c.asks);
        EXPECT_EQ(attention.hint(), c.hint);
        EXPECT_EQ(attention.activated(), c.asks > 0);
        EXPECT_EQ(attention.hint(), "Lirbo");
    }
}

TEST(AttentionTest, CountAgreesInRussian) {
    for (const auto& [count, word] : std::vector<std::pair<int, std::string>>{
             {1, kNewOne}, {2, kNewMany}, {5, kNewMany}, {11, kNewMany}, {21, kNewOne}, {111, kNewMany}}) {
        Attention attention;
        for (int i = 0; i < count; ++i) {
            attention.messageShown("x", false, false);
        }
        EXPECT_EQ(attention.hint(), std::to_string(count) + " " + word + kLastFrom + "x");
    }
}

TEST(PresenceTest, AddressesMatchAsTextOrAsTheIPv4AddressTheyRead) {
    struct Case {
        std::string entry;
        std::string sender;
        bool same;
    };
    const std::vector<Case> cases = {
        {"127.0.0.1", "127.0.0.1", true},  {"127.1", "127.0.0.1", true},
        {"0x7f.0.0.1", "127.0.0.1", true}, {"2130706433", "127.0.0.1", true},
        {"127.0.0.2", "127.0.0.1", false}, {"localhost", "127.0.0.1", false}, // never looked up
        {"", "127.0.0.1", false},          {"peer-pc", "peer-pc", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Presence::sameAddress(c.entry, c.sender), c.same) << '"' << c.entry << "\" vs " << c.sender;
    }
}

TEST(PresenceTest, RowShowsTheLastMessageAndGreysADepartureUntilTheNextMessage) {
    Presence presence;
    EXPECT_EQ(presence.row("127.0.0.2").hint, kNotYet);
    EXPECT_FALSE(presence.row("127.0.0.2").departed);

    // Whether the row reads differently after each message: only then is the list redrawn.
    const struct {
        const char* stamp;
        bool departure;
        bool changed;
    } messages[] = {{"09:15", false, true},
                    {"09:15", false, false},
                    {"09:41", false, true},
                    {"09:41", true, true},
                    {"09:41", true, false}};
    for (const auto& m : messages) {
        EXPECT_EQ(presence.messageFrom("127.0.0.2", m.stamp, m.departure), m.changed) << m.stamp << m.departure;
    }
    for (const char* entry : {"127.0.0.2", "127.2"}) {
        EXPECT_EQ(presence.row(entry).hint, kLastAt + "09:41") << entry;
        EXPECT_TRUE(presence.row(entry).departed) << entry;
    }
    EXPECT_EQ(presence.row("127.0.0.3").hint, kNotYet);

    EXPECT_TRUE(presence.messageFrom("127.0.0.2", "10:02", false));
    EXPECT_EQ(presence.row("127.2").hint, kLastAt + "10:02");
    EXPECT_FALSE(presence.row("127.2").departed);
}

TEST(PresenceTest, ForgedSendersAreForgottenButListedOnesKept) {
    Presence presence(2);
    presence.setPeers({"127.2", "peer-pc"});
    EXPECT_TRUE(presence.listed("127.0.0.2"));
    EXPECT_FALSE(presence.listed("127.0.0.3"));
    presence.messageFrom("127.0.0.2", "09:15", false);
    for (int i = 0; i < 50; ++i) {
        presence.messageFrom("10.0.0." + std::to_string(i), "09:16", false);
        ASSERT_LE(presence.remembered(), 4u);
    }
    EXPECT_EQ(presence.row("127.2").hint, kLastAt + "09:15");
}

} // namespace

TEST(PeerFailuresTest, TheLatestLookupOrSendDecidesAndAnAnswerClearsOnlyALookupsMark) {
    using Cause = PeerFailures::Cause;
    struct Step {
        std::function<bool(PeerFailures&)> event;
        bool redraw;
        const char* hint; // nullptr: not marked
    };
    const std::string notFound = "Socket Error # 11001\r\nHost not found.";
    const std::string denied = "Socket Error # 10013\r\nAccess denied.";
    const char* lookupHint =
        "\xE8\xEC\xFF \xED\xE5 \xED\xE0\xE9\xE4\xE5\xED\xEE: Socket Error # 11001 Host not found.; x";
    const char* sendHint = "\xED\xE5 \xEE\xF2\xEF\xF0\xE0\xE2\xEB\xE5\xED\xEE: Socket Error # 10013 Access denied.; x";
    const std::vector<Step> steps = {
        {[&](PeerFailures& f) { return f.failed("a.lan", Cause::Lookup, notFound); }, true, lookupHint},
        {[&](PeerFailures& f) { return f.failed("a.lan", Cause::Lookup, notFound); }, false, lookupHint},
        {[](PeerFailures& f) { return f.answered("a.lan"); }, true, nullptr},
        {[&](PeerFailures& f) { return f.failed("a.lan", Cause::Send, denied); }, true, sendHint},
        {[](PeerFailures& f) { return f.answered("a.lan"); }, false, sendHint},
        {[](PeerFailures& f) { return f.sent("a.lan"); }, true, nullptr},
        {[&](PeerFailures& f) {
             f.failed("a.lan", Cause::Send, denied);
             f.keepOnly({"b.lan"});
             return false;
         },
         false, nullptr},
    };
    PeerFailures failures;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(steps[i].event(failures), steps[i].redraw);
        Presence::Row row{"x", false};
        failures.mark("a.lan", row);
        EXPECT_EQ(row.failed, steps[i].hint != nullptr);
        EXPECT_EQ(row.hint, steps[i].hint ? steps[i].hint : "x");
    }
}
