#include "app/ChatSession.h"

#include "core/CodePage1251.h"
#include "core/Exception.h"
#include "core/FileSystem.h"
#include "core/NickPalette.h"
#include "core/SystemText.h"
#include "core/Texts.h"
#include "net/IdExceptions.h"

#include <chrono>
#include <exception>
#include <random>

namespace lirbo::app {

namespace {

const char* const kDefaultNick = "nik";

FileChooser chooser(FileChooser::Mode mode, const char* name, const std::string& title, const std::string& filterName,
                    const char* pattern, const char* initialName, const char* extension) {
    FileChooser result;
    result.mode = mode;
    result.name = name;
    result.title = title;
    result.filterName = filterName;
    result.pattern = pattern;
    result.initialName = initialName;
    result.defaultExtension = extension;
    return result;
}

int pickUniformly(int count) {
    // Seeded once from the system's entropy and the clock; each opening draws afresh, so two
    // openings within the same clock tick still get independent colours.
    static std::mt19937 generator{std::random_device{}() ^
                                  static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count())};
    return std::uniform_int_distribution<int>(0, count - 1)(generator);
}

// The log's folder "history" beside the settings file, so that each profile folder keeps its own.
// Cut as text: the path is UTF-8, which std::filesystem on Windows would read in the ANSI code page.
std::string historyFolderBeside(const std::string& settingsPath) {
    const auto separator = settingsPath.find_last_of("\\/");
    const std::string folder = separator == std::string::npos ? std::string() : settingsPath.substr(0, separator + 1);
    return folder + "history";
}

// A nick or label typed with characters Windows-1251 lacks is refused with a box naming them.
std::string checkTyped(const TypedText& typed) {
    const std::string error = InputRules::lackingCharactersError(typed.lacking);
    return error.empty() ? error : core::errorBoxText(error);
}

// Without the blanks at either end; nothing but blanks gives nothing.
std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

} // namespace

ChatSession::ChatSession(IFrontEnd& frontEnd, net::IChatTransport& transport, net::IHandOverQueue& handOver,
                         std::shared_ptr<net::IHostLookup> hostLookup)
    : m_frontEnd(frontEnd), m_transport(transport), m_handOver(handOver),
      m_mirror(m_transcript, [this] { m_frontEnd.transcriptChanged(); }),
      m_resolver(hostLookup ? std::move(hostLookup) : std::make_shared<net::SystemHostLookup>()),
      m_sender(m_transport, m_resolver, m_failures, [this] { m_frontEnd.presenceChanged(); }),
      m_controller(core::TChatController::Ports{m_sender, m_peers, m_clock, m_transcript}, kDefaultNick, 0),
      m_saveRTF(chooser(FileChooser::Mode::Save, "SaveRTF", "", core::cp1251::fromUtf8Once<text::kRtfFile>(), "*.RTF",
                        "chat", "RTF")),
      m_openDialog(chooser(FileChooser::Mode::Open, "OpenDialog", core::cp1251::fromUtf8Once<text::kLoadPeerList>(),
                           core::cp1251::fromUtf8Once<text::kTextFile>(), "*.txt", "list", "txt")),
      m_saveDialog(chooser(FileChooser::Mode::Save, "SaveDialog", core::cp1251::fromUtf8Once<text::kSavePeerList>(),
                           core::cp1251::fromUtf8Once<text::kTextFile>(), "*.txt", "list", "txt")) {
    m_peers.setChangeListener([this] { onPeersChanged(); });
    m_controller.setHideFilter([this](const std::string& senderAddress) { return hides(senderAddress); });
    m_sender.setConnectionCheck(&m_check);
    m_resolver.setChangeCallback([this] { m_frontEnd.wake(); });
    m_handOver.setWakeCallback([this] { m_frontEnd.wake(); });
    try {
        m_transport.open(
            [this](const std::string& bytes, const std::string& sender) { IdUDPServerUDPRead(bytes, sender); });
    } catch (...) {
        m_handOver.setWakeCallback({});
        throw;
    }
    // Calls queued before the wake callback could reach this session.
    m_frontEnd.wake();
}

ChatSession::~ChatSession() {
    // The listener goes first: hand-overs still queued run now, while the front-end's views live.
    // They reach the transcript only: the front-end may be tearing down around the session.
    m_tearingDown = true;
    m_resolver.setChangeCallback({});
    m_transport.close();
    m_handOver.setWakeCallback({});
    m_peers.setChangeListener({});
    m_controller.setMessageListener(nullptr);
    m_controller.setHideFilter({});
}

