#pragma once

#include "core/ChatController.h"
#include "core/ChatSettings.h"
#include "core/ChatTranscript.h"
#include "core/PeerList.h"
#include "core/SystemClock.h"
#include "net/IdUDPClient.h"
#include "net/IdUDPServer.h"
#include "ui/FileChooser.h"
#include "ui/LineEditInput.h"
#include "ui/QtBeeper.h"
#include "ui/UdpDatagramSender.h"

#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>

class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace lirbo::ui {

class TranscriptView;

// The program's one top-level window. It owns the transcript, the peer list, the settings file,
// the chat controller and both halves of the UDP endpoint; every user command is one of its
// handlers. Building it brings the endpoint up; an error there leaves the constructor.
class TMainChat : public QMainWindow {
    Q_OBJECT
public:
    // Where the endpoint listens and where it sends. The program always uses 8800 for both; tests
    // pass other ports (0 lets the system choose where to listen).
    struct Endpoints {
        int listenPort = 8800;
        int peerPort = 8800;
    };

    explicit TMainChat(QWidget* parent = nullptr);
    explicit TMainChat(Endpoints endpoints, QWidget* parent = nullptr);
    ~TMainChat() override;

    // The session ends (log-off, shut-down, a termination signal): departure notices only, no
    // box, the peer list is not written; then the application is told to end.
    void logOff();

    // The local port the listener is bound to.
    int listenPort() const;
    bool ended() const { return m_ended; }

    core::TChatTranscript& transcript() { return m_transcript; }
    core::TPeerList& peers() { return m_peers; }
    core::TChatController& controller() { return *m_controller; }
    const QtBeeper& beeper() const { return m_beeper; }
    TranscriptView& memoChat() { return *m_memoChat; }

signals:
    // The close sequence (or log-off) has finished: the application is to end.
    void endRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPanels();
    void buildMenu();
    void setTabOrder();
    void applyMinimumSize();
    void showPeers();
    void endApplication();
    void serveHandOver();

    // Runs one user command; an error ends it and shows in the error box, never leaving here.
    template <typename Command> void command(Command&& run);
    void showError(const std::string& message);

    void FormCreate();
    void FormResize();
    void messagaKeyPress(const QString& key);
    void bsendClick();
    void privatClick();
    void addClick();
    void editIPClick();
    void delClick();
    void loadlistClick();
    void savelistClick();
    void IdUDPServerUDPRead(net::TIdUDPServer& sender, net::TByteStream& data, net::TIdSocketHandle& binding);
    void N9Click();
    void N2Click();
    void N6Click();
    void N8Click();
    void N4Click();
    void FormCloseQuery();
    void FormClose();

    core::TChatTranscript m_transcript;
    core::TPeerList m_peers;
    std::optional<core::TChatSettings> m_settings;
    core::SystemClock m_clock;
    QtBeeper m_beeper;

    QWidget* m_panel1 = nullptr;
    QLineEdit* m_messaga = nullptr;
    QPushButton* m_bsend = nullptr;
    QWidget* m_panel2 = nullptr;
    QListWidget* m_iplist = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_editIP = nullptr;
    QPushButton* m_del = nullptr;
    QPushButton* m_loadlist = nullptr;
    QPushButton* m_savelist = nullptr;
    QPushButton* m_privat = nullptr;
    TranscriptView* m_memoChat = nullptr;

    FileChooser m_saveRTF;
    FileChooser m_openDialog;
    FileChooser m_saveDialog;

    net::TIdUDPClient m_idUDPClient;
    net::TIdUDPServer m_idUDPServer;
    UdpDatagramSender m_sender;
    std::unique_ptr<LineEditInput> m_input;
    std::unique_ptr<core::TChatController> m_controller;
    bool m_ended = false;
};

} // namespace lirbo::ui
