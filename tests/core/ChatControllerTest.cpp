#include "core/ChatController.h"

#include "core/Exception.h"
#include "support/ChatPortFakes.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace lirbo::core {
namespace {

using test::FakeBeeper;
using test::FakeClock;
using test::FakeInput;
using test::FakePeers;
using test::FakeSender;
using test::Sent;

const std::string kLichnoDlya = " \xEB\xE8\xF7\xED\xEE \xE4\xEB\xFF ";     // " лично для "
const std::string kLichnoOt = " \xEB\xE8\xF7\xED\xEE \xEE\xF2";            // " лично от"
const std::string kDeparture = "\xCE\xD2\xCA\xCB\xDE\xD7\xC8\xCB\xD1\xDF"; // ОТКЛЮЧИЛСЯ
constexpr TColor kYellow{255, 255, 0};
constexpr TColor kBlack{0, 0, 0};

class ChatControllerTest : public ::testing::Test {
protected:
    ChatControllerTest() { peers.entries = {"10.0.0.1", "10.0.0.2", "10.0.0.1"}; }

    void expectOnlyMessage(const std::string& header, std::size_t bold, TColor colour, const std::string& body) {
        ASSERT_EQ(transcript.messages().size(), 1u);
        const TTranscriptMessage& m = transcript.messages().front();
        EXPECT_EQ(m.header, header);
        EXPECT_EQ(m.boldLength, bold);
        EXPECT_EQ(m.colour, colour);
        EXPECT_EQ(m.body, body);
    }