int ChatSession::listenPort() const {
    return m_transport.listenPort();
}

template <typename Run> void ChatSession::command(Run&& run) {
    try {
        run();
    } catch (const std::exception& error) {
        showError(core::errorText(&error));
    } catch (...) {
        showError(core::errorText(nullptr));
    }
    showHistoryFailure();
    m_frontEnd.focusInput(); // never left on a button, where the next space would press it
}

void ChatSession::showError(const std::string& message) {
    m_frontEnd.showError(core::errorBoxText(message));
}

void ChatSession::apply(core::TAfterSend afterSend) {
    switch (afterSend) {
    case core::TAfterSend::Beep:
        m_frontEnd.beep();
        break;
    case core::TAfterSend::ClearInput:
        m_frontEnd.clearAndFocusInput();
        break;
    case core::TAfterSend::Nothing:
        break;
    }
}

void ChatSession::showHistoryFailure() {
    if (m_history) {
        if (const auto failure = m_history->takeFailure()) {
            showError(*failure);
        }
    }
}

core::TChatSettings& ChatSession::settings() {
    if (!m_settings) {
        m_settings.emplace();
    }
    return *m_settings;
}

void ChatSession::start() {
    command([this] {
        m_settings.emplace(); // the path is fixed now, whatever choosers later do to the directory
        const core::TUserSettings user = m_settings->load(m_peers);
        m_controller.adoptSettings(user.nick, user.colourIndex);
        m_history.emplace(historyFolderBeside(m_settings->path()));
        m_history->setEnabled(user.historyEnabled);
        m_history->setDayLimit(user.historyDayLimit);
        m_controller.setMessageListener(&*m_history);
        m_options = user.options;
        m_frontEnd.optionsChanged();
        m_settingsRefused = !user.refusal.empty();
        m_names.adopt(m_settings->loadPeerNotes());
        if (m_settingsRefused) {
            showError(user.refusal);
        }
        m_settings->removeStaleTemporaries();
    });
    m_startFolder = core::fs::currentDirectory();
    reconcileStartupEntry(StartWithSession::Occasion::Start);
}

void ChatSession::reconcileStartupEntry(StartWithSession::Occasion occasion) {
    if (m_startupEntry) {
        command(
            [&] { StartWithSession::reconcile(*m_startupEntry, m_options.startWithSession, m_startFolder, occasion); });
    }
}

void ChatSession::checkOutgoing(const TypedText& line) const {
    const std::string error = InputRules::outgoingError(m_controller.nick(), line);
    if (!error.empty()) {
        throw core::Exception(error); // nothing is sent, and the line keeps its text
    }
}

void ChatSession::sendToAll() {
    command([this] {
        const TypedText line = m_frontEnd.inputText();
        if (line.text.empty()) {
            apply(m_controller.sendToAll(line.text)); // the beep
            return;
        }
        checkOutgoing(line);
        startLookupWait();
        apply(m_controller.sendToAll(line.text));
        m_sentLines.add(line.text);
        m_lastSent = line.text;
    });
}

void ChatSession::sendPrivate() {
    command([this] {
        const int selected = m_peers.selectedIndex();
        if (selected < 0 || selected >= m_peers.count()) {
            return;
        }
        const TypedText line = m_frontEnd.inputText();
        checkOutgoing(line);
        startLookupWait();
        apply(m_controller.sendPrivate(line.text));
        if (!line.text.empty()) {
            m_sentLines.add(line.text);
        }
        m_lastSent = line.text;
    });
}

void ChatSession::recallOlder() {
    m_frontEnd.setInputText(m_sentLines.older(m_frontEnd.inputText()));
}

void ChatSession::recallNewer() {
    m_frontEnd.setInputText(m_sentLines.newer(m_frontEnd.inputText()));
}

std::optional<TranscriptMatch> ChatSession::find(const std::string& text, bool backward) {
    m_lastMatch = TranscriptSearch::find(m_transcript, text, m_lastMatch, backward);
    return m_lastMatch;
}

