#include "ui/win32/PeerListView.h"

#include "core/Texts.h"
#include "ui/win32/PeerMenus.h"
#include "ui/win32/SessionCommands.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

namespace lirbo::win32 {

namespace {

constexpr int kRowHeight = 13;

using app::ChatSession;

// The buttons beside the list.
constexpr SessionCommand kButtonCommands[] = {
    {IDC_ADD, &ChatSession::addPeer},           {IDC_EDITIP, &ChatSession::editPeer},
    {IDC_DEL, &ChatSession::deletePeer},        {IDC_LOADLIST, &ChatSession::loadPeerList},
    {IDC_SAVELIST, &ChatSession::savePeerList}, {IDC_PRIVAT, &ChatSession::sendPrivate},
};

} // namespace

void PeerListView::attach(HWND window, HWND hints) {
    m_window = window;
    m_list = GetDlgItem(window, IDC_IPLIST);
    m_hiddenCount = GetDlgItem(window, IDC_HIDDENCOUNT);
    m_rows.attach(m_list, hints,
                  [this](int index) { return m_session ? m_session->peerPresence(index) : app::Presence::Row{}; });
    m_rows.setNames([this](int index) { return m_session ? m_session->peerName(index) : app::PeerNames::Name{}; });
}

void PeerListView::setDpi(const Dpi& dpi) {
    SendMessageW(m_list, LB_SETITEMHEIGHT, 0, dpi(kRowHeight));
}

bool PeerListView::command(int id, int notification) {
    if (m_session && runSessionCommand(kButtonCommands, id, *m_session)) {
        return true;
    }
    switch (id) {
    case IDC_IPLIST:
        if (notification == LBN_SELCHANGE) {
            m_session->selectPeer(static_cast<int>(SendMessageW(m_list, LB_GETCURSEL, 0, 0)));
        }
        return true;
    case IDC_HIDDENCOUNT:
        if (notification == STN_CLICKED) {
            showHiddenMessages();
        }
        return true;
    default:
        return false;
    }
}

bool PeerListView::draw(WPARAM id, const DRAWITEMSTRUCT& item) const {
    if (id != IDC_IPLIST) {
        return false;
    }
    m_rows.draw(item);
    return true;
}

bool PeerListView::contextMenu(HWND from, POINT screen) {
    if (from != m_list || !m_session) {
        return false;
    }
    int row = static_cast<int>(SendMessageW(m_list, LB_GETCURSEL, 0, 0));
    if (screen.x == -1 && screen.y == -1) {
        RECT rect{};
        SendMessageW(m_list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
        screen = POINT{rect.left, rect.bottom};
        ClientToScreen(m_list, &screen);
    } else {
        POINT client = screen;
        ScreenToClient(m_list, &client);
        const LRESULT hit = SendMessageW(m_list, LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y));
        row = HIWORD(hit) != 0 ? -1 : static_cast<int>(LOWORD(hit));
    }
    if (row >= 0 && row < m_session->peers().count()) {
        PeerMenus::showForRow(m_window, *m_session, row, screen);
    }
    return true;
}

void PeerListView::peersChanged() {
    const auto& entries = m_session->peers().entries();
    SendMessageW(m_list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(m_list, LB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries) {
        SendMessageW(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(entry).c_str()));
    }
    SendMessageW(m_list, LB_SETCURSEL, static_cast<WPARAM>(m_session->peers().selectedIndex()), 0);
    m_rows.refresh();
    SendMessageW(m_list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_list, nullptr, TRUE);
}

void PeerListView::hiddenChanged() {
    setWindowText(m_hiddenCount, m_session->hidden().countText());
    ShowWindow(m_hiddenCount, SW_SHOWNA);
}

// The last hidden messages as the plain text of a box, which copies them with Ctrl+C.
void PeerListView::showHiddenMessages() {
    std::wstring text;
    for (const std::string& line : m_session->hidden().lines()) {
        text += wide(line) + L"\r\n";
    }
    MessageBoxW(m_window, text.c_str(), uiText(text::kHiddenMessagesCaption).c_str(), MB_OK);
}

} // namespace lirbo::win32
