#pragma once

#include "app/Attention.h"
#include "app/FileChooser.h"
#include "app/HistoryLog.h"
#include "app/IFrontEnd.h"
#include "app/PeerFailures.h"
#include "app/Presence.h"
#include "app/SentLines.h"
#include "app/TranscriptMirror.h"
#include "app/TranscriptSearch.h"
#include "app/UdpDatagramSender.h"
#include "core/ChatController.h"
#include "core/ChatSettings.h"
#include "core/ChatTranscript.h"
#include "core/PeerList.h"
#include "core/SystemClock.h"
#include "net/ChatTransport.h"
#include "net/HandOver.h"
#include "net/HostLookup.h"
#include "net/HostResolver.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace lirbo::app {

// One run of the chat, whatever draws it: owns the transcript, the peer list, the settings file,
// the chat controller, and carries out every user command over the transport it is given.
// All of it runs on the main thread; what the transport receives only reaches it through the
// hand-over, which the front-end serves by calling serveHandOver after a wake. Each command catches its own
// errors and shows each one once through the front-end's error box, never leaving an exception.
class ChatSession {
public:
    // Picks a number in 0..count-1 (the settings dialog's preselected colour).
    using ColourPicker = std::function<int(int count)>;

    // Opens `transport`, which delivers through `handOver`; both outlive the session. Throws the
    // transport's error (a taken port, for one) with nothing left open.
    // Names are looked up by `hostLookup` (none: the system's), on the resolver's thread.
    ChatSession(IFrontEnd& frontEnd, net::IChatTransport& transport, net::IHandOverQueue& handOver,
                std::shared_ptr<net::IHostLookup> hostLookup = nullptr);
    // Closes the transport, whose listening side goes first, serving the hand-overs still queued.
    ~ChatSession();
    ChatSession(const ChatSession&) = delete;
    ChatSession& operator=(const ChatSession&) = delete;

    // Fixes the settings file in the current directory and reads the nick, the colour and the
    // peer list from it (FormCreate).
    void start();

    void sendToAll();
    void sendPrivate();
    void addPeer();
    void editPeer();   // nothing without a selected entry
    void deletePeer(); // the selected entry
    void selectPeer(int index);
    void loadPeerList();
    void savePeerList();
    void saveConversation();
    void openSettings();
    void clearChat();
    void showAbout();
    // Today's file of the conversation's log, in the system's viewer.
    void openHistory();
    // Ctrl+Up and Ctrl+Down in the input line: the lines sent before.
    void recallOlder();
    void recallNewer();
    // The next (or previous) place where the shown transcript holds `text`, letter case aside,
    // after the last one found; nothing when it holds none.
    std::optional<TranscriptMatch> find(const std::string& text, bool backward);

    // The close sequence: the departure notices to every peer, then the peer list into the
    // settings file, then the application ends. A failing notice skips its peer; the first
    // failure is shown once after the notices, and a refused write is shown too, but neither
    // keeps the window open: closing never traps the user.
    void requestClose();
    // The session ends (log-off, shut-down, a termination signal): the notices only, no box, the
    // settings file untouched; then the application ends.
    void logOff();
    // Runs the calls the listener thread has queued for the main thread, and marks the rows whose
    // names' lookups have ended since.
    void serveHandOver();

    // How long one command may wait in all for names whose first lookup is under way.
    static constexpr std::chrono::milliseconds kLookupWait{500};

    // The main window became the active window: what arrived meanwhile counts as seen.
    void windowActivated();
    // Adds a sender's address to the peer list, as the address editor's OK does; nothing when the
    // list already holds it.
    void addSender(const std::string& address);
    // The sender of the transcript's message at `messageIndex` when it is a received message
    // whose address the peer list does not hold: what addSender would add.
    std::optional<std::string> unlistedSender(std::size_t messageIndex) const;
    // What the row of the peer list at `index` shows of its address's presence.
    Presence::Row peerPresence(int index) const;
    const Attention& attention() const { return m_attention; }

    bool ended() const { return m_ended; }
    // The local port the listener is bound to.
    int listenPort() const;

    core::TPeerList& peers() { return m_peers; }
    core::TChatTranscript& transcript() { return m_transcript; }
    TranscriptMirror& mirror() { return m_mirror; }
    const core::TChatController& controller() const { return m_controller; }
    const FileChooser& saveRTF() const { return m_saveRTF; }
    const FileChooser& openDialog() const { return m_openDialog; }
    const FileChooser& saveDialog() const { return m_saveDialog; }
    // The conversation's log; there once the session has started.
    HistoryLog* history() { return m_history ? &*m_history : nullptr; }

    // Replaces the uniform choice of the preselected colour; an empty picker restores it.
    void setColourPicker(ColourPicker picker) { m_pickColour = std::move(picker); }

private:
    template <typename Run> void command(Run&& run);
    void showError(const std::string& message);
    void showHistoryFailure();
    // Does to the input line what the controller's send asked for.
    void apply(core::TAfterSend afterSend);
    // Refuses a line the user did not see as it would go out, or that receivers would drop.
    void checkOutgoing(const TypedText& line) const;
    void IdUDPServerUDPRead(const std::string& bytes, const std::string& senderAddress);
    bool choose(FileChooser& chooser, std::string& path);
    int preselectedColour() const;
    core::TChatSettings& settings();
    // The command that starts now may wait for names until kLookupWait from now.
    void startLookupWait();
    void onPeersChanged();
    void takeLookupResults();
    void FormCloseQuery();
    void FormClose();
    void end();

    IFrontEnd& m_frontEnd;
    net::IChatTransport& m_transport;
    net::IHandOverQueue& m_handOver;
    core::TChatTranscript m_transcript;
    TranscriptMirror m_mirror;
    core::TPeerList m_peers;
    std::optional<core::TChatSettings> m_settings;
    core::SystemClock m_clock;
    PeerFailures m_failures;
    net::HostResolver m_resolver;
    UdpDatagramSender m_sender;
    core::TChatController m_controller;
    FileChooser m_saveRTF;
    FileChooser m_openDialog;
    FileChooser m_saveDialog;
    ColourPicker m_pickColour;
    std::optional<HistoryLog> m_history;
    SentLines m_sentLines;
    std::optional<TranscriptMatch> m_lastMatch;
    Attention m_attention;
    Presence m_presence;
    // lirbo.ini was refused at start (shown then) and not written since: the close leaves it alone.
    bool m_settingsRefused = false;
    bool m_closing = false;
    bool m_ended = false;
    bool m_tearingDown = false;
};

} // namespace lirbo::app
