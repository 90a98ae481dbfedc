#include "ui/win32/PeerMenus.h"

#include "core/Texts.h"
#include "ui/win32/WindowText.h"

namespace lirbo::win32::PeerMenus {

namespace {
constexpr UINT kLabelPeer = 101;
} // namespace

void appendMuteItem(HMENU menu, const app::ChatSession& session, const std::string& address) {
    AppendMenuW(menu, MF_STRING, kMuteSender,
                uiText(session.muted(address) ? text::kShowFromAddress : text::kHideFromAddress).c_str());
}

bool takeMuteChoice(UINT chosen, app::ChatSession& session, const std::string& address) {
    if (chosen != kMuteSender) {
        return false;
    }
    session.muteSender(address, !session.muted(address));
    return true;
}

void showForRow(HWND owner, app::ChatSession& session, int row, POINT screen) {
    const std::string address = session.peers().get(row);
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, kLabelPeer, uiText(text::kLabelPeerItem).c_str());
    appendMuteItem(menu, session, address);
    const auto chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x, screen.y, 0, owner, nullptr));
    DestroyMenu(menu);
    if (chosen == kLabelPeer) {
        session.labelPeer(row);
    } else {
        takeMuteChoice(chosen, session, address);
    }
}

} // namespace lirbo::win32::PeerMenus
