#include "app/ChatSession.h"

#include "FakeTransport.h"
#include "app/XdgAutostartEntry.h"
#include "core/FileSystem.h"
#include "core/IntegerText.h"
#include "net/FakeHostLookup.h"
#include "net/IdExceptions.h"
#include "support/ScratchDir.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>

using lirbo::app::ChatSession;
using lirbo::app::ConnectionVerdict;
using lirbo::app::FileChooser;
using lirbo::test::FakeHostLookup;
using lirbo::test::FakeTransport;
using namespace std::chrono_literals;
using lirbo::test::ScratchDir;

namespace {

lirbo::app::TypedText typed(std::string text, std::u32string lacking = {}) {
    return {std::move(text), std::move(lacking), {}};
}

// Answers the session's questions from queues and records what it was shown.
class FakeFrontEnd : public lirbo::app::IFrontEnd {
public:
    std::deque<std::string> addresses; // one per address editor that ends with OK
    std::deque<std::string> files;     // one per chooser that ends with a file; "" cancels
    bool settingsOk = true;
    std::string settingsNick = "Bob";
    bool confirm = true;
    lirbo::app::TypedText input;
    std::string typedNick; // what the settings dialog's field holds at OK, when not settingsNick

    std::vector<std::string> errors;
    std::vector<std::string> editorsOpenedOn;
    std::vector<std::string> choosersOffered;
    std::vector<int> preselectedColours;
    std::vector<std::string> nickRefusals;
    std::vector<std::string> opened;
    bool opens = true;
    int ends = 0;
    int beeps = 0;
    int focusReturns = 0;
    bool active = true;
    int attentionRequests = 0;
    int attentionChanges = 0;
    int presenceRedraws = 0;

    std::exception_ptr askAddressThrows; // an error from outside the program's classes
    bool askAddress(std::string& address) override {
        if (askAddressThrows) {
            std::rethrow_exception(askAddressThrows);
        }
        editorsOpenedOn.push_back(address);
        if (addresses.empty()) {
            return false;
        }
        address = addresses.front();
        addresses.pop_front();
        return true;
    }
    bool askSettings(std::string& nick, int& colourIndex, const TextCheck& checkNick) override {
        preselectedColours.push_back(colourIndex);
        if (!typedNick.empty()) {
            const std::string refusal = checkNick(typed(typedNick, U"\U0001F600"));
            if (!refusal.empty()) {
                nickRefusals.push_back(refusal);
            }
        }
        nick = settingsNick;
        return settingsOk;
    }
    std::deque<std::pair<lirbo::core::TChatOptions, bool>> optionAnswers; // one per dialog that ends with OK
    std::vector<std::pair<lirbo::core::TChatOptions, bool>> optionsOpenedOn;
    int optionRedraws = 0;
    bool askOptions(lirbo::core::TChatOptions& options, bool& historyEnabled) override {
        optionsOpenedOn.emplace_back(options, historyEnabled);
        if (optionAnswers.empty()) {
            return false;
        }
        std::tie(options, historyEnabled) = optionAnswers.front();
        optionAnswers.pop_front();
        return true;
    }
    void optionsChanged() override { ++optionRedraws; }
    std::deque<std::string> labels; // one per label dialog that ends with OK
    std::vector<std::string> labelDialogsOpenedOn;
    bool askLabel(const std::string& address, std::string& label, const TextCheck&) override {
        labelDialogsOpenedOn.push_back(address + "=" + label);
        if (labels.empty()) {
            return false;
        }
        label = labels.front();
        labels.pop_front();
        return true;
    }
    bool confirmClear() override { return confirm; }
    bool chooseFile(const FileChooser& chooser, std::string& path) override {
        choosersOffered.push_back(chooser.offeredName());
        if (files.empty()) {
            return false;
        }
        path = files.front();
        files.pop_front();
        return !path.empty();
    }
    void showAbout() override {}
    bool openFile(const std::string& path) override {
        opened.push_back(path);
        return opens;
    }
    void showError(const std::string& text) override { errors.push_back(text); }
    lirbo::app::TypedText inputText() const override { return input; }
    void setInputText(const lirbo::app::TypedText& text) override { input = text; }
    void clearAndFocusInput() override { input = {}; }
    void focusInput() override { ++focusReturns; }
    void beep() override { ++beeps; }
    void peersChanged() override {}
    void presenceChanged() override { ++presenceRedraws; }
    bool isActive() const override { return active; }
    void requestAttention() override { ++attentionRequests; }
    void attentionChanged() override { ++attentionChanges; }
    void transcriptChanged() override {}
    int hiddenChanges = 0;
    void hiddenChanged() override { ++hiddenChanges; }
    bool tray = true;
    int hides = 0;
    bool trayAvailable() const override { return tray; }
    void hideToTray() override { ++hides; }
    // Called from the resolver's thread too.
    void wake() override {
        const std::lock_guard<std::mutex> lock(m_wakeLock);
        ++m_wakes;
        m_woken.notify_all();
    }
    void endApplication() override { ++ends; }