void ChatSession::openHistory() {
    command([this] {
        if (!m_history || !m_history->enabled()) {
            throw core::Exception(core::cp1251::fromUtf8Once<text::kHistoryOff>());
        }
        const std::string file = m_history->todaysFile();
        if (!m_frontEnd.openFile(file)) {
            throw core::Exception(core::cp1251::fromUtf8Once<text::kOpenFileFailed>() + "\"" +
                                  core::sys::pathToCp1251(file) + "\"");
        }
    });
}

void ChatSession::addPeer() {
    command([this] {
        std::string address;
        if (m_frontEnd.askAddress(address)) {
            m_peers.add(std::move(address));
        }
    });
}

void ChatSession::editPeer() {
    command([this] {
        const int selected = m_peers.selectedIndex();
        if (selected < 0) {
            return;
        }
        std::string address = m_peers.get(selected);
        if (m_frontEnd.askAddress(address)) {
            m_peers.replace(selected, std::move(address));
        }
    });
}

void ChatSession::deletePeer() {
    command([this] { m_peers.remove(m_peers.selectedIndex()); });
}

void ChatSession::selectPeer(int index) {
    m_peers.setSelectedIndex(index);
}

bool ChatSession::choose(FileChooser& chooser, std::string& path) {
    if (!m_frontEnd.chooseFile(chooser, path) || path.empty()) {
        return false;
    }
    chooser.lastPath = path;
    return true;
}

void ChatSession::loadPeerList() {
    command([this] {
        std::string path;
        if (choose(m_openDialog, path)) {
            m_peers.loadFromFile(path);
        }
    });
}

void ChatSession::savePeerList() {
    command([this] {
        std::string path;
        if (choose(m_saveDialog, path)) {
            m_peers.saveToFile(path);
        }
    });
}

void ChatSession::saveConversation() {
    command([this] {
        std::string path;
        if (choose(m_saveRTF, path)) {
            m_transcript.saveToFile(path);
        }
    });
}

int ChatSession::preselectedColour() const {
    const int count = core::TNickPalette::nameCount();
    const int index = m_pickColour ? m_pickColour(count) : pickUniformly(count);
    return index >= 0 && index < count ? index : 0;
}

void ChatSession::openSettings() {
    command([this] {
        std::string nick = m_controller.nick();
        int colourIndex = preselectedColour();
        if (!m_frontEnd.askSettings(nick, colourIndex, checkTyped)) {
            return;
        }
        settings().storeUserSettings(colourIndex, nick); // a refused write adopts nothing
        m_settingsRefused = false;                       // the file could be read and written after all
        m_controller.adoptSettings(std::move(nick), colourIndex);
    });
}

void ChatSession::clearChat() {
    command([this] {
        if (m_frontEnd.confirmClear()) {
            m_transcript.clear();
        }
    });
}

void ChatSession::showOptions() {
    const bool startedWithSession = m_options.startWithSession;
    command([this] {
        core::TChatOptions options = m_options;
        bool historyEnabled = !m_history || m_history->enabled();
        if (m_frontEnd.askOptions(options, historyEnabled)) {
            adoptOptions(options, historyEnabled);
        }
    });
    if (m_options.startWithSession != startedWithSession) { // adopted for this run, even if the file refused it
        reconcileStartupEntry(StartWithSession::Occasion::Changed);
    }
}

void ChatSession::toggleDoNotDisturb() {
    command([this] {
        core::TChatOptions options = m_options;
        options.doNotDisturb = !options.doNotDisturb;
        adoptOptions(options, !m_history || m_history->enabled());
    });
}

void ChatSession::adoptOptions(const core::TChatOptions& options, bool historyEnabled) {
    // Adopted before the write: a quiet asked for now must not wait on a file that refuses it.
    m_options = options;
    if (m_history) {
        m_history->setEnabled(historyEnabled);
    }
    m_frontEnd.optionsChanged();
    settings().storeOptions(options, historyEnabled);
}

void ChatSession::showAbout() {
    command([this] { m_frontEnd.showAbout(); });
}

void ChatSession::startLookupWait() {
    m_sender.setLookupDeadline(std::chrono::steady_clock::now() + m_lookupWait);
}

void ChatSession::onPeersChanged() {
    const auto& entries = m_peers.entries();
    m_presence.setPeers(entries);
    m_failures.keepOnly(entries);
    m_check.setPeers(entries);
    m_resolver.watch(entries);
    m_frontEnd.peersChanged();
}

