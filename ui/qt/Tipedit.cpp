#include "ui/qt/Tipedit.h"

#include "ui/common/DialogForms.h"
#include "ui/qt/AutoSelectLineEdit.h"
#include "ui/qt/Cp1251.h"

#include <QKeyEvent>
#include <QPushButton>

namespace lirbo::ui {

Tipedit::Tipedit(QWidget* parent) : FixedDialog(parent, ipEditForm()) {
    m_newip = control<AutoSelectLineEdit>("newip");
    m_button1 = control<QPushButton>("Button1");
    m_button2 = control<QPushButton>("Button2");
    m_newip->installEventFilter(this);
    connect(m_button1, &QPushButton::clicked, this, [this] { done(kResultOk); });
    connect(m_button2, &QPushButton::clicked, this, [this] { done(kResultCancel); });
    setInitialFocus(m_newip);
}

bool Tipedit::ask(QWidget* parent, std::string& address) {
    Tipedit editor(parent);
    editor.setAddress(fromCp1251(address));
    if (editor.exec() != kResultOk) {
        return false;
    }
    address = toCp1251(editor.address());
    return true;
}

void Tipedit::setAddress(const QString& address) {
    m_newip->setText(address);
}

QString Tipedit::address() const {
    return m_newip->text();
}

bool Tipedit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_newip && event->type() == QEvent::KeyPress) {
        newipKeyPress(*static_cast<QKeyEvent*>(event));
    }
    // The key goes on to the field either way.
    return FixedDialog::eventFilter(watched, event);
}

void Tipedit::newipKeyPress(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
        m_button1->click();
    }
}

} // namespace lirbo::ui
