#include "ui/qt/AttentionTray.h"

#include "ui/qt/PlainText.h"

#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>

namespace lirbo::ui {

namespace {

// The window's icon with a red dot in its top-right quarter.
QIcon markedIcon(const QIcon& plain) {
    QPixmap picture = plain.pixmap(32, 32);
    if (picture.isNull()) {
        picture = QPixmap(32, 32);
        picture.fill(Qt::transparent);
    }
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(QColor(220, 0, 0));
    const int d = picture.width() / 2;
    painter.drawEllipse(picture.width() - d - 1, 1, d, d);
    return QIcon(picture);
}

} // namespace

AttentionTray::AttentionTray(QWidget& window)
    : QObject(&window), m_window(window), m_hint(QStringLiteral("Lirbo")), m_toolTip(m_hint) {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        return;
    }
    m_icon = new QSystemTrayIcon(m_window.windowIcon(), this);
    m_icon->setToolTip(m_hint);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
            emit restoreRequested();
        }
    });
    m_icon->show();
}

void AttentionTray::show(const QString& hint, bool unread) {
    const bool markChanged = unread != m_marked;
    m_hint = hint;
    m_toolTip = plainToolTip(hint); // the hint holds a sender's nick
    m_marked = unread;
    if (m_icon == nullptr) {
        return;
    }
    m_icon->setToolTip(m_toolTip);
    if (markChanged) {
        m_icon->setIcon(unread ? markedIcon(m_window.windowIcon()) : m_window.windowIcon());
    }
}

} // namespace lirbo::ui
