#pragma once

#include "app/ChatSession.h"
#include "ui/common/MainWindowForm.h"
#include "ui/win32/ConnectionCheckUi.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/FindBar.h"
#include "ui/win32/FormControls.h"
#include "ui/win32/FrontEndAdapter.h"
#include "ui/win32/HistoryViewer.h"
#include "ui/win32/InputLine.h"
#include "ui/win32/PeerListView.h"
#include "ui/win32/SystemSound.h"
#include "ui/win32/TranscriptView.h"
#include "ui/win32/TrayIcon.h"
#include "ui/win32/WakeUpWindow.h"

#include <memory>
#include <string>
#include <windows.h>

namespace lirbo::win32 {

// The main window: it builds its controls and menu from the main window's description, lays them
// out, and forwards every event to the session through its views; the session draws through the
// front-end adapter. The session owns the chat; this owns only windows, fonts and bitmaps.
class TMainChat {
public:
    // Builds the window (hidden) and brings the transport up; a failure there leaves as
    // core::Exception with no window left behind. The transport and the hand-over outlive it.
    TMainChat(HINSTANCE instance, net::IChatTransport& transport, net::IHandOverQueue& handOver);
    ~TMainChat();
    TMainChat(const TMainChat&) = delete;
    TMainChat& operator=(const TMainChat&) = delete;

    // FormCreate, then show the window the way the launcher asked, focus in the input line.
    void show(int showCommand);
    // Runs the message loop until the application is told to end.
    int run();

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void buildControls();
    // Fonts, glyphs, list rows and layout for the window's scaling; again when it changes.
    void applyDpi();
    void command(int id, int notification);
    void FormResize();
    void endSession();
    void openHistoryViewer();

    HINSTANCE m_instance;
    const std::wstring m_title;
    // The hand-over's wake-up serves what the listener received, then draws what it added.
    WakeUpWindow m_application{m_instance, m_title.c_str(), [this] {
                                   if (m_session) {
                                       m_session->serveHandOver();
                                       m_memoChat.drawIfDue();
                                   }
                               }};
    HWND m_window = nullptr;
    Dpi m_dpi;
    HFONT m_font = nullptr;
    HWND m_hints = nullptr;
    HWND m_lastFocus = nullptr;
    bool m_programActive = false; // as WM_ACTIVATEAPP last told
    // Reset first on the way out: hand-overs still queued run while every view is alive.
    std::unique_ptr<FrontEndAdapter> m_frontEnd;
    std::unique_ptr<app::ChatSession> m_session;
    FormControls m_controls{ui::mainWindowForm()};
    InputLine m_input{m_session};
    PeerListView m_peers{m_session};
    TranscriptView m_memoChat;
    TrayIcon m_tray;
    FindBar m_findBar{[this](const std::string& text, bool backward) { return m_memoChat.find(text, backward); }};
    std::unique_ptr<HistoryViewer> m_historyViewer; // made at its first opening
    HACCEL m_keys = nullptr;
    SystemSound m_sound; // outlives the session, which plays through it
    ConnectionCheckUi m_check{m_instance, [this] { FormResize(); }};
};

} // namespace lirbo::win32