    int wakes() {
        const std::lock_guard<std::mutex> lock(m_wakeLock);
        return m_wakes;
    }
    // Whether wake has been called `count` times in all within 20 s.
    bool wokenAtLeast(int count) {
        std::unique_lock<std::mutex> lock(m_wakeLock);
        return m_woken.wait_for(lock, std::chrono::seconds(20), [&] { return m_wakes >= count; });
    }

private:
    std::mutex m_wakeLock;
    std::condition_variable m_woken;
    int m_wakes = 0;
};

class ChatSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(scratch.path());
    }
    void TearDown() override { std::filesystem::current_path(m_previous); }

    // A session whose peers are `peers`, read from lirbo.ini as a user's saved list.
    std::unique_ptr<ChatSession> open(const std::vector<std::string>& peers,
                                      std::shared_ptr<FakeHostLookup> lookup = nullptr) {
        std::string ini = "[user]\r\nnik_color=3\r\nnik=Ann\r\nstart=0\r\n[ip]\r\n";
        for (std::size_t i = 0; i < peers.size(); ++i) {
            ini += "ip" + std::to_string(i) + "=" + peers[i] + "\r\n";
        }
        ScratchDir::write(iniPath(), ini);
        auto session = std::make_unique<ChatSession>(frontEnd, network, network, lookup);
        session->start();
        return session;
    }
    std::string iniPath() const { return scratch.file("lirbo.ini"); }
    // Hands `bytes` from 127.0.0.1 to the session as its listener does, and serves the hand-over:
    // the message shows.
    void receive(ChatSession& session, const std::string& bytes) {
        const std::size_t before = session.transcript().messages().size();
        network.arrive(bytes, "127.0.0.1");
        session.serveHandOver();
        ASSERT_EQ(session.transcript().messages().size(), before + 1);
    }
    // The notice a close or a log-off sends to `address` for Ann in colour 3.
    static FakeTransport::Datagram notice(const std::string& address) {
        return {address, "V3Ann;\xCE\xD2\xCA\xCB\xDE\xD7\xC8\xCB\xD1\xDF"}; // ОТКЛЮЧИЛСЯ
    }

    ScratchDir scratch;
    FakeFrontEnd frontEnd;
    FakeTransport network;

private:
    std::filesystem::path m_previous;
};

// A send error whose reason ends in a letter, so that the box adds the full stop.
const std::exception_ptr kSendError = std::make_exception_ptr(lirbo::net::EIdSocketError(10066));

TEST_F(ChatSessionTest, CloseWithFailingNoticesShowsOneErrorWritesTheListAndEnds) {
    auto session = open({"127.0.0.1", "127.0.0.1"});
    session->peers().add("127.0.0.2");
    network.failing["127.0.0.1"] = kSendError;
    session->requestClose();
    EXPECT_EQ(network.sent, std::vector<FakeTransport::Datagram>{notice("127.0.0.2")}); // the failures skipped
    ASSERT_EQ(frontEnd.errors.size(), 1u);
    EXPECT_EQ(frontEnd.errors[0], "Socket Error # 10066\r\nDirectory not empty.");
    EXPECT_EQ(frontEnd.ends, 1);
    EXPECT_TRUE(session->ended());
    EXPECT_NE(ScratchDir::read(iniPath()).find("ip2=127.0.0.2"), std::string::npos);
    session->requestClose(); // a second request after the end does nothing
    EXPECT_EQ(frontEnd.errors.size(), 1u);
}

TEST_F(ChatSessionTest, CloseWithARefusedWriteShowsItAndStillEnds) {
    auto session = open({"127.0.0.1"});
    ScratchDir::makeReadOnly(iniPath());
    const std::string before = ScratchDir::read(iniPath());
    session->requestClose();
    EXPECT_EQ(network.sent, std::vector<FakeTransport::Datagram>{notice("127.0.0.1")});
    ASSERT_EQ(frontEnd.errors.size(), 1u);
    EXPECT_EQ(frontEnd.errors[0], "Unable to write to " + iniPath() + ".");
    EXPECT_EQ(frontEnd.ends, 1);
    EXPECT_EQ(ScratchDir::read(iniPath()), before);
}

TEST_F(ChatSessionTest, LogOffSendsTheNoticesAndWritesNothing) {
    auto session = open({"127.0.0.1", "127.0.0.2"});
    session->peers().add("127.0.0.3");
    const std::string before = ScratchDir::read(iniPath());
    session->logOff();
    EXPECT_EQ(network.sent,
              (std::vector<FakeTransport::Datagram>{notice("127.0.0.1"), notice("127.0.0.2"), notice("127.0.0.3")}));
    EXPECT_TRUE(frontEnd.errors.empty());
    EXPECT_EQ(frontEnd.ends, 1);
    EXPECT_EQ(ScratchDir::read(iniPath()), before);
}

