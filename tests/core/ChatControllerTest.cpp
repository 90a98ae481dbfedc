#include "core/ChatController.h"

#include "core/Exception.h"
#include "support/ChatPortFakes.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace lirbo::core {
namespace {

using test::FakeClock;
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
    FakeClock clock;
    TChatTranscript transcript;
    TChatController controller{{sender, peers, clock, transcript}, "Ann", 3};
};

TEST_F(ChatControllerTest, SendToAllSendsToEveryEntryInOrderThenEchoes) {
    EXPECT_EQ(controller.sendToAll("Hello; world"), TAfterSend::ClearInput);
    const std::vector<Sent> expected{
        {"10.0.0.1", "V3Ann;Hello; world"}, {"10.0.0.2", "V3Ann;Hello; world"}, {"10.0.0.1", "V3Ann;Hello; world"}};
    EXPECT_EQ(sender.sent, expected);
    expectOnlyMessage("Ann[14:05]", 10, kYellow, "Hello; world");
}

TEST_F(ChatControllerTest, EmptyInputOnlyBeepsButEmptyListStillEchoes) {
    EXPECT_EQ(controller.sendToAll(""), TAfterSend::Beep);
    EXPECT_TRUE(sender.sent.empty());
    EXPECT_TRUE(transcript.messages().empty());

    peers.entries.clear();
    EXPECT_EQ(controller.sendToAll(" "), TAfterSend::ClearInput);
    expectOnlyMessage("Ann[14:05]", 10, kYellow, " ");
}

TEST_F(ChatControllerTest, SendPrivateGoesToTheSelectedEntryOnlyAndAllowsAnEmptyBody) {
    EXPECT_EQ(controller.sendPrivate("psst"), TAfterSend::Nothing); // nothing selected: the line stays
    EXPECT_TRUE(sender.sent.empty());
    EXPECT_TRUE(transcript.messages().empty());

    peers.selected = 1;
    EXPECT_EQ(controller.sendPrivate(""), TAfterSend::ClearInput);
    EXPECT_EQ(sender.sent, (std::vector<Sent>{{"10.0.0.2", "T3Ann;"}}));
    expectOnlyMessage("Ann[14:05]" + kLichnoDlya + "10.0.0.2", 10, kYellow, "");
}

TEST_F(ChatControllerTest, FailingSendEndsTheOperationWithoutEcho) {
    using Operation = void (*)(TChatController&);
    const Operation toAll = [](TChatController& chat) { (void)chat.sendToAll("text"); };
    const Operation toSelected = [](TChatController& chat) { (void)chat.sendPrivate("text"); };
    struct Case {
        const char* name;
        int failAt;
        Operation operation;
        std::size_t delivered;
    };
    for (const Case& c : {Case{"all, first", 0, toAll, 0}, Case{"all, middle", 1, toAll, 1},
                          Case{"all, last", 2, toAll, 2}, Case{"private", 0, toSelected, 0},
                          // A failing notice skips its peer only: the peer after it is still told.
                          Case{"notices", 1, [](TChatController& chat) { chat.sendDepartureNotices(); }, 2}}) {
        SCOPED_TRACE(c.name);
        FakeSender failing;
        failing.failAtCall = c.failAt;
        TChatTranscript t;
        TChatController chat({failing, peers, clock, t}, "Ann", 3);
        peers.selected = 0;
        EXPECT_THROW(c.operation(chat), Exception);
        EXPECT_EQ(failing.sent.size(), c.delivered);
        EXPECT_TRUE(t.messages().empty());
    }
}

TEST_F(ChatControllerTest, DepartureNoticesGoToEveryEntryWithoutEcho) {
    controller.sendDepartureNotices();
    ASSERT_EQ(sender.sent.size(), 3u);
    for (const Sent& s : sender.sent) {
        EXPECT_EQ(s.second, "V3Ann;" + kDeparture);
    }
    EXPECT_TRUE(transcript.messages().empty());
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
        TChatController chat({sender, peers, clock, t}, "Me", 0);
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
        EXPECT_EQ(TNickPalette::colour(received->colourIndex), c.colour); // what the log keeps
        EXPECT_EQ(TChatController::senderOf(m), std::optional<std::string>("192.168.0.7"));
    }
    EXPECT_TRUE(sender.sent.empty());
}

TEST_F(ChatControllerTest, EchoesNameNoSender) {
    // A nick that looks like a received header must not pass for one.
    controller.adoptSettings("x]//10.0.0.5", 3);
    (void)controller.sendToAll("a");
    peers.selected = 1;
    (void)controller.sendPrivate("b");
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
    TChatController chat({sender, peers, clock, transcript}, "Ann", 12);
    peers.entries = {"10.0.0.1"};
    (void)chat.sendToAll("hi");
    EXPECT_EQ(sender.sent.back().second, "V0Ann;hi");
    EXPECT_EQ(transcript.messages().back().colour, kBlack);
    EXPECT_EQ(chat.colourIndex(), 12);

    chat.adoptSettings("Bob", 6);
    (void)chat.sendToAll("hi");
    EXPECT_EQ(sender.sent.back().second, "V6Bob;hi");
    EXPECT_EQ(transcript.messages().back().header, "Bob[14:05]");
    EXPECT_EQ(transcript.messages().back().colour, (TColor{0, 0, 255}));
    EXPECT_EQ(chat.nick(), "Bob");
}

TEST_F(ChatControllerTest, ZeroByteGoesOutUnchangedButIsShownAsQuestionMark) {
    peers.entries = {"10.0.0.1"};
    (void)controller.sendToAll(std::string("a\0b", 3));
    EXPECT_EQ(sender.sent.back().second, std::string("V3Ann;a\0b", 9));
    EXPECT_EQ(transcript.messages().back().body, "a?b");
}

TEST_F(ChatControllerTest, BoldRunFollowsTheStampLength) {
    clock.stamp = "9.05";
    (void)controller.sendToAll("x");
    EXPECT_EQ(transcript.messages().back().boldLength, 3u + 2 + 4);
}

} // namespace
} // namespace lirbo::core
