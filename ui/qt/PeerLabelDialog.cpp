#include "ui/qt/PeerLabelDialog.h"

#include "ui/qt/AutoSelectLineEdit.h"
#include "ui/qt/Cp1251.h"
#include "ui/qt/MessageBoxes.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace lirbo::ui {

PeerLabelDialog::PeerLabelDialog(QWidget* parent, const QString& address)
    : FixedDialog(parent, QStringLiteral("Подпись"), QSize(185, 104)) {
    setObjectName(QStringLiteral("podpis"));

    addLabel(QStringLiteral("Label1"), QStringLiteral("Подпись для адреса:"), QPoint(8, 8));
    QLabel* addressLabel = addLabel(QStringLiteral("Label2"), address, QPoint(8, 24));
    addressLabel->setTextFormat(Qt::PlainText); // the address is shown as typed, never as markup
    addressLabel->setFixedWidth(169);
    m_label = new AutoSelectLineEdit(this);
    m_label->setObjectName(QStringLiteral("podpis_edit"));
    m_label->setGeometry(8, 40, 169, 21);
    m_label->installEventFilter(this);

    m_ok = addButton(QStringLiteral("Button1"), QStringLiteral("OK"), QRect(8, 72, 75, 25));
    QPushButton* cancel = addButton(QStringLiteral("Button2"), QStringLiteral("Отмена"), QRect(102, 72, 75, 25));
    connect(m_ok, &QPushButton::clicked, this, &PeerLabelDialog::okClick);
    connect(cancel, &QPushButton::clicked, this, [this] { done(kResultCancel); });

    setTabOrder(m_label, m_ok);
    setTabOrder(m_ok, cancel);
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