TEST_F(ChatSessionTest, RefusedSettingsWriteAdoptsNothing) {
    auto session = open({});
    ScratchDir::makeReadOnly(iniPath());
    session->setColourPicker([](int) { return 5; });
    session->openSettings();
    ASSERT_EQ(frontEnd.errors.size(), 1u);
    EXPECT_EQ(session->controller().nick(), "Ann");
    EXPECT_EQ(session->controller().colourIndex(), 3);

    std::filesystem::permissions(iniPath(), std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    session->openSettings();
    EXPECT_EQ(frontEnd.preselectedColours, (std::vector<int>{5, 5}));
    EXPECT_EQ(session->controller().nick(), "Bob");
    EXPECT_EQ(session->controller().colourIndex(), 5);
    EXPECT_NE(ScratchDir::read(iniPath()).find("nik_color=5\r\nnik=Bob\r\nstart=0\r\n"), std::string::npos);
}

TEST_F(ChatSessionTest, RefusedSettingsFileShowsOnceAndIsOnlyReplacedByASettingsOk) {
    const auto refusedStart = [&] {
        ScratchDir::write(iniPath(), "[user]\r\nnik=Ann\r\n");
        std::filesystem::resize_file(iniPath(), (16 << 20) + 1); // above the bound: refused
        frontEnd.errors.clear();
        auto session = std::make_unique<ChatSession>(frontEnd, network, network);
        session->start();
        EXPECT_EQ(frontEnd.errors.at(0).rfind("Cannot open file \"" + iniPath() + "\". ", 0), 0u);
        EXPECT_EQ(session->controller().nick(), "nik");
        EXPECT_TRUE(session->history() != nullptr && session->history()->enabled());
        session->peers().add("127.0.0.1");
        return session;
    };
    refusedStart()->requestClose();
    EXPECT_EQ(frontEnd.errors.size(), 1u); // the start's box only
    EXPECT_EQ(std::filesystem::file_size(iniPath()), (16u << 20) + 1);
    auto session = refusedStart(); // the user removes the file and saves the settings: the close writes
    std::filesystem::remove(iniPath());
    session->openSettings();
    session->requestClose();
    EXPECT_EQ(frontEnd.errors.size(), 1u);
    EXPECT_NE(ScratchDir::read(iniPath()).find("nik=Bob\r\nstart=0\r\n[ip]\r\nip0=127.0.0.1\r\n"), std::string::npos);
}

TEST_F(ChatSessionTest, ErrorsFromOutsideTheProgramShowARussianText) {
    const std::string outOfMemory = "\xCD\xE5\xE4\xEE\xF1\xF2\xE0\xF2\xEE\xF7\xED\xEE \xEF\xE0\xEC\xFF\xF2\xE8.";
    const std::string unexpected = "\xCD\xE5\xEF\xF0\xE5\xE4\xE2\xE8\xE4\xE5\xED\xED\xE0\xFF \xEE\xF8\xE8\xE1\xEA\xE0 "
                                   "\xEF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xFB.";
    const std::pair<std::exception_ptr, std::string> cases[] = {
        {std::make_exception_ptr(std::bad_alloc()), outOfMemory},
        {std::make_exception_ptr(std::bad_exception()), unexpected},
        {std::make_exception_ptr(42), unexpected}};
    auto session = open({});
    for (const auto& [thrown, shown] : cases) {
        frontEnd.errors.clear();
        frontEnd.askAddressThrows = thrown;
        session->addPeer();
        EXPECT_EQ(frontEnd.errors, std::vector<std::string>{shown});
    }
}

TEST_F(ChatSessionTest, EditOpensTheEditorOnlyOnASelectedEntry) {
    auto session = open({"10.0.0.1", "10.0.0.2"});
    session->editPeer();
    EXPECT_TRUE(frontEnd.editorsOpenedOn.empty());
    session->selectPeer(1);
    frontEnd.addresses = {"10.0.0.9"};
    session->editPeer();
    EXPECT_EQ(frontEnd.editorsOpenedOn, (std::vector<std::string>{"10.0.0.2"}));
    EXPECT_EQ(session->peers().entries(), (std::vector<std::string>{"10.0.0.1", "10.0.0.9"}));
    EXPECT_EQ(session->peers().selectedIndex(), 1);
}

TEST_F(ChatSessionTest, EveryFailingCommandShowsItsErrorOnceWithTheFullStopRule) {
    struct Case {
        const char* name;
        std::function<void(ChatSession&, FakeFrontEnd&, const ScratchDir&)> run;
        std::string error; // how the text begins, before the system's reason; empty: the send's error
    };
    const std::vector<Case> cases = {
        {"send to all",
         [](ChatSession& s, FakeFrontEnd& f, const ScratchDir&) {
             f.input = typed("hi");
             s.sendToAll();
         },
         ""},
        {"private",
         [](ChatSession& s, FakeFrontEnd& f, const ScratchDir&) {
             f.input = typed("hi");
             s.selectPeer(0);
             s.sendPrivate();
         },
         ""},
        {"load list",
         [](ChatSession& s, FakeFrontEnd& f, const ScratchDir& d) {
             f.files = {d.file("missing.txt")};
             s.loadPeerList();
         },
         "Cannot open file \"" + scratch.file("missing.txt") + "\". "},
        {"save list",
         [](ChatSession& s, FakeFrontEnd& f, const ScratchDir& d) {
             f.files = {d.file("gone/list.txt")};
             s.savePeerList();
         },
         "Cannot create file \"" + scratch.file("gone/list.txt") + "\". "},
        {"save conversation",
         [](ChatSession& s, FakeFrontEnd& f, const ScratchDir& d) {
             f.files = {d.file("gone/chat.RTF")};
             s.saveConversation();
         },
         "Cannot create file \"" + scratch.file("gone/chat.RTF") + "\". "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frontEnd.errors.clear();
        auto session = open({"127.0.0.1"});
        network.failing["127.0.0.1"] = kSendError;
        c.run(*session, frontEnd, scratch);
        ASSERT_EQ(frontEnd.errors.size(), 1u);
        const std::string& shown = frontEnd.errors[0];
        EXPECT_EQ(shown.rfind(c.error.empty() ? "Socket Error # 10066\r\n" : c.error, 0), 0u) << shown;
        EXPECT_EQ(shown.back(), '.') << shown; // the reason ends in a letter: the box adds a full stop
        EXPECT_TRUE(session->transcript().messages().empty());
        EXPECT_EQ(frontEnd.input.text, "hi"); // a failed send leaves the line as typed
    }
}

TEST_F(ChatSessionTest, ChoosersOfferTheirLastPathAndCancellingDoesNothing) {
    auto session = open({"10.0.0.1"});
    const std::string chat = scratch.file("talk.rtf");
    frontEnd.files = {"", chat};
    session->saveConversation();
    EXPECT_FALSE(ScratchDir::exists(chat));
    session->saveConversation();
    session->saveConversation();
    EXPECT_TRUE(ScratchDir::exists(chat));
    EXPECT_EQ(frontEnd.choosersOffered, (std::vector<std::string>{"chat", "chat", chat}));
    // Each chooser keeps its own memory.
    frontEnd.files = {scratch.file("peers.txt")};
    session->savePeerList();
    EXPECT_EQ(frontEnd.choosersOffered.back(), "list");
    EXPECT_EQ(session->openDialog().offeredName(), "list");
}

TEST_F(ChatSessionTest, ReceivedDatagramReachesTheTranscriptThroughTheHandOver) {
    auto session = open({});
    const int wakes = frontEnd.wakes();
    network.arrive("V2Eve;hello", "127.0.0.1");
    EXPECT_EQ(frontEnd.wakes(), wakes + 1);
    EXPECT_TRUE(session->transcript().messages().empty()) << "shown before the main thread served it";
    session->serveHandOver();
    ASSERT_EQ(session->transcript().messages().size(), 1u);
    const auto& message = session->transcript().messages().back();
    EXPECT_EQ(message.header.substr(0, 4), "Eve[");
    EXPECT_EQ(message.header.substr(message.header.size() - 11), "//127.0.0.1");
    EXPECT_EQ(message.body, "hello");
    EXPECT_EQ(session->mirror().takeBatch().appendCount, 1u);
}

// Sends and receipts reach the connection check: answers that come only right after our sends
// read as a firewall that lets nothing in on its own, and the window's row says where they went.
TEST_F(ChatSessionTest, AnswersOnlyAfterOurSendsReadAsAClosedFirewall) {
    auto session = open({"127.1"});
    frontEnd.input = typed("hi");
    session->sendToAll();
    ASSERT_EQ(network.sent.size(), 1u);
    for (int answers = 1; answers <= 3; ++answers) {
        EXPECT_NE(session->peerPresence(0).verdict, ConnectionVerdict::FirewallSuspected);
        receive(*session, "V2Eve;re");
    }
    EXPECT_EQ(session->peerPresence(0).verdict, ConnectionVerdict::FirewallSuspected);
    network.listener.tooLong = 2;
    const auto snapshot = session->connectionSnapshot();
    // The listener's lines read the transport: where it listens and what it took in.
    const std::vector<std::string>& lines = snapshot.machine;
    for (const std::string shown :
         {"\xCF\xF0\xE8\xB8\xEC: UDP 8800 \xED\xE0 \xE2\xF1\xE5\xF5 \xE0\xE4\xF0\xE5\xF1\xE0\xF5",
          "\xCF\xEE\xEB\xF3\xF7\xE5\xED\xEE \xE4\xE0\xF2\xE0\xE3\xF0\xE0\xEC\xEC: 3; "
          "\xEE\xF2\xE1\xF0\xEE\xF8\xE5\xED\xEE: \xED\xE5 \xF1\xEE\xEE\xE1\xF9\xE5\xED\xE8\xFF "
          "\xF7\xE0\xF2\xE0 \x97 0, \xF1\xEB\xE8\xF8\xEA\xEE\xEC \xE4\xEB\xE8\xED\xED\xFB\xE5 \x97 2"}) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), shown), lines.end()) << shown;
    }
    const auto row = snapshot.peers.at(0);
    EXPECT_EQ(row.entry, "127.1");
    EXPECT_EQ(row.resolvesTo, "127.0.0.1");
    EXPECT_EQ(row.sendsFrom.substr(0, 10), "127.0.0.1 ");
    EXPECT_EQ(row.lastHeard.substr(row.lastHeard.size() - 5), ", Eve");
}

