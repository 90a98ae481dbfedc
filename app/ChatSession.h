#pragma once

#include "app/ArrivalSound.h"
#include "app/Attention.h"
#include "app/ConnectionCheck.h"
#include "app/ConnectionReport.h"
#include "app/FileChooser.h"
#include "app/HiddenMessages.h"
#include "app/HistoryLog.h"
#include "app/IFirewallStatus.h"
#include "app/IFrontEnd.h"
#include "app/MachineProbe.h"
#include "app/PeerFailures.h"
#include "app/PeerNames.h"
#include "app/Presence.h"
#include "app/SentLines.h"
#include "app/SoundPlayer.h"
#include "app/StartWithSession.h"
#include "app/StartupEntry.h"
#include "app/TranscriptMirror.h"
#include "app/TranscriptSearch.h"
#include "app/UdpDatagramSender.h"
#include "core/ChatController.h"
#include "core/ChatOptions.h"
#include "core/ChatSettings.h"
#include "core/ChatTranscript.h"
#include "core/PeerList.h"
#include "core/SystemClock.h"
#include "net/ChatTransport.h"
#include "net/HandOver.h"
#include "net/HostLookup.h"
#include "net/HostResolver.h"

#include <chrono>
#include <cstdint>
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
    // "Настройка" -> "Параметры...": the options dialog. OK adopts the choices at once and writes
    // them to the settings file; a refused write shows its error, and the choices still hold for
    // this run.
    void showOptions();
    // "Настройка" -> "Не беспокоить": turns do-not-disturb over, adopted and written as above.
    void toggleDoNotDisturb();
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
    // The window's close button, Alt+F4, the system menu or the taskbar: hides the window to the
    // notification area when the option asks for that and the icon is there; else requestClose.
    void closeWindow();
    // Whether the window starts hidden in the notification area (the option, and the icon there);
    // else it shows. Asked after start.
    bool startsHidden() const;
    // The session ends (log-off, shut-down, a termination signal): the notices only, no box, the
    // settings file untouched; then the application ends.
    void logOff();
    // Runs the calls the listener thread has queued for the main thread, and marks the rows whose
    // names' lookups have ended since.
    void serveHandOver();

    // How long one command may wait in all for names whose first lookup is under way.
    static constexpr std::chrono::milliseconds kLookupWait{500};
    // Another such budget for the commands from now on (a test's hanging lookup then costs
    // milliseconds instead of the half second).
    void setLookupWait(std::chrono::milliseconds wait) { m_lookupWait = wait; }

    // The main window became the active window: what arrived meanwhile counts as seen.
    void windowActivated();
    // Adds a sender's address to the peer list, as the address editor's OK does; nothing when the
    // list already holds it.
    void addSender(const std::string& address);
    // The sender of the transcript's message at `messageIndex` when it is a received message
    // whose address the peer list does not hold: what addSender would add.
    std::optional<std::string> unlistedSender(std::size_t messageIndex) const;
    // The sender's address of the transcript's message at `messageIndex` when it is a received one.
    std::optional<std::string> senderAt(std::size_t messageIndex) const;
    // The label dialog for the peer list's entry at `index`; the row shows the label at once, and
    // lirbo.ini gets it at close.
    void labelPeer(int index);
    // Hides (or shows again) what arrives from `address` from now on; kept in lirbo.ini at close.
    void muteSender(const std::string& address, bool mute);
    bool muted(const std::string& address) const { return m_names.muted(address); }
    // Messages from addresses outside the peer list are hidden while this is on: the options'
    // "only listed", which the options dialog changes and lirbo.ini keeps; this sets it for the run.
    void setOnlyListed(bool onlyListed) { m_options.onlyListed = onlyListed; }
    bool onlyListed() const { return m_options.onlyListed; }
    // The messages hidden so far: their count and the last ones.
    const HiddenMessages& hidden() const { return m_hidden; }
    // What the row of the peer list at `index` shows of its address's presence; its hint ends
    // with the row's name.
    Presence::Row peerPresence(int index) const;
    // The name the row at `index` shows beside its address.
    PeerNames::Name peerName(int index) const;
    const Attention& attention() const { return m_attention; }
    const core::TChatOptions& options() const { return m_options; }

    // The connection check: what the window shows now (routes probed, each kept 10 s; the
    // firewall read), and the check itself. The probes are the system's and FirewallAdvice until
    // replaced (Windows puts its firewall reader here); nullptr restores them.
    ConnectionSnapshot connectionSnapshot();
    const ConnectionCheck& connectionCheck() const { return m_check; }
    void setConnectionProbes(std::shared_ptr<IMachineProbe> machine, std::shared_ptr<IFirewallStatus> firewall);
    // "Разрешить в брандмауэре": asks the firewall to add the rule; returns at once.
    void allowInFirewall();

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

    // The platform's entry that starts the program with the user's session, kept in line with the
    // option at start and whenever the option changes; without one the option does nothing.
    void setStartupEntry(std::unique_ptr<IStartupEntry> entry) { m_startupEntry = std::move(entry); }

    // Replaces the uniform choice of the preselected colour; an empty picker restores it.
    void setColourPicker(ColourPicker picker) { m_pickColour = std::move(picker); }
    // Where arrival sounds go; nullptr (the start): nowhere. The player must outlive the session
    // or be replaced first.
    void setSoundPlayer(ISoundPlayer* player) { m_soundPlayer = player; }

private:
    template <typename Run> void command(Run&& run);
    void showError(const std::string& message);
    void showHistoryFailure();
    // Does to the input line what the controller's send asked for.
    void apply(core::TAfterSend afterSend);
    // Refuses a line the user did not see as it would go out, or that receivers would drop.
    void checkOutgoing(const TypedText& line) const;
    void IdUDPServerUDPRead(const std::string& bytes, const std::string& senderAddress);
    bool hides(const std::string& senderAddress) const;
    bool choose(FileChooser& chooser, std::string& path);
    int preselectedColour() const;
    core::TChatSettings& settings();
    // The command that starts now may wait for names until m_lookupWait from now.
    void startLookupWait();
    void onPeersChanged();
    // Holds `options` from now on, tells the front-end, and writes them with `historyEnabled`.
    void adoptOptions(const core::TChatOptions& options, bool historyEnabled);
    void takeLookupResults();
    void reconcileStartupEntry(StartWithSession::Occasion occasion);
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
    ConnectionCheck m_check;
    net::HostResolver m_resolver;
    std::chrono::milliseconds m_lookupWait = kLookupWait;
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
    core::TChatOptions m_options;
    std::unique_ptr<IStartupEntry> m_startupEntry;
    std::string m_startFolder; // the current directory at start, which holds lirbo.ini
    ArrivalSound m_arrivalSound;
    ISoundPlayer* m_soundPlayer = nullptr;
    // The last line sent: a copy of it that comes back (the own address is in the list) is an echo.
    std::string m_lastSent;
    PeerNames m_names;
    HiddenMessages m_hidden;
    std::shared_ptr<IMachineProbe> m_machineProbe;
    std::shared_ptr<IFirewallStatus> m_firewall;
    std::uint64_t m_malformed = 0; // datagrams that held no chat message
    // lirbo.ini was refused at start (shown then) and not written since: the close leaves it alone.
    bool m_settingsRefused = false;
    bool m_closing = false;
    bool m_ended = false;
    bool m_tearingDown = false;
};

} // namespace lirbo::app
