#include "ui/win32/interim/ChatSession.h"

#include "core/Exception.h"
#include "net/HandOver.h"

#include <chrono>
#include <exception>
#include <random>

namespace lirbo::app {

// The controller's ports over the front-end and the sender.
class ChatSession::Ports : public core::IDatagramSender, public core::IInputLine, public core::IBeeper {
public:
    Ports(IFrontEnd& frontEnd, net::TIdUDPClient& client) : m_frontEnd(frontEnd), m_client(client) {}
    void sendDatagram(const std::string& host, const std::string& bytes) override {
        m_client.Host = host;
        m_client.Send(bytes);
    }
    std::string text() const override { return m_frontEnd.inputText(); }
    void clearAndFocus() override { m_frontEnd.clearAndFocusInput(); }
    void beep() override { m_frontEnd.beep(); }

private:
    IFrontEnd& m_frontEnd;
    net::TIdUDPClient& m_client;
};

namespace {

FileChooser chooser(FileChooser::Mode mode, std::string title, std::string filterName, std::string pattern,
                    std::string name, std::string extension) {
    FileChooser c;
    c.mode = mode;
    c.title = std::move(title);
    c.filterName = std::move(filterName);
    c.pattern = std::move(pattern);
    c.offeredName = std::move(name);
    c.defaultExtension = std::move(extension);
    return c;
}

} // namespace

ChatSession::ChatSession(IFrontEnd& frontEnd, Endpoints endpoints)
    : m_frontEnd(frontEnd), m_mirror(m_transcript, [this] { m_frontEnd.transcriptChanged(); }),
      m_saveRTF(chooser(FileChooser::Mode::Save, "", "Файл RTF", "*.RTF", "chat", "RTF")),
      m_openDialog(chooser(FileChooser::Mode::Open, "Загрузить список IP", "Текстовый файл", "*.txt", "list", "txt")),
      m_saveDialog(chooser(FileChooser::Mode::Save, "Сохранить список IP", "Текстовый файл", "*.txt", "list", "txt")) {
    m_ports = std::make_unique<Ports>(m_frontEnd, m_idUDPClient);
    m_controller = std::make_unique<core::TChatController>(
        core::TChatController::Ports{*m_ports, m_peers, *m_ports, m_clock, *m_ports, m_transcript}, "nik", 0);
    m_peers.setChangeListener([this] { m_frontEnd.peersChanged(); });
    net::THandOver::instance().setWakeCallback([this] { m_frontEnd.wake(); });
    try {
        m_idUDPClient.Port = endpoints.peerPort;
        m_idUDPClient.setActive(true);
        m_idUDPServer.DefaultPort = endpoints.listenPort;
        m_idUDPServer.OnUDPRead = [this](net::TIdUDPServer&, net::TByteStream& data, net::TIdSocketHandle& binding) {
            m_controller->receive(data.readString(), binding.SenderAddress);
        };
        m_idUDPServer.setActive(true);
    } catch (...) {
        m_idUDPServer.setActive(false);
        net::THandOver::instance().setWakeCallback({});
        throw;
    }
    m_frontEnd.wake(); // calls queued before the wake-up could reach the front-end
}

ChatSession::~ChatSession() {
    // The listener goes first; hand-overs still queued run now, while the views are alive.
    m_idUDPServer.setActive(false);
    m_idUDPClient.setActive(false);
    net::THandOver::instance().setWakeCallback({});
    m_peers.setChangeListener({});
}

template <typename Command> void ChatSession::command(Command&& run) {
    try {
        run();
    } catch (const core::Exception& error) {
        m_frontEnd.showError(core::errorBoxText(error.message()));
    } catch (const std::exception& error) {
        m_frontEnd.showError(core::errorBoxText(error.what()));
    }
}

void ChatSession::start() {
    command([this] {
        m_settings.emplace();
        const core::TUserSettings user = m_settings->load(m_peers);
        m_controller->adoptSettings(user.nick, user.colourIndex);
    });
}

void ChatSession::sendToAll() {
    command([this] { m_controller->sendToAll(); });
}

void ChatSession::sendPrivate() {
    command([this] { m_controller->sendPrivate(); });
}

void ChatSession::addPeer() {
    command([this] {
        std::string address;
        if (m_frontEnd.askAddress(address)) {
            m_peers.add(address);
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
            m_peers.replace(selected, address);
        }
    });
}

void ChatSession::deletePeer() {
    command([this] { m_peers.remove(m_peers.selectedIndex()); });
}

void ChatSession::loadPeerList() {
    command([this] {
        std::string path;
        if (m_frontEnd.chooseFile(m_openDialog, path)) {
            m_openDialog.offeredName = path;
            m_peers.loadFromFile(path);
        }
    });
}

void ChatSession::savePeerList() {
    command([this] {
        std::string path;
        if (m_frontEnd.chooseFile(m_saveDialog, path)) {
            m_saveDialog.offeredName = path;
            m_peers.saveToFile(path);
        }
    });
}

void ChatSession::saveConversation() {
    command([this] {
        std::string path;
        if (m_frontEnd.chooseFile(m_saveRTF, path)) {
            m_saveRTF.offeredName = path;
            m_transcript.saveToFile(path);
        }
    });
}

void ChatSession::openSettings() {
    command([this] {
        static std::mt19937 random;
        random.seed(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
        std::string nick = m_controller->nick();
        int colour = std::uniform_int_distribution<int>(0, 7)(random);
        if (!m_frontEnd.askSettings(nick, colour)) {
            return;
        }
        if (m_settings) {
            m_settings->storeUserSettings(colour, nick); // a refused write adopts nothing
        }
        m_controller->adoptSettings(nick, colour);
    });
}

void ChatSession::clearChat() {
    command([this] {
        if (m_frontEnd.confirmClear()) {
            m_transcript.clear();
        }
    });
}

void ChatSession::showAbout() {
    command([this] { m_frontEnd.showAbout(); });
}

void ChatSession::selectPeer(int index) {
    m_peers.setSelectedIndex(index);
}

void ChatSession::requestClose() {
    if (m_ended) {
        return;
    }
    bool closing = false;
    command([&] {
        m_controller->sendDepartureNotices();
        if (m_settings) {
            m_settings->storePeerList(m_peers);
        }
        closing = true;
    });
    if (closing) {
        endApplication();
    }
}

void ChatSession::logOff() {
    if (m_ended) {
        return;
    }
    try {
        m_controller->sendDepartureNotices();
    } catch (...) {
        // The session is ending: a box would only block it. The notices stop at the failing entry.
    }
    endApplication();
}

void ChatSession::serveHandOver() {
    net::THandOver::instance().runPending();
}

void ChatSession::endApplication() {
    m_ended = true;
    m_frontEnd.endApplication();
}

} // namespace lirbo::app
