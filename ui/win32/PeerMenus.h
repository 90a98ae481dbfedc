#pragma once

#include "app/ChatSession.h"

#include <string>
#include <windows.h>

namespace lirbo::win32 {

// The items that name and mute a peer, for the peer list's rows and the transcript's headers.
namespace PeerMenus {

// The command of the mute item in a menu of this program's popups.
constexpr UINT kMuteSender = 100;

// Appends "Не показывать сообщения с этого адреса", or "Показывать ..." for a muted `address`.
void appendMuteItem(HMENU menu, const app::ChatSession& session, const std::string& address);
// Carries out the mute item when it is `chosen`; false for any other choice.
bool takeMuteChoice(UINT chosen, app::ChatSession& session, const std::string& address);
// The menu of the peer list's row `row` at `screen`: "Подписать..." and the mute item.
void showForRow(HWND owner, app::ChatSession& session, int row, POINT screen);

} // namespace PeerMenus

} // namespace lirbo::win32
