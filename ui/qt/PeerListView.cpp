#include "ui/qt/PeerListView.h"

#include "app/ChatSession.h"
#include "ui/qt/Cp1251.h"
#include "ui/qt/DescribedForm.h"
#include "ui/qt/HiddenMessagesBox.h"
#include "ui/qt/PeerListBox.h"
#include "ui/qt/PeerMenus.h"
#include "ui/qt/PeerRowDelegate.h"
#include "ui/qt/PlainText.h"
#include "ui/qt/TranscriptView.h"
#include "ui/qt/VerdictMark.h"

#include <QMenu>
#include <QPushButton>
#include <algorithm>
#include <optional>
#include <string_view>

namespace lirbo::ui {

namespace {

// Turns off a widget's drawing for the lifetime of the guard, also when an error leaves early.
class UpdatesOff {
public:
    explicit UpdatesOff(QWidget& widget) : m_widget(widget) { m_widget.setUpdatesEnabled(false); }
    ~UpdatesOff() { m_widget.setUpdatesEnabled(true); }
    UpdatesOff(const UpdatesOff&) = delete;
    UpdatesOff& operator=(const UpdatesOff&) = delete;

private:
    QWidget& m_widget;
};

} // namespace

PeerListView::PeerListView(app::ChatSession& session, DescribedForm& form, QWidget* parent)
    : QObject(parent), m_session(session), m_owner(parent) {
    m_iplist = form.adopt(new PeerListBox(parent), "iplist");
    m_iplist->setSelectionMode(QAbstractItemView::SingleSelection);
    m_iplist->setUniformItemSizes(true);
    m_iplist->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_iplist->setItemDelegate(new PeerRowDelegate(m_iplist));
    m_iplist->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_iplist, &QWidget::customContextMenuRequested, this, &PeerListView::showRowMenu);
    connect(m_iplist, &QListWidget::itemSelectionChanged, this, [this] {
        const auto selected = m_iplist->selectedItems();
        m_session.selectPeer(selected.isEmpty() ? -1 : m_iplist->row(selected.constFirst()));
    });

    // The glyph buttons in the description's keyboard order, each forwarding to the session.
    struct Button {
        std::string_view name;
        void (*command)(app::ChatSession&);
        bool redrawOnce; // a long list loaded redraws once
    };
    static constexpr Button kButtons[] = {
        {"add", [](app::ChatSession& s) { s.addPeer(); }, false},
        {"del", [](app::ChatSession& s) { s.deletePeer(); }, false},
        {"loadlist", [](app::ChatSession& s) { s.loadPeerList(); }, true},
        {"savelist", [](app::ChatSession& s) { s.savePeerList(); }, false},
        {"privat", [](app::ChatSession& s) { s.sendPrivate(); }, false},
        {"editIP", [](app::ChatSession& s) { s.editPeer(); }, false},
    };
    for (const Button& button : kButtons) {
        auto* widget = form.adopt(new QPushButton(parent), button.name);
        connect(widget, &QPushButton::clicked, this, [this, command = button.command, redrawOnce = button.redrawOnce] {
            std::optional<UpdatesOff> off;
            if (redrawOnce) {
                off.emplace(*m_iplist);
            }
            command(m_session);
        });
    }

    m_hiddenCount = form.adopt(new QPushButton(parent), "hiddenCount");
    m_hiddenCount->setFlat(true);
    connect(m_hiddenCount, &QPushButton::clicked, this, &PeerListView::showHiddenMessages);

    m_presenceRedraw.setSingleShot(true);
    connect(&m_presenceRedraw, &QTimer::timeout, this, &PeerListView::showPresence);
}

void PeerListView::showPeers() {
    const core::TPeerList& peers = m_session.peers();
    const auto& entries = peers.entries();
    const QSignalBlocker blocker(m_iplist);
    if (m_iplist->count() != static_cast<int>(entries.size())) {
        const UpdatesOff off(*m_iplist);
        m_iplist->clear();
        QStringList rows;
        rows.reserve(static_cast<qsizetype>(entries.size()));
        for (const std::string& entry : entries) {
            rows.append(fromCp1251(entry));
        }
        m_iplist->addItems(rows);
    } else {
        for (int i = 0; i < m_iplist->count(); ++i) {
            const QString text = fromCp1251(entries[static_cast<std::size_t>(i)]);
            if (m_iplist->item(i)->text() != text) {
                m_iplist->item(i)->setText(text);
            }
        }
    }
    const int selected = peers.selectedIndex();
    if (selected < 0) {
        m_iplist->clearSelection();
        m_iplist->setCurrentRow(-1);
    } else {
        m_iplist->setCurrentRow(selected, QItemSelectionModel::ClearAndSelect);
    }
    showPresence();
}

void PeerListView::presenceChanged() {
    if (!m_presenceRedraw.isActive()) {
        m_presenceRedraw.start(TranscriptView::kBatchInterval);
    }
}

// Each row's hint says when its address last sent; a row whose address said goodbye is grey, and
// one whose lookup or send failed is red, its hint led by the error.
void PeerListView::showPresence() {
    const QBrush grey = m_owner->window()->palette().brush(QPalette::Disabled, QPalette::Text);
    const QBrush red(QColor(0xC0, 0x00, 0x00));
    const int rows = std::min(m_iplist->count(), m_session.peers().count());
    for (int i = 0; i < rows; ++i) {
        const app::Presence::Row row = m_session.peerPresence(i);
        QListWidgetItem* item = m_iplist->item(i);
        const QString hint = plainToolTip(fromCp1251(row.hint));
        if (item->toolTip() != hint) {
            item->setToolTip(hint);
        }
        const app::PeerNames::Name name = m_session.peerName(i);
        const QString nameText = fromCp1251(name.text);
        if (item->data(PeerRowDelegate::kNameRole).toString() != nameText ||
            item->data(PeerRowDelegate::kLearnedRole).toBool() != name.learned) {
            item->setData(PeerRowDelegate::kNameRole, nameText);
            item->setData(PeerRowDelegate::kLearnedRole, name.learned);
        }
        const QVariant foreground = row.failed ? QVariant(red) : row.departed ? QVariant(grey) : QVariant();
        if (item->data(Qt::ForegroundRole) != foreground) {
            item->setData(Qt::ForegroundRole, foreground);
        }
        if (item->data(Qt::UserRole).toInt() != static_cast<int>(row.verdict) || item->icon().isNull()) {
            item->setData(Qt::UserRole, static_cast<int>(row.verdict));
            item->setIcon(verdictMark(row.verdict));
        }
    }
    emit presenceShown();
}

// A row's menu: its label and its muting.
void PeerListView::showRowMenu(const QPoint& position) {
    const int row = m_iplist->row(m_iplist->itemAt(position));
    if (row >= 0 && row < m_session.peers().count()) {
        PeerMenus::forRow(m_owner->window(), m_session, row)->exec(m_iplist->viewport()->mapToGlobal(position));
    }
}

void PeerListView::showHiddenCount() {
    m_hiddenCount->setText(fromCp1251(m_session.hidden().countText()));
    m_hiddenCount->show();
}

void PeerListView::showHiddenMessages() {
    QStringList lines;
    for (const std::string& line : m_session.hidden().lines()) {
        lines.append(fromCp1251(line));
    }
    HiddenMessagesBox(m_owner->window(), lines).exec();
}

} // namespace lirbo::ui