    FakeSender sender;
    FakePeers peers;
    FakeInput input;
    FakeClock clock;
    FakeBeeper beeper;
    TChatTranscript transcript;
    TChatController controller{{sender, peers, input, clock, beeper, transcript}, "Ann", 3};
};

TEST_F(ChatControllerTest, SendToAllSendsToEveryEntryInOrderThenEchoes) {
    input.line = "Hello; world";
    controller.sendToAll();
    const std::vector<Sent> expected{
        {"10.0.0.1", "V3Ann;Hello; world"}, {"10.0.0.2", "V3Ann;Hello; world"}, {"10.0.0.1", "V3Ann;Hello; world"}};
    EXPECT_EQ(sender.sent, expected);
    expectOnlyMessage("Ann[14:05]", 10, kYellow, "Hello; world");
    EXPECT_EQ(input.clears, 1);
    EXPECT_EQ(beeper.beeps, 0);
}

TEST_F(ChatControllerTest, EmptyInputOnlyBeepsButEmptyListStillEchoes) {
    controller.sendToAll();
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_TRUE(sender.sent.empty());
    EXPECT_TRUE(transcript.messages().empty());
    EXPECT_EQ(input.clears, 0);

    peers.entries.clear();
    input.line = " ";
    controller.sendToAll();
    expectOnlyMessage("Ann[14:05]", 10, kYellow, " ");
}

TEST_F(ChatControllerTest, SendPrivateGoesToTheSelectedEntryOnlyAndAllowsAnEmptyBody) {
    input.line = "psst";
    controller.sendPrivate(); // nothing selected
    EXPECT_TRUE(sender.sent.empty());
    EXPECT_TRUE(transcript.messages().empty());
    EXPECT_EQ(input.line, "psst");

    input.line.clear();
    peers.selected = 1;
    controller.sendPrivate();
    EXPECT_EQ(sender.sent, (std::vector<Sent>{{"10.0.0.2", "T3Ann;"}}));
    expectOnlyMessage("Ann[14:05]" + kLichnoDlya + "10.0.0.2", 10, kYellow, "");
    EXPECT_EQ(beeper.beeps, 0);
}

TEST_F(ChatControllerTest, FailingSendEndsTheOperationWithoutEchoAndKeepsTheInput) {
    struct Case {
        const char* name;
        int failAt;
        void (TChatController::*operation)();
        std::size_t delivered;
    };
    for (const Case& c :
         {Case{"all, first", 0, &TChatController::sendToAll, 0}, Case{"all, middle", 1, &TChatController::sendToAll, 1},
          Case{"all, last", 2, &TChatController::sendToAll, 2}, Case{"private", 0, &TChatController::sendPrivate, 0},
          // A failing notice skips its peer only: the peer after it is still told.
          Case{"notices", 1, &TChatController::sendDepartureNotices, 2}}) {
        SCOPED_TRACE(c.name);
        FakeSender failing;
        failing.failAtCall = c.failAt;
        TChatTranscript t;
        TChatController chat({failing, peers, input, clock, beeper, t}, "Ann", 3);
        input.line = "text";
        input.clears = 0;
        peers.selected = 0;
        EXPECT_THROW((chat.*c.operation)(), Exception);
        EXPECT_EQ(failing.sent.size(), c.delivered);
        EXPECT_TRUE(t.messages().empty());
        EXPECT_EQ(input.line, "text");
        EXPECT_EQ(input.clears, 0);
    }
}

TEST_F(ChatControllerTest, DepartureNoticesGoToEveryEntryWithoutEcho) {
    input.line = "unsent";
    controller.sendDepartureNotices();
    ASSERT_EQ(sender.sent.size(), 3u);
    for (const Sent& s : sender.sent) {
        EXPECT_EQ(s.second, "V3Ann;" + kDeparture);
    }
    EXPECT_TRUE(transcript.messages().empty());
    EXPECT_EQ(input.line, "unsent");
}

TEST_F(ChatControllerTest, ReceiveBuildsHeaderFormsAndColours) {
    struct Case {
        std::string bytes;
        std::string header;
        std::size_t bold;
        TColor colour;
        std::string body;
        bool departure = false;
    };
    const std::vector<Case> cases{
        {"V3Ann;hi", "Ann[14:05]//192.168.0.7", 10, kYellow, "hi"},
        {"T3Ann;", "Ann[14:05]" + kLichnoOt + "192.168.0.7", 10, kYellow, ""},
        {"V6;x;y", "[14:05]//192.168.0.7", 7, TColor{0, 0, 255}, "x;y"},
        {"V8Eve;m", "Eve[14:05]//192.168.0.7", 10, TColor{255, 0, 255}, "m"},
        {"V9Eve;m", "Eve[14:05]//192.168.0.7", 10, kBlack, "m"},
        {std::string("V1a\0b;c\0d", 9), "a?b[14:05]//192.168.0.7", 10, TColor{255, 0, 0}, "c?d"},
        {"V0Bob;" + kDeparture, "Bob[14:05]//192.168.0.7", 10, kBlack, kDeparture, true},
        {"T0Bob;" + kDeparture, "Bob[14:05]" + kLichnoOt + "192.168.0.7", 10, kBlack, kDeparture},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        TChatTranscript t;
        TChatController chat({sender, peers, input, clock, beeper, t}, "Me", 0);
        const auto received = chat.receive(c.bytes, "192.168.0.7");
        ASSERT_EQ(t.messages().size(), 1u);
        const TTranscriptMessage& m = t.messages().front();
        EXPECT_EQ(m.header, c.header);
        EXPECT_EQ(m.boldLength, c.bold);
        EXPECT_EQ(m.colour, c.colour);
        EXPECT_EQ(m.body, c.body);
        ASSERT_TRUE(received);
        EXPECT_EQ(received->kind == TShownMessage::Kind::DepartureNotice, c.departure);
        EXPECT_EQ(received->stamp, "14:05");
        EXPECT_EQ(TChatController::senderOf(m), std::optional<std::string>("192.168.0.7"));
    }
    EXPECT_TRUE(sender.sent.empty());
}

TEST_F(ChatControllerTest, EchoesNameNoSender) {
    // A nick that looks like a received header must not pass for one.
    controller.adoptSettings("x]//10.0.0.5", 3);
    input.line = "a";
    controller.sendToAll();
    peers.selected = 1;
    input.line = "b";
    controller.sendPrivate();
    for (const TTranscriptMessage& m : transcript.messages()) {
        EXPECT_EQ(TChatController::senderOf(m), std::nullopt) << m.header;
    }
}

TEST_F(ChatControllerTest, MalformedDatagramsChangeNothing) {
    for (const char* bytes : {"", "V", "Vx;hi", "T-1a;b"}) {
        EXPECT_FALSE(controller.receive(bytes, "10.0.0.9").has_value()) << bytes;
    }
    EXPECT_TRUE(transcript.messages().empty());
}

TEST_F(ChatControllerTest, OutOfPaletteIndexCountsAsZeroButIsKeptUntilAdopted) {
    TChatController chat({sender, peers, input, clock, beeper, transcript}, "Ann", 12);
    peers.entries = {"10.0.0.1"};
    input.line = "hi";
    chat.sendToAll();
    EXPECT_EQ(sender.sent.back().second, "V0Ann;hi");
    EXPECT_EQ(transcript.messages().back().colour, kBlack);
    EXPECT_EQ(chat.colourIndex(), 12);

    chat.adoptSettings("Bob", 6);
    input.line = "hi";
    chat.sendToAll();
    EXPECT_EQ(sender.sent.back().second, "V6Bob;hi");
    EXPECT_EQ(transcript.messages().back().header, "Bob[14:05]");
    EXPECT_EQ(transcript.messages().back().colour, (TColor{0, 0, 255}));
    EXPECT_EQ(chat.nick(), "Bob");
}

TEST_F(ChatControllerTest, ZeroByteGoesOutUnchangedButIsShownAsQuestionMark) {
    peers.entries = {"10.0.0.1"};
    input.line = std::string("a\0b", 3);
    controller.sendToAll();
    EXPECT_EQ(sender.sent.back().second, std::string("V3Ann;a\0b", 9));
    EXPECT_EQ(transcript.messages().back().body, "a?b");
}

TEST_F(ChatControllerTest, BoldRunFollowsTheStampLength) {
    clock.stamp = "9.05";
    input.line = "x";
    controller.sendToAll();
    EXPECT_EQ(transcript.messages().back().boldLength, 3u + 2 + 4);
}

} // namespace
} // namespace lirbo::core
