#include "ui/qt/PeerListBox.h"

namespace lirbo::ui {

PeerListBox::PeerListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QItemSelectionModel::SelectionFlags PeerListBox::selectionCommand(const QModelIndex& index, const QEvent* event) const {
    const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    if (event == nullptr) {
        return command; // the program itself sets or clears the selection after a list edit
    }
    // A mouse or key event may move the selection to a row, never leave the list without one.
    if (!index.isValid() || command.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)) {
        return QItemSelectionModel::NoUpdate;
    }
    return command;
}

} // namespace lirbo::ui
