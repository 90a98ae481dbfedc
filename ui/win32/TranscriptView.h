#pragma once

#include "app/RedrawPacing.h"

#include <cstddef>
#include <deque>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>

namespace lirbo::app {
class ChatSession;
class TranscriptMirror;
} // namespace lirbo::app

namespace lirbo::win32 {

// MemoChat: a read-only rich edit that mirrors the transcript model, drawing a batch at most as
// often as its pacing allows; it finds text in the transcript and offers the menu of a message's
// header. It only ever shows what the model holds; saving goes through the model, never through
// the control.
class TranscriptView {
public:
    // The parent's timer that draws a pending batch (the parent passes it on to drawPending, as it
    // does its WM_LIRBO_DRAW_TRANSCRIPT).
    static constexpr UINT_PTR kDrawTimer = 1;

    // Loads the rich edit library; false when the system has none.
    static bool loadLibrary();

    void create(HWND parent, HINSTANCE instance, int id, HFONT font);
    // The session whose transcript the control shows; before it, the control shows nothing.
    void attach(app::ChatSession& session);
    // A transcript of no session (the history viewer's day): drawn, never searched or offered a
    // menu here.
    void attach(app::TranscriptMirror& mirror) { m_mirror = &mirror; }
    HWND handle() const { return m_edit; }
    // The control's font at a new scaling; the text keeps its own point sizes.
    void setFont(HFONT font);

    // The model changed: a batch is drawn when its time comes.
    void changed();
    // Draws the pending batch now; drawIfDue only once its time has come (asked between
    // hand-overs: under a flood the queue is never empty, and a timer alone would wait for it to be).
    void drawPending();
    void drawIfDue();
    // Catches up with the model in one batch and scrolls to the end of the newest body.
    void draw();

    // Selects the session's next match of Windows-1251 `text` and scrolls it into view.
    bool find(const std::string& text, bool backward);
    // MemoChat's menu at a point of the screen: "Добавить <адрес> в список" on the header line of
    // a message from an address the peer list lacks.
    void contextMenu(POINT screen);
    // Selects the characters [first, after) and scrolls them into view; the selection stays
    // marked while another window has the focus.
    void select(std::pair<long, long> range);

private:
    void appendAll(std::size_t from, std::size_t count);

    HWND make() const;
    static LRESULT CALLBACK keysProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR);
    void replaceControl();

    HWND m_parent = nullptr;
    HINSTANCE m_instance = nullptr;
    int m_id = 0;
    HFONT m_font = nullptr;
    HWND m_edit = nullptr;
    app::ChatSession* m_session = nullptr;
    app::TranscriptMirror* m_mirror = nullptr; // the session's, or the one attached alone
    app::RedrawPacing m_pacing;
    std::deque<std::size_t> m_lengths; // characters of each message shown, oldest first
    std::size_t m_shown = 0;           // characters shown in all
};

} // namespace lirbo::win32
