#pragma once

#include "app/ChatSession.h"
#include "app/IFrontEnd.h"
#include "ui/qt/DesktopSound.h"
#include "ui/qt/QtBeeper.h"

#include <QMainWindow>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace lirbo::ui {

class AttentionTray;
class ConnectionCheckWindow;
class FindBar;
class HistoryViewer;
class TranscriptView;

// The program's one top-level window: the Qt front-end of the chat session. It builds the widgets
// and forwards every user command to the session, which owns the chat and carries out the rules;
// the window only draws what the session tells it. Building it brings the session, and with it the
// transport, up; an error there leaves the constructor before any widget exists. The transport and
// the hand-over come from main and outlive the window.
class TMainChat : public QMainWindow, private app::IFrontEnd {
    Q_OBJECT
public:
    TMainChat(net::IChatTransport& transport, net::IHandOverQueue& handOver, QWidget* parent = nullptr);
    ~TMainChat() override;

    // Shows the window, unless the session starts it hidden in the notification area.
    void showAtStart();
    // The session ends (log-off, shut-down, a termination signal).
    void logOff();

    app::ChatSession& session() { return *m_session; }
    int listenPort() const { return m_session->listenPort(); }
    bool ended() const { return m_session->ended(); }
    const QtBeeper& beeper() const { return m_beeper; }
    TranscriptView& memoChat() { return *m_memoChat; }
    const AttentionTray& tray() const { return *m_tray; }
    HistoryViewer* historyViewer() const { return m_historyViewer; }
    // "Проверка связи", once it was opened (it lives as long as the window).
    ConnectionCheckWindow* connectionCheckWindow() const { return m_connectionCheck; }

    // Where files the user asks to see go (the desktop's viewer by default); tests replace it.
    // False when nothing could show the file.
    using FileOpener = std::function<bool(const QUrl&)>;
    void setFileOpener(FileOpener opener) { m_openFile = std::move(opener); }

signals:
    // The close sequence (or log-off) has finished: the application is to end.
    void endRequested();
    // The window asked for the user's attention (a message arrived while it was not active).
    void attentionRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPanels();
    void buildMenu();
    void setTabOrder();
    void applyMinimumSize();
    void showPeers();
    void showPresence();
    void showAttention();
    void iplistContextMenu(const QPoint& position);
    void showHiddenMessages();
    void restoreFromTray();

    // What the session asks of the window.
    bool askAddress(std::string& address) override;
    bool askSettings(std::string& nick, int& colourIndex, const TextCheck& checkNick) override;
    bool askOptions(core::TChatOptions& options, bool& historyEnabled) override;
    void optionsChanged() override;
    bool askLabel(const std::string& address, std::string& label, const TextCheck& checkLabel) override;
    bool confirmClear() override;
    bool chooseFile(const app::FileChooser& chooser, std::string& path) override;
    void showAbout() override;
    bool openFile(const std::string& path) override;
    void showError(const std::string& text) override;
    app::TypedText inputText() const override;
    void setInputText(const app::TypedText& text) override;
    void clearAndFocusInput() override;
    void focusInput() override;
    void beep() override;
    void peersChanged() override;
    void presenceChanged() override;
    void transcriptChanged() override;
    bool isActive() const override;
    void requestAttention() override;
    void attentionChanged() override;
    void hiddenChanged() override;
    bool trayAvailable() const override;
    void hideToTray() override;
    void wake() override;
    void endApplication() override;

    void FormResize();
    void messagaKeyPress(const QString& key);
    void messagaKeyDown(const QKeyEvent& key);
    void messagaChange(const QString& text);
    void bsendClick();
    void privatClick();
    void addClick();
    void editIPClick();
    void delClick();
    void loadlistClick();
    void savelistClick();
    void N9Click();
    void N2Click();
    void N6Click();
    void N8Click();
    void N4Click();
    void N10Click();
    void N12Click();
    void checkConnectionClick();

    QtBeeper m_beeper;
    DesktopSound m_sound; // outlives the session, which plays through it
    std::unique_ptr<app::ChatSession> m_session;

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
    QPushButton* m_hiddenCount = nullptr; // "скрыто: N", shown once a message was hidden
    TranscriptView* m_memoChat = nullptr;
    FindBar* m_findBar = nullptr;
    HistoryViewer* m_historyViewer = nullptr; // made at its first opening
    FileOpener m_openFile;
    AttentionTray* m_tray = nullptr;
    QAction* m_doNotDisturbItem = nullptr;
    ConnectionCheckWindow* m_connectionCheck = nullptr;
    QTimer m_presenceRedraw;  // a flood of datagrams redraws the rows' presence once per batch
    QTimer m_attentionRedraw; // and the notification icon's hint and mark
};

} // namespace lirbo::ui