void ChatSession::takeLookupResults() {
    bool changed = false;
    for (const auto& [name, result] : m_resolver.takeChanges()) {
        const std::string message = result.error != 0 ? net::EIdSocketError(result.error).message() : std::string();
        const ConnectionVerdict before = m_check.verdict(name);
        m_check.lookedUp(name, result.error, message, result.address.toString());
        changed |= m_check.verdict(name) != before;
        changed |= result.error != 0 ? m_failures.failed(name, PeerFailures::Cause::Lookup, message)
                                     : m_failures.answered(name);
    }
    if (changed) {
        m_frontEnd.presenceChanged();
    }
}

void ChatSession::FormCloseQuery() {
    startLookupWait(); // a name without an answer by then is skipped like any failing notice
    m_controller.sendDepartureNotices();
}

void ChatSession::FormClose() {
    // A file refused at start was never read: the list in hand is not its list, and writing it
    // would replace what the user keeps there (or put a file where a FIFO or a device stands).
    if (!m_settingsRefused) {
        settings().storePeerList(m_peers);
        settings().storePeerNotes(m_names.notes(m_peers.entries()));
    }
}

void ChatSession::requestClose() {
    if (m_ended || m_closing) {
        return; // a second request while an error box of this close is open
    }
    m_closing = true;
    command([this] { FormCloseQuery(); });
    if (!m_ended) { // the session may have ended while an error box was open: then nothing is written
        command([this] { FormClose(); });
    }
    end();
}

void ChatSession::closeWindow() {
    if (m_options.closeToTray && !m_ended && !m_closing && m_frontEnd.trayAvailable()) {
        m_frontEnd.hideToTray();
        return;
    }
    requestClose();
}

bool ChatSession::startsHidden() const {
    return m_options.startMinimised && m_frontEnd.trayAvailable();
}

void ChatSession::logOff() {
    if (m_ended) {
        return;
    }
    if (!m_closing) { // a close in progress has sent the notices already
        try {
            startLookupWait();
            m_controller.sendDepartureNotices();
        } catch (...) {
            // The session is ending: a box would only block it.
        }
    }
    end();
}

void ChatSession::end() {
    if (m_ended) {
        return;
    }
    m_ended = true;
    m_frontEnd.endApplication();
}

void ChatSession::serveHandOver() {
    m_handOver.runPending();
    if (m_arrivalSound.takePending() && m_soundPlayer != nullptr && !m_tearingDown) {
        m_soundPlayer->playArrival(); // once for all that the batch brought
    }
    takeLookupResults();
    showHistoryFailure(); // after the listener thread was let go, never inside its call
}

bool ChatSession::hides(const std::string& senderAddress) const {
    return m_names.muted(senderAddress) || (m_options.onlyListed && !m_presence.listed(senderAddress));
}

void ChatSession::IdUDPServerUDPRead(const std::string& bytes, const std::string& senderAddress) {
    const auto received = m_controller.receive(bytes, senderAddress);
    if (!received) {
        ++m_malformed;
        return;
    }
    if (m_tearingDown) {
        return;
    }
    m_check.heard(senderAddress, received->nick);
    const bool departureNotice = received->kind == core::TShownMessage::Kind::DepartureNotice;

    // A hidden message still tells who is there and under which nick.
    if (m_presence.listed(senderAddress)) {
        const std::string before = m_names.name(senderAddress).text;
        m_names.heard(senderAddress, received->nick);
        const bool renamed = m_names.name(senderAddress).text != before;
        if (m_presence.messageFrom(senderAddress, received->stamp, departureNotice) || renamed) {
            m_frontEnd.presenceChanged();
        }
    } else {
        m_presence.messageFrom(senderAddress, received->stamp, departureNotice);
    }
    if (received->hidden) {
        m_hidden.add(*received);
        m_frontEnd.hiddenChanged();
        return; // not unread, no attention, no sound
    }
    if (departureNotice) {
        return;
    }
    const bool isPrivate = received->kind == core::TShownMessage::Kind::ReceivedPrivate;
    // A copy of the own last line, come back because the own address is in the list.
    const bool ownCopy = received->nick == m_controller.nick() && received->body == m_lastSent;
    m_arrivalSound.arrived(ownCopy ? core::TShownMessage::Kind::Sent : received->kind, false, m_options);

    if (m_attention.messageShown(received->nick, isPrivate, m_frontEnd.isActive())) {
        m_frontEnd.attentionChanged();
        if (!m_options.doNotDisturb) { // the unread count goes on; only the flash waits
            m_frontEnd.requestAttention();
        }
    }
}