TEST_F(ChatSessionTest, ReceivedMessagesDriveAttentionPresenceAndAddingTheirSender) {
    auto session = open({"127.1"});
    const auto receive = [&](const std::string& bytes) { ChatSessionTest::receive(*session, bytes); };

    frontEnd.active = false;
    receive("T2Eve;psst");
    receive("V2Eve;\xCE\xD2\xCA\xCB\xDE\xD7\xC8\xCB\xD1\xDF"); // the departure notice is not counted
    EXPECT_EQ(frontEnd.attentionRequests, 1);
    EXPECT_EQ(session->attention().unread(), 1);
    EXPECT_TRUE(session->peerPresence(0).departed);
    session->windowActivated();
    EXPECT_EQ(frontEnd.attentionChanges, 2);
    frontEnd.active = true;
    EXPECT_EQ(frontEnd.presenceRedraws, 2);
    receive("V2Eve;back");
    EXPECT_EQ(frontEnd.attentionRequests, 1);
    EXPECT_FALSE(session->peerPresence(0).departed);
    EXPECT_EQ(frontEnd.presenceRedraws, 3);

    // Listed as "127.1": nothing to add; once the entry is gone, the sender can be added, once.
    EXPECT_EQ(session->unlistedSender(0), std::nullopt);
    session->selectPeer(0);
    session->deletePeer();
    EXPECT_EQ(session->unlistedSender(0), std::optional<std::string>("127.0.0.1"));
    session->addSender("127.0.0.1");
    session->addSender("127.0.0.1");
    EXPECT_EQ(session->peers().entries(), (std::vector<std::string>{"127.0.0.1"}));
}

