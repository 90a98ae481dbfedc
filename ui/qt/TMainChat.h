#pragma once

#include "app/ChatSession.h"
#include "ui/qt/DescribedForm.h"
#include "ui/qt/DesktopSound.h"
#include "ui/qt/FrontEndAdapter.h"

#include <QMainWindow>
#include <memory>

class QWidget;

namespace lirbo::ui {

class AttentionTray;
class ConnectionCheckWindow;
class FindBar;
class HistoryViewer;
class InputLine;
class PeerListView;
class TranscriptView;

// The program's one top-level window: the Qt front-end of the chat session. It builds its controls
// and its menu from the main window's description and forwards every user command to the session,
// which owns the chat and carries out the rules; the views only draw what the session tells them.
// Building it brings the session, and with it the transport, up; an error there leaves the
// constructor before any widget exists. The transport and the hand-over come from main and outlive
// the window.
class TMainChat : public QMainWindow {
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
    const QtBeeper& beeper() const { return m_frontEnd.beeper(); }
    TranscriptView& memoChat() { return *m_memoChat; }
    const AttentionTray& tray() const { return *m_tray; }
    HistoryViewer* historyViewer() const { return m_historyViewer; }
    // "Проверка связи", once it was opened (it lives as long as the window).
    ConnectionCheckWindow* connectionCheckWindow() const { return m_connectionCheck; }

    // Where files the user asks to see go (the desktop's viewer by default); tests replace it.
    using FileOpener = FrontEndAdapter::FileOpener;
    void setFileOpener(FileOpener opener) { m_frontEnd.setFileOpener(std::move(opener)); }

signals:
    // The close sequence (or log-off) has finished: the application is to end.
    void endRequested();
    // The window asked for the user's attention (a message arrived while it was not active).
    void attentionRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void layOut();
    void applyMinimumSize();
    void openHistoryViewer();
    void openConnectionCheck();
    void restoreFromTray();

    FrontEndAdapter m_frontEnd;
    DesktopSound m_sound; // outlives the session, which plays through it
    std::unique_ptr<app::ChatSession> m_session;
    DescribedForm m_form;

    QWidget* m_central = nullptr;
    InputLine* m_input = nullptr;
    PeerListView* m_peers = nullptr;
    TranscriptView* m_memoChat = nullptr;
    FindBar* m_findBar = nullptr;
    HistoryViewer* m_historyViewer = nullptr; // made at its first opening
    AttentionTray* m_tray = nullptr;
    ConnectionCheckWindow* m_connectionCheck = nullptr;
};

} // namespace lirbo::ui
