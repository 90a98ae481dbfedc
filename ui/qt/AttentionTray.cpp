#include "ui/qt/AttentionTray.h"

#include "core/Texts.h"
#include "ui/qt/PlainText.h"
#include "ui/qt/UiText.h"

#include <QAction>
#include <QMenu>
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

std::function<bool()>& trayForTests() {
    static std::function<bool()> available;
    return available;
}

} // namespace

void AttentionTray::assumeTrayForTests(std::function<bool()> available) {
    trayForTests() = std::move(available);
}

AttentionTray::AttentionTray(QWidget& window, std::function<bool()> doNotDisturb)
    : QObject(&window), m_window(window), m_menu(new QMenu(&window)), m_hint(uiText(text::kProgramTitle)),
      m_toolTip(m_hint) {
    m_menu->setObjectName(QStringLiteral("trayMenu"));
    auto addItem = [this](const char* name, const QString& title) {
        QAction* action = m_menu->addAction(title);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    connect(addItem("trayOpen", uiText(text::kTrayOpen)), &QAction::triggered, this, &AttentionTray::restoreRequested);
    QAction* quiet = addItem("trayDoNotDisturb", uiText(text::kMenuDoNotDisturb));
    quiet->setCheckable(true);
    connect(quiet, &QAction::triggered, this, &AttentionTray::doNotDisturbToggled);
    m_menu->addSeparator();
    connect(addItem("trayExit", uiText(text::kMenuExit)), &QAction::triggered, this, &AttentionTray::exitRequested);
    connect(m_menu, &QMenu::aboutToShow, this,
            [quiet, doNotDisturb = std::move(doNotDisturb)] { quiet->setChecked(doNotDisturb && doNotDisturb()); });

    const auto& assumed = trayForTests();
    if (!(assumed ? assumed() : QSystemTrayIcon::isSystemTrayAvailable())) {
        return;
    }
    m_icon = new QSystemTrayIcon(m_window.windowIcon(), this);
    m_icon->setToolTip(m_hint);
    m_icon->setContextMenu(m_menu);
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
