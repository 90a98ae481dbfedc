#include "ui/qt/PeerMenus.h"

#include "core/Texts.h"
#include "ui/qt/UiText.h"

#include <QAction>
#include <QMenu>

namespace lirbo::ui::PeerMenus {

void addMuteItem(QMenu& menu, app::ChatSession& session, const std::string& address) {
    const bool muted = session.muted(address);
    QAction* item = menu.addAction(muted ? uiText(text::kShowFromAddress) : uiText(text::kHideFromAddress));
    item->setObjectName(QStringLiteral("muteSender"));
    QObject::connect(item, &QAction::triggered, &menu,
                     [&session, address, muted] { session.muteSender(address, !muted); });
}

std::unique_ptr<QMenu> forRow(QWidget* parent, app::ChatSession& session, int row) {
    auto menu = std::make_unique<QMenu>(parent);
    menu->setObjectName(QStringLiteral("peerRowMenu"));
    QAction* label = menu->addAction(uiText(text::kLabelPeerItem));
    label->setObjectName(QStringLiteral("labelPeer"));
    QObject::connect(label, &QAction::triggered, menu.get(), [&session, row] { session.labelPeer(row); });
    addMuteItem(*menu, session, session.peers().get(row));
    return menu;
}

} // namespace lirbo::ui::PeerMenus