TEST_F(ChatSessionTest, OptionsAreAdoptedAtOnceAndWrittenAndARefusedWriteStillHolds) {
    auto session = open({});
    EXPECT_EQ(frontEnd.optionRedraws, 1);
    const lirbo::core::TChatOptions chosen{lirbo::core::TArrivalSound::Every, true, false, false, false, true};
    frontEnd.optionAnswers.emplace_back(chosen, false);
    session->showOptions();
    session->showOptions(); // cancelled: nothing changes
    ASSERT_EQ(frontEnd.optionsOpenedOn.size(), 2u);
    EXPECT_TRUE(frontEnd.optionsOpenedOn[0] == std::make_pair(lirbo::core::TChatOptions{}, true));
    EXPECT_TRUE(frontEnd.optionsOpenedOn[1] == std::make_pair(chosen, false));
    EXPECT_TRUE(session->options() == chosen && !session->history()->enabled() && frontEnd.optionRedraws == 2);
    const std::string ini = ScratchDir::read(iniPath());
    for (const char* line : {"[options]\r\nsound=2\r\ndnd=1\r\n", "autostart=1\r\n", "[history]\r\nenabled=0\r\n"}) {
        EXPECT_NE(ini.find(line), std::string::npos) << line << " in " << ini;
    }

    ScratchDir::makeReadOnly(iniPath());
    session->toggleDoNotDisturb();
    EXPECT_TRUE(!session->options().doNotDisturb && frontEnd.optionRedraws == 3);
    EXPECT_EQ(frontEnd.errors, std::vector<std::string>{"Unable to write to " + iniPath() + "."});
    EXPECT_EQ(ScratchDir::read(iniPath()), ini);
}

TEST_F(ChatSessionTest, ArrivalsSoundByOptionAndDoNotDisturbSilencesThemAndTheFlashButNotTheCount) {
    struct FakeSound : lirbo::app::ISoundPlayer {
        int played = 0;
        void playArrival() override { ++played; }
    } sound;
    auto session = open({});
    session->setSoundPlayer(&sound);
    const auto everyMessageAndMyLine = [&] {
        frontEnd.optionAnswers.emplace_back(lirbo::core::TChatOptions{lirbo::core::TArrivalSound::Every}, true);
        session->showOptions();
        frontEnd.input = typed("mine");
        session->sendToAll();
    };
    struct Step {
        std::function<void()> before;
        const char* datagram;
        int played, attentionRequests, unread;
    };
    const Step steps[] = {
        {{}, "T2Eve;psst", 1, 1, 1},
        {{}, "V2Eve;hello all", 1, 2, 2}, // private messages only by default
        {[&] { session->toggleDoNotDisturb(); }, "T2Eve;again", 1, 2, 3},
        {everyMessageAndMyLine, "V3Ann;mine", 1, 3, 4}, // the own line, back from the own address
        {{}, "V2Eve;mine", 2, 4, 5},
    };
    frontEnd.active = false;
    for (const Step& step : steps) {
        if (step.before) {
            step.before();
        }
        receive(*session, step.datagram);
        EXPECT_EQ(sound.played, step.played) << step.datagram;
        EXPECT_EQ(frontEnd.attentionRequests, step.attentionRequests) << step.datagram;
        EXPECT_EQ(session->attention().unread(), step.unread) << step.datagram;
    }
    EXPECT_TRUE(frontEnd.errors.empty());
}

TEST_F(ChatSessionTest, EveryOpeningPreselectsAColourUniformly) {
    // 1,600 openings, 200 expected per colour. The chi-square bound 40 for 7 degrees of freedom
    // fails a fair generator about once in a million runs and a generator stuck on one colour, or
    // one that never reaches an end of the list, always.
    auto session = open({});
    frontEnd.settingsOk = false;
    constexpr int kOpenings = 1600;
    for (int i = 0; i < kOpenings; ++i) {
        session->openSettings();
    }
    std::array<int, 8> counts{};
    for (int index : frontEnd.preselectedColours) {
        ASSERT_TRUE(index >= 0 && index < 8) << index;
        ++counts[static_cast<std::size_t>(index)];
    }
    const double expected = kOpenings / 8.0;
    double chiSquare = 0;
    for (int count : counts) {
        chiSquare += (count - expected) * (count - expected) / expected;
    }
    EXPECT_LT(chiSquare, 40);
}

TEST_F(ChatSessionTest, ClearAsksFirst) {
    auto session = open({});
    session->transcript().appendMessage("a[00:00]", 8, {}, "b");
    frontEnd.confirm = false;
    session->clearChat();
    EXPECT_EQ(session->transcript().messages().size(), 1u);
    frontEnd.confirm = true;
    session->clearChat();
    EXPECT_TRUE(session->transcript().messages().empty());
}

