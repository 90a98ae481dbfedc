#include "ui/win32/TranscriptView.h"

#include "app/ChatSession.h"
#include "app/TranscriptPositions.h"
#include "core/RtfWriter.h"
#include "core/StyledMessage.h"
#include "core/Texts.h"
#include "ui/win32/PeerMenus.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

#include <algorithm>
#include <commctrl.h>
#include <richedit.h>
#include <string>

namespace lirbo::win32 {

namespace {
// Above one removed line for this many that stay, MemoChat is filled afresh instead.
constexpr std::size_t kRebuildShare = 4;

std::int64_t now() {
    return static_cast<std::int64_t>(GetTickCount64());
}
} // namespace

bool TranscriptView::loadLibrary() {
    return LoadLibraryW(L"riched20.dll") != nullptr;
}

void TranscriptView::create(HWND parent, HINSTANCE instance, int id, HFONT font) {
    m_parent = parent;
    m_instance = instance;
    m_id = id;
    m_font = font;
    m_edit = make();
}

HWND TranscriptView::make() const {
    HWND edit =
        CreateWindowExW(WS_EX_CLIENTEDGE, RICHEDIT_CLASSW, L"",
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                        0, 0, 0, 0, m_parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(m_id)), m_instance, nullptr);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    SendMessageW(edit, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    SendMessageW(edit, EM_SETEVENTMASK, 0, 0);
    SendMessageW(edit, EM_SETUNDOLIMIT, 0, 0);
    SetWindowSubclass(edit, &TranscriptView::keysProc, 1, 0);
    return edit;
}

// A multi-line edit keeps Tab for itself; the transcript is read-only, so Tab and Shift+Tab move
// the focus on to the input line and back, closing the window's Tab cycle.
LRESULT CALLBACK TranscriptView::keysProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_GETDLGCODE) {
        LRESULT code = DefSubclassProc(edit, message, wParam, lParam) & ~DLGC_WANTTAB;
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_TAB) {
            code &= ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
        }
        return code;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(edit, &TranscriptView::keysProc, 1);
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

