#pragma once

#include <QStyledItemDelegate>

namespace lirbo::ui {

// Draws a peer row as its address followed by the row's name: a label as plain text, a nick
// learned from the network in grey italic. The name is elided to the row and never read as markup.
class PeerRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    // The item data the name and its kind are kept in.
    static constexpr int kNameRole = Qt::UserRole + 1;
    static constexpr int kLearnedRole = Qt::UserRole + 2;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace lirbo::ui