TEST_F(ChatSessionTest, LinesThatWouldNotGoOutAsShownAreRefusedAndStayInTheLine) {
    struct Case {
        const char* name;
        lirbo::app::TypedText line;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"emoji and Chinese", typed("a ? ?", U"\U0001F600\u4E2D"), "U+1F600, U+4E2D."},
        {"too long for a receiver", typed(std::string(8192 - 5, 'x')), "8192"},
    };
    for (bool isPrivate : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (isPrivate ? ", private" : ""));
            frontEnd.errors.clear();
            auto session = open({"127.0.0.1"});
            session->selectPeer(0);
            frontEnd.input = c.line;
            isPrivate ? session->sendPrivate() : session->sendToAll();
            ASSERT_EQ(frontEnd.errors.size(), 1u);
            EXPECT_NE(frontEnd.errors[0].find(c.error), std::string::npos) << frontEnd.errors[0];
            EXPECT_EQ(frontEnd.input.text, c.line.text);
            EXPECT_TRUE(session->transcript().messages().empty());
        }
    }
    // One byte less is the longest line that goes: "V3Ann;" and 8,186 bytes.
    auto session = open({"127.0.0.1"});
    frontEnd.errors.clear();
    frontEnd.input = typed(std::string(8192 - 6, 'x'));
    session->sendToAll();
    EXPECT_TRUE(frontEnd.errors.empty());
    ASSERT_EQ(network.sent.size(), 1u);
    EXPECT_EQ(network.sent[0].second.size(), 8192u);
}

TEST_F(ChatSessionTest, SettingsRefuseANickWithLackingCharacters) {
    auto session = open({});
    frontEnd.typedNick = "a?";
    session->openSettings();
    ASSERT_EQ(frontEnd.nickRefusals.size(), 1u);
    EXPECT_NE(frontEnd.nickRefusals[0].find("U+1F600."), std::string::npos);
}

TEST_F(ChatSessionTest, SentLinesComeBackAndFocusReturnsToTheInputLine) {
    auto session = open({"127.0.0.1"});
    for (const char* line : {"one", "two"}) {
        frontEnd.input = typed(line);
        session->sendToAll();
        EXPECT_EQ(frontEnd.input.text, ""); // sent: the line is emptied
    }
    frontEnd.input = typed("draft");
    session->recallOlder();
    EXPECT_EQ(frontEnd.input.text, "two");
    session->recallOlder();
    session->recallOlder();
    EXPECT_EQ(frontEnd.input.text, "one");
    session->recallNewer();
    session->recallNewer();
    EXPECT_EQ(frontEnd.input.text, "draft");

    const int before = frontEnd.focusReturns;
    session->addPeer();
    session->deletePeer();
    session->clearChat();
    session->showAbout();
    EXPECT_EQ(frontEnd.focusReturns, before + 4);
}

TEST_F(ChatSessionTest, EveryShownMessageIsInTheLogBesideTheSettingsFile) {
    auto session = open({"127.0.0.1"});
    frontEnd.input = typed("hello\tthere");
    session->sendToAll();
    session->selectPeer(0);
    frontEnd.input = typed("psst");
    session->sendPrivate();
    ASSERT_NE(session->history(), nullptr);
    const std::string log = ScratchDir::read(session->history()->todaysFile());
    EXPECT_NE(log.find("\t\t\xEE\xF2\xEF\xF0\xE0\xE2\xEB\xE5\xED\xEE\tAnn\thello\\tthere\t3\r\n"), std::string::npos)
        << log;
    EXPECT_NE(log.find("\t127.0.0.1\t\xEB\xE8\xF7\xED\xEE \xE4\xEB\xFF\tAnn\tpsst\t3\r\n"), std::string::npos) << log;
    session->openHistory();
    EXPECT_EQ(frontEnd.opened, (std::vector<std::string>{session->history()->todaysFile()}));
    EXPECT_EQ(std::filesystem::path(frontEnd.opened[0]).parent_path(), std::filesystem::path(scratch.file("history")));
    EXPECT_TRUE(frontEnd.errors.empty());
    // No program to show it: the error box names the file.
    frontEnd.opens = false;
    session->openHistory();
    ASSERT_EQ(frontEnd.errors.size(), 1u);
    EXPECT_EQ(frontEnd.errors[0],
              "\xCD\xE5 \xF3\xE4\xE0\xEB\xEE\xF1\xFC \xEE\xF2\xEA\xF0\xFB\xF2\xFC \xF4\xE0\xE9\xEB \"" +
                  session->history()->todaysFile() + "\"");
}

TEST_F(ChatSessionTest, TheLogCanBeTurnedOffInTheSettingsFile) {
    ScratchDir::write(iniPath(), "[history]\r\nenabled=0\r\n");
    ChatSession session(frontEnd, network, network);
    session.start();
    frontEnd.input = typed("hello");
    session.sendToAll();
    session.openHistory();
    EXPECT_FALSE(ScratchDir::exists(scratch.file("history")));
    ASSERT_EQ(frontEnd.errors.size(), 1u);
    EXPECT_NE(frontEnd.errors[0].find("enabled=0"), std::string::npos);
    EXPECT_TRUE(frontEnd.opened.empty());
}