void TranscriptView::select(std::pair<long, long> range) {
    SendMessageW(m_edit, EM_SETOPTIONS, ECOOP_OR, ECO_NOHIDESEL);
    CHARRANGE selection{range.first, range.second};
    SendMessageW(m_edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    SendMessageW(m_edit, EM_SCROLLCARET, 0, 0);
}

void TranscriptView::setFont(HFONT font) {
    m_font = font;
    SendMessageW(m_edit, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
}

// Emptying the control costs it time for each line times the lines that follow, so a fresh
// control takes the old one's place: same position, size, place in the tab order and focus.
void TranscriptView::replaceControl() {
    HWND fresh = make();
    RECT area;
    GetWindowRect(m_edit, &area);
    MapWindowPoints(nullptr, m_parent, reinterpret_cast<POINT*>(&area), 2);
    SendMessageW(fresh, WM_SETREDRAW, FALSE, 0);
    SetWindowPos(fresh, m_edit, area.left, area.top, area.right - area.left, area.bottom - area.top, SWP_NOACTIVATE);
    const bool focused = GetFocus() == m_edit;
    DestroyWindow(m_edit);
    m_edit = fresh;
    if (focused) {
        SetFocus(m_edit);
    }
}

namespace {
struct StreamSource {
    const std::string* rtf;
    std::size_t offset;
};

DWORD CALLBACK readStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    const std::size_t count = std::min(static_cast<std::size_t>(wanted), source->rtf->size() - source->offset);
    std::copy_n(source->rtf->data() + source->offset, count, buffer);
    source->offset += count;
    *given = static_cast<LONG>(count);
    return 0;
}
} // namespace

// The new messages go in as one stream of rich text, the document core writes for them: one
// insertion and one layout per batch, where a run at a time cost a layout of the whole control per
// run. The writer escapes all text, so received bytes never become markup.
void TranscriptView::appendAll(std::size_t from, std::size_t count) {
    const auto& messages = m_mirror->transcript().messages();
    for (std::size_t i = from; i < from + count; ++i) {
        m_lengths.push_back(core::drawnLength(messages[i]));
        m_shown += m_lengths.back();
    }
    const std::string rtf = core::messagesToRtf(messages, from, count);
    StreamSource source{&rtf, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, readStream};
    SendMessageW(m_edit, EM_STREAMIN, SF_RTF | SFF_SELECTION, reinterpret_cast<LPARAM>(&stream));
}

void TranscriptView::attach(app::ChatSession& session) {
    m_session = &session;
    m_mirror = &session.mirror();
}

void TranscriptView::changed() {
    if (const auto delay = m_pacing.changed(now())) {
        if (*delay == 0) {
            PostMessageW(m_parent, WM_LIRBO_DRAW_TRANSCRIPT, 0, 0);
        } else {
            SetTimer(m_parent, kDrawTimer, static_cast<UINT>(*delay), nullptr);
        }
    }
}

void TranscriptView::drawPending() {
    if (m_pacing.pending()) {
        draw();
    }
}

void TranscriptView::drawIfDue() {
    if (m_pacing.due(now())) {
        draw();
    }
}

void TranscriptView::draw() {
    KillTimer(m_parent, kDrawTimer);
    const std::int64_t started = now();
    if (m_mirror == nullptr || m_mirror->upToDate()) {
        m_pacing.drew(started, started);
        return;
    }
    app::TranscriptMirror& mirror = *m_mirror;
    const app::TranscriptBatch batch = mirror.takeBatch();
    SendMessageW(m_edit, WM_SETREDRAW, FALSE, 0);
    const auto& messages = mirror.transcript().messages();
    std::size_t appendFrom = batch.appendFrom;
    // Removing lines from the top costs the control time for each line removed times the lines
    // that stay (every removed paragraph shifts all that follow), while emptying it and streaming
    // the whole model in again costs the same for any number removed: under a flood that trims
    // many lines per batch, the whole model goes in afresh.
    const bool rebuild = batch.clearAll || batch.removeOldest * kRebuildShare > m_lengths.size();
    // A clear (the user's, or a flood that pushed out everything shown) also takes a fresh
    // control: emptying a full one costs as much as trimming every line of it.
    if (rebuild && !m_lengths.empty()) {
        replaceControl();
    }
    if (rebuild) {
        m_lengths.clear();
        m_shown = 0;
        appendFrom = 0;
    }
    std::size_t removed = 0;
    for (std::size_t i = 0; !rebuild && i < batch.removeOldest && !m_lengths.empty(); ++i) {
        removed += m_lengths.front();
        m_lengths.pop_front();
    }
    if (removed != 0) {
        SendMessageW(m_edit, EM_SETSEL, 0, static_cast<LPARAM>(removed));
        SendMessageW(m_edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
        m_shown -= removed;
    }
    if (appendFrom < messages.size()) {
        const std::size_t end = m_shown;
        SendMessageW(m_edit, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
        appendAll(appendFrom, messages.size() - appendFrom);
    }
    SendMessageW(m_edit, WM_SETREDRAW, TRUE, 0);
    if (batch.appendCount != 0) {
        // The end of the last body; the final line break opens an empty last line.
        const std::size_t end = m_shown > 0 ? m_shown - 1 : 0;
        SendMessageW(m_edit, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
        SendMessageW(m_edit, EM_SCROLLCARET, 0, 0);
    }
    // The scroll bar does not repaint itself after drawing was off.
    RedrawWindow(m_edit, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
    m_pacing.drew(started, now());
}

bool TranscriptView::find(const std::string& text, bool backward) {
    const auto match = m_session != nullptr ? m_session->find(text, backward) : std::nullopt;
    if (!match) {
        return false;
    }
    draw(); // the control's paragraphs are then the model's messages
    // The match stays marked while the find dialog has the focus.
    select(app::TranscriptPositions(m_session->transcript()).range(*match));
    return true;
}

// Each message is two paragraphs of the control, header first, once it has caught up with the model.
void TranscriptView::contextMenu(POINT screen) {
    if (m_session == nullptr) {
        return;
    }
    drawPending();
    POINT client = screen;
    ScreenToClient(m_edit, &client);
    const auto character =
        static_cast<LONG>(SendMessageW(m_edit, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&client)));
    const long paragraph = app::TranscriptPositions(m_session->transcript()).paragraphAt(character);
    if (paragraph < 0 || paragraph % 2 != 0) {
        return;
    }
    const auto sender = m_session->senderAt(static_cast<std::size_t>(paragraph / 2));
    if (!sender) {
        return;
    }
    HMENU menu = CreatePopupMenu();
    constexpr UINT kAddSender = 1;
    if (m_session->unlistedSender(static_cast<std::size_t>(paragraph / 2))) {
        // The address as plain text: an "&" in it would otherwise mark an access key.
        std::wstring address;
        for (const wchar_t c : wide(*sender)) {
            address += c == L'&' ? L"&&" : std::wstring(1, c);
        }
        const std::wstring caption = uiText(text::kAddSenderBefore) + address + uiText(text::kAddSenderAfter);
        AppendMenuW(menu, MF_STRING, kAddSender, caption.c_str());
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    }
    PeerMenus::appendMuteItem(menu, *m_session, *sender);
    const auto chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x, screen.y, 0, m_parent, nullptr));
    DestroyMenu(menu);
    if (chosen == kAddSender) {
        m_session->addSender(*sender);
    } else {
        PeerMenus::takeMuteChoice(chosen, *m_session, *sender);
    }
}

} // namespace lirbo::win32
