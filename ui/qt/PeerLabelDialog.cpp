#include "ui/qt/PeerLabelDialog.h"

#include "ui/common/DialogForms.h"
#include "ui/qt/AutoSelectLineEdit.h"
#include "ui/qt/Cp1251.h"
#include "ui/qt/MessageBoxes.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace lirbo::ui {

PeerLabelDialog::PeerLabelDialog(QWidget* parent, const QString& address) : FixedDialog(parent, peerLabelForm()) {
    // A long address ends in "..." within the label's width; a screen reader says all of it.
    auto* addressLabel = control<QLabel>("Label2");
    addressLabel->setText(addressLabel->fontMetrics().elidedText(address, Qt::ElideRight, addressLabel->width()));
    addressLabel->setAccessibleName(address);
    m_label = control<AutoSelectLineEdit>("podpis_edit");
    m_label->installEventFilter(this);
    m_ok = control<QPushButton>("Button1");
    connect(m_ok, &QPushButton::clicked, this, &PeerLabelDialog::okClick);
    connect(control<QPushButton>("Button2"), &QPushButton::clicked, this, [this] { done(kResultCancel); });
    setInitialFocus(m_label);
}

bool PeerLabelDialog::ask(QWidget* parent, const std::string& address, std::string& label,
                          const app::IFrontEnd::TextCheck& checkLabel) {
    PeerLabelDialog dialog(parent, fromCp1251(address));
    dialog.setLabelCheck(checkLabel);
    dialog.setPeerLabel(fromCp1251(label));
    if (dialog.exec() != kResultOk) {
        return false;
    }
    label = toCp1251(dialog.peerLabel());
    return true;
}

void PeerLabelDialog::setPeerLabel(const QString& label) {
    m_label->setText(label);
}

QString PeerLabelDialog::peerLabel() const {
    return m_label->text();
}

void PeerLabelDialog::okClick() {
    if (m_checkLabel) {
        const std::string error = m_checkLabel(toTypedText(peerLabel()));
        if (!error.empty()) {
            MessageBoxes::showError(this, error);
            m_label->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    done(kResultOk);
}

bool PeerLabelDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_label && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_ok->click();
        }
    }
    return FixedDialog::eventFilter(watched, event);
}

} // namespace lirbo::ui