TEST_F(ChatSessionTest, ANameWithoutAnAnswerFailsItsEntryAtOnceIsMarkedAndSkippedAtClose) {
    auto lookup = std::make_shared<FakeHostLookup>(FakeHostLookup::Behaviour{0, {127, 0, 0, 1}, 0ms, true});
    auto session = open({"127.0.0.1", "silent.lan", "127.0.0.3"}, lookup);
    session->setLookupWait(20ms); // the send and the close each wait it out
    frontEnd.input = typed("hi");
    session->sendToAll(); // returns although the lookup never answers
    ASSERT_EQ(frontEnd.errors, std::vector<std::string>{"Socket Error # 11002\r\n"});
    ASSERT_EQ(network.sent.size(), 1u); // the entry before it only
    EXPECT_EQ(network.sent[0].first, "127.0.0.1");
    EXPECT_TRUE(session->transcript().messages().empty());
    EXPECT_FALSE(session->peerPresence(0).failed);
    const auto row = session->peerPresence(1);
    EXPECT_TRUE(row.failed);
    // "имя не найдено: ..., ещё не писал"
    EXPECT_EQ(row.hint, "\xE8\xEC\xFF \xED\xE5 \xED\xE0\xE9\xE4\xE5\xED\xEE: Socket Error # 11002; "
                        "\xE5\xF9\xB8 \xED\xE5 \xEF\xE8\xF1\xE0\xEB");

    session->requestClose();
    EXPECT_EQ(network.sent.size(), 3u); // both other entries notified
    EXPECT_EQ(network.sent[2], notice("127.0.0.3"));
    EXPECT_EQ(frontEnd.ends, 1);
    session.reset(); // returns while the lookup still hangs
    lookup->release();
}

TEST_F(ChatSessionTest, AFailedLookupMarksItsRowBeforeAnySendAndFailsTheSendWithItsError) {
    auto lookup = std::make_shared<FakeHostLookup>(FakeHostLookup::Behaviour{11001, {}, 0ms, false});
    auto session = open({"127.0.0.1", "gone.lan"}, lookup);
    ASSERT_TRUE(frontEnd.wokenAtLeast(2)); // the session's start, then the lookup's end
    session->serveHandOver();
    EXPECT_TRUE(session->peerPresence(1).failed);
    EXPECT_EQ(frontEnd.presenceRedraws, 1);
    frontEnd.input = typed("hi");
    session->sendToAll();
    EXPECT_EQ(frontEnd.errors, std::vector<std::string>{"Socket Error # 11001\r\nHost not found."});
}

// The close button hides the window only when the option asks for it and the icon is there to
// bring it back; "Выход" always runs the close sequence. The window starts hidden likewise.
TEST_F(ChatSessionTest, CloseButtonHidesToTheTrayOnlyByOptionAndExitStillCloses) {
    struct Case {
        const char* options;
        bool tray, hides, startsHidden;
    };
    const Case cases[] = {
        {"", true, false, false},
        {"close_to_tray=1", true, true, false},
        {"close_to_tray=1", false, false, false},
        {"start_minimised=1", true, false, true},
        {"start_minimised=1\r\nclose_to_tray=1", false, false, false},
    };
    for (const Case& c : cases) {
        FakeFrontEnd shown;
        shown.tray = c.tray;
        ScratchDir::write(iniPath(), std::string("[options]\r\n") + c.options + "\r\n");
        ChatSession session(shown, network, network);
        session.start();
        EXPECT_EQ(session.startsHidden(), c.startsHidden) << c.options;
        session.closeWindow();
        EXPECT_EQ(shown.hides, c.hides ? 1 : 0) << c.options;
        EXPECT_EQ(session.ended(), !c.hides) << c.options;
        session.requestClose(); // "Выход"
        EXPECT_EQ(shown.ends, 1);
    }
}

// The entry follows the option: made at start in the start folder, removed when the options dialog
// turns it off; turning it on over another program's entry says so and leaves that entry.
TEST_F(ChatSessionTest, StartWithSessionFollowsTheOptionAtStartAndInTheDialog) {
    ScratchDir::write(iniPath(), "[options]\r\nautostart=1\r\n");
    auto entry = std::make_unique<lirbo::app::XdgAutostartEntry>("/opt/lirbo/lirbo", scratch.file("config"));
    const std::string desktop = entry->location();
    ChatSession session(frontEnd, network, network);
    session.setStartupEntry(std::move(entry));
    session.start();
    EXPECT_EQ(lirbo::app::XdgAutostartEntry::parse(ScratchDir::read(desktop)).folder,
              lirbo::core::fs::currentDirectory());

    lirbo::core::TChatOptions options;
    frontEnd.optionAnswers.emplace_back(options, true);
    session.showOptions();
    EXPECT_FALSE(ScratchDir::exists(desktop));

    const std::string users = "[Desktop Entry]\nExec=/usr/bin/other\n";
    ScratchDir::write(desktop, users);
    options.startWithSession = true;
    frontEnd.optionAnswers.emplace_back(options, true);
    session.showOptions();
    ASSERT_EQ(frontEnd.errors.size(), 1u);
    EXPECT_NE(frontEnd.errors[0].find(desktop), std::string::npos) << frontEnd.errors[0];
    EXPECT_EQ(ScratchDir::read(desktop), users);
}

