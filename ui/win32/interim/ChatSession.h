#pragma once

#include "core/ChatController.h"
#include "core/ChatSettings.h"
#include "core/ChatTranscript.h"
#include "core/PeerList.h"
#include "core/SystemClock.h"
#include "net/IdUDPClient.h"
#include "net/IdUDPServer.h"
#include "ui/win32/interim/IFrontEnd.h"
#include "ui/win32/interim/TranscriptMirror.h"

#include <memory>
#include <optional>
#include <string>

namespace lirbo::app {

// Everything the main window owns, with one method per user command. Building it brings the
// endpoint up and throws core::Exception on failure. Every command shows its own errors.
class ChatSession {
public:
    struct Endpoints {
        int listenPort = 8800;
        int peerPort = 8800;
    };

    ChatSession(IFrontEnd& frontEnd, Endpoints endpoints);
    ~ChatSession();
    ChatSession(const ChatSession&) = delete;
    ChatSession& operator=(const ChatSession&) = delete;

    void start();

    void sendToAll();
    void sendPrivate();
    void addPeer();
    void editPeer();
    void deletePeer();
    void loadPeerList();
    void savePeerList();
    void saveConversation();
    void openSettings();
    void clearChat();
    void showAbout();
    void selectPeer(int index);
    void requestClose();
    void logOff();
    void serveHandOver();

    const core::TPeerList& peers() const { return m_peers; }
    const core::TChatTranscript& transcript() const { return m_transcript; }
    TranscriptMirror& mirror() { return m_mirror; }
    bool ended() const { return m_ended; }

private:
    class Ports;
    template <typename Command> void command(Command&& run);
    void endApplication();

    IFrontEnd& m_frontEnd;
    core::TChatTranscript m_transcript;
    TranscriptMirror m_mirror;
    core::TPeerList m_peers;
    std::optional<core::TChatSettings> m_settings;
    core::SystemClock m_clock;
    std::unique_ptr<Ports> m_ports;
    std::unique_ptr<core::TChatController> m_controller;
    FileChooser m_saveRTF;
    FileChooser m_openDialog;
    FileChooser m_saveDialog;
    net::TIdUDPClient m_idUDPClient;
    net::TIdUDPServer m_idUDPServer;
    bool m_ended = false;
};

} // namespace lirbo::app
