#pragma once

#include <QListWidget>

namespace lirbo::ui {

// The peer list box: one row selected at most. The user selects a row by clicking it or moving
// to it with the keyboard, but no gesture takes the selection away (a click below the last row,
// Ctrl+click or Ctrl+Space on the selected row); only edits of the list change it otherwise.
class PeerListBox : public QListWidget {
    Q_OBJECT
public:
    explicit PeerListBox(QWidget* parent = nullptr);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override;
};

} // namespace lirbo::ui