TEST_F(ChatSessionTest, HoldsItsTransportAndTheHandOverOnlyWhileItLives) {
    network.openFails = std::make_exception_ptr(lirbo::core::Exception("taken"));
    EXPECT_THROW((ChatSession{frontEnd, network, network}), lirbo::core::Exception);
    EXPECT_FALSE(network.hooked());

    network.openFails = nullptr;
    auto session = open({});
    EXPECT_TRUE(network.isOpen() && network.hooked());
    frontEnd.active = false;
    network.arrive("V1Eve;late", "127.0.0.1");
    session.reset(); // what was received still runs, but reaches no view of a front-end going away
    EXPECT_FALSE(network.isOpen() || network.hooked());
    EXPECT_EQ(frontEnd.attentionRequests, 0);
}

} // namespace

// A message from a muted address, or from one outside the list while only listed ones are shown,
// is logged as "скрыто" and counted, but never shown, unread or asking for attention; the
// sender's row still tells that it wrote.
TEST_F(ChatSessionTest, HiddenMessagesAreLoggedAndCountedButNeverShownOrUnread) {
    struct Case {
        const char* name;
        bool mute;
        bool onlyListed;
        bool listed;
        bool hidden;
    };
    const Case cases[] = {
        {"shown", false, false, true, false},
        {"muted", true, false, true, true},
        {"muted, unlisted", true, false, false, true},
        {"only listed, listed", false, true, true, false},
        {"only listed, unlisted", false, true, false, true},
    };
    auto session = open({});
    frontEnd.active = false;
    for (const Case& c : cases) {
        session->muteSender("127.0.0.1", c.mute);
        session->setOnlyListed(c.onlyListed);
        session->peers().clear();
        if (c.listed) {
            session->peers().add("127.1");
        }
        const std::size_t shownBefore = session->transcript().messages().size();
        const auto hiddenBefore = session->hidden().count();
        const int unreadBefore = session->attention().unread();
        const int requestsBefore = frontEnd.attentionRequests;
        network.arrive(std::string("T2Eve;") + c.name, "127.0.0.1");
        session->serveHandOver();
        ASSERT_EQ(session->transcript().messages().size() + session->hidden().count(), shownBefore + hiddenBefore + 1)
            << c.name;
        EXPECT_EQ(session->hidden().count() - hiddenBefore, c.hidden ? 1u : 0u) << c.name;
        EXPECT_EQ(session->attention().unread() - unreadBefore, c.hidden ? 0 : 1) << c.name;
        EXPECT_EQ(frontEnd.attentionRequests - requestsBefore, c.hidden ? 0 : 1) << c.name;
        if (c.listed) {
            EXPECT_EQ(session->peerPresence(0).hint.rfind("\xEF\xEE\xF1\xEB\xE5\xE4", 0), 0u) << c.name; // послед...
            EXPECT_EQ(session->peerName(0).text, "Eve") << c.name;
        }
        const std::string log = ScratchDir::read(session->history()->todaysFile());
        const std::string kind =
            c.hidden ? "\xF1\xEA\xF0\xFB\xF2\xEE" : "\xEB\xE8\xF7\xED\xEE \xEE\xF2"; // скрыто, лично от
        EXPECT_NE(log.find("\t127.0.0.1\t" + kind + "\tEve\t" + c.name + "\t2\r\n"), std::string::npos)
            << c.name << log;
        session->windowActivated();
    }
    EXPECT_EQ(frontEnd.hiddenChanges, 3);
    EXPECT_EQ(session->hidden().lines().back().substr(5), "  127.0.0.1  Eve: only listed, unlisted");
}

// Labels, learned nicks and muted addresses are written at close beside the list, survive an
// older copy's close (which rewrites [ip] only) and come back at the next start.
TEST_F(ChatSessionTest, NamesAndMutesAreKeptAcrossARestartAndAnOlderCopysClose) {
    {
        auto session = open({"127.1", "10.0.0.2"});
        receive(*session, "V2Eve;hi");
        frontEnd.labels = {"  \xD8\xE5\xF4 "}; // "Шеф" with blanks around
        session->labelPeer(1);
        EXPECT_EQ(frontEnd.labelDialogsOpenedOn, std::vector<std::string>{"10.0.0.2="});
        session->muteSender("10.9.9.9", true);
        session->requestClose();
    }
    lirbo::core::TPeerList older;
    older.add("127.1");
    older.add("10.0.0.2");
    lirbo::core::TChatSettings(iniPath()).storePeerList(older);
    const std::string ini = ScratchDir::read(iniPath());
    EXPECT_NE(ini.find("[names]\r\n10.0.0.2=\xD8\xE5\xF4\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("[seen]\r\n127.1=Eve\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("[mute]\r\n10.9.9.9=1\r\n"), std::string::npos) << ini;

    auto session = std::make_unique<ChatSession>(frontEnd, network, network);
    session->start();
    EXPECT_EQ(session->peerName(0).text, "Eve");
    EXPECT_TRUE(session->peerName(0).learned);
    EXPECT_EQ(session->peerName(1).text, "\xD8\xE5\xF4");
    EXPECT_FALSE(session->peerName(1).learned);
    EXPECT_TRUE(session->muted("10.9.9.9"));
    frontEnd.labels = {""};
    session->labelPeer(1);
    EXPECT_EQ(frontEnd.labelDialogsOpenedOn.back(), "10.0.0.2=\xD8\xE5\xF4");
    EXPECT_EQ(session->peerName(1).text, "");
}