void ChatSession::windowActivated() {
    if (m_attention.activated()) {
        m_frontEnd.attentionChanged();
    }
}

void ChatSession::addSender(const std::string& address) {
    command([&] {
        if (!m_presence.listed(address)) {
            m_peers.add(address);
        }
    });
}

std::optional<std::string> ChatSession::unlistedSender(std::size_t messageIndex) const {
    const auto& messages = m_transcript.messages();
    if (messageIndex >= messages.size()) {
        return std::nullopt;
    }
    std::optional<std::string> sender = core::TChatController::senderOf(messages[messageIndex]);
    if (sender && m_presence.listed(*sender)) {
        return std::nullopt;
    }
    return sender;
}

std::optional<std::string> ChatSession::senderAt(std::size_t messageIndex) const {
    const auto& messages = m_transcript.messages();
    return messageIndex < messages.size() ? core::TChatController::senderOf(messages[messageIndex]) : std::nullopt;
}

void ChatSession::labelPeer(int index) {
    command([&] {
        if (index < 0 || index >= m_peers.count()) {
            return;
        }
        const std::string entry = m_peers.get(index);
        std::string label = m_names.label(entry);
        if (m_frontEnd.askLabel(entry, label, checkTyped)) {
            m_names.setLabel(entry, trimmed(label));
            m_frontEnd.presenceChanged();
        }
    });
}

void ChatSession::muteSender(const std::string& address, bool mute) {
    if (m_names.setMuted(address, mute)) {
        m_frontEnd.presenceChanged();
    }
}

Presence::Row ChatSession::peerPresence(int index) const {
    const std::string entry = m_peers.get(index);
    Presence::Row row = m_presence.row(entry);
    m_failures.mark(entry, row);
    row.verdict = m_check.verdict(entry);
    // The hint ends with the verdict, unless it says the same already ("ещё не писал").
    const std::string verdict = verdictText(row.verdict);
    if (!verdict.empty() && (row.hint.size() < verdict.size() ||
                             row.hint.compare(row.hint.size() - verdict.size(), verdict.size(), verdict) != 0)) {
        row.hint += "; " + verdict;
    }
    const PeerNames::Name name = m_names.name(entry);
    if (!name.text.empty()) { // the row may be too narrow for the whole name
        row.hint += name.learned ? core::cp1251::fromUtf8Once<text::kPeerHintNick>()
                                 : core::cp1251::fromUtf8Once<text::kPeerHintLabel>();
        row.hint += name.text;
    }
    return row;
}

PeerNames::Name ChatSession::peerName(int index) const {
    return m_names.name(m_peers.get(index));
}

void ChatSession::setConnectionProbes(std::shared_ptr<IMachineProbe> machine,
                                      std::shared_ptr<IFirewallStatus> firewall) {
    m_machineProbe = machine ? std::make_shared<RouteCache>(std::move(machine)) : nullptr;
    m_firewall = std::move(firewall);
}

ConnectionSnapshot ChatSession::connectionSnapshot() {
    if (!m_machineProbe) {
        m_machineProbe = std::make_shared<RouteCache>(std::make_shared<SystemMachineProbe>());
    }
    if (!m_firewall) {
        m_firewall = std::make_shared<FirewallAdvice>();
    }
    const net::IChatTransport::ListenerStatus status = m_transport.listenerStatus();
    ListenerState listener;
    listener.open = status.open;
    listener.address = status.address;
    listener.port = status.port;
    listener.received = status.received;
    listener.tooLong = status.tooLong;
    listener.malformed = m_malformed;
    std::vector<ConnectionVerdict> before;
    for (const auto& entry : m_peers.entries()) {
        before.push_back(m_check.verdict(entry));
    }
    ConnectionSnapshot snapshot = buildConnectionSnapshot(m_check, m_peers.entries(), *m_machineProbe, listener,
                                                          *m_firewall, std::chrono::steady_clock::now());
    for (std::size_t i = 0; i < before.size() && i < snapshot.peers.size(); ++i) {
        if (snapshot.peers[i].verdict != before[i]) {
            m_frontEnd.presenceChanged(); // a route probed changed a row's verdict, and so its mark
            break;
        }
    }
    return snapshot;
}

void ChatSession::allowInFirewall() {
    if (m_firewall) {
        m_firewall->addRule();
    }
}

} // namespace lirbo::app
