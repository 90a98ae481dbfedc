#include "ui/qt/Tipedit.h"

#include "ui/qt/AutoSelectLineEdit.h"
#include "ui/qt/Cp1251.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace lirbo::ui {

Tipedit::Tipedit(QWidget* parent) : FixedDialog(parent, QStringLiteral("Редактор IP"), QSize(145, 88)) {
    setObjectName(QStringLiteral("ipedit"));

    m_label1 = addLabel(QStringLiteral("Label1"), QStringLiteral("IP собеседника:"), QPoint(8, 8));
    m_newip = new AutoSelectLineEdit(this);
    m_newip->setObjectName(QStringLiteral("newip"));
    m_newip->setGeometry(8, 24, 129, 21);
    m_newip->installEventFilter(this);

    m_button1 = addButton(QStringLiteral("Button1"), QStringLiteral("OK"), QRect(8, 56, 57, 25));
    m_button2 = addButton(QStringLiteral("Button2"), QStringLiteral("Отмена"), QRect(80, 56, 57, 25));
    connect(m_button1, &QPushButton::clicked, this, [this] { done(kResultOk); });
    connect(m_button2, &QPushButton::clicked, this, [this] { done(kResultCancel); });

    setTabOrder(m_newip, m_button1);
    setTabOrder(m_button1, m_button2);
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
