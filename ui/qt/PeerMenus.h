#pragma once

#include "app/ChatSession.h"

#include <memory>
#include <string>

class QMenu;
class QWidget;

namespace lirbo::ui {

// The items that name and mute a peer, for the peer list's rows and the transcript's headers.
namespace PeerMenus {

// Appends "Не показывать сообщения с этого адреса", or "Показывать ..." for a muted `address`.
void addMuteItem(QMenu& menu, app::ChatSession& session, const std::string& address);
// The menu of the peer list's row `row`: "Подписать..." and the mute item.
std::unique_ptr<QMenu> forRow(QWidget* parent, app::ChatSession& session, int row);

} // namespace PeerMenus

} // namespace lirbo::ui
