#include "ui/qt/TypeAhead.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace lirbo::ui {

TypeAhead::TypeAhead(QWidget* window) : m_window(window) {
    QCoreApplication::instance()->installEventFilter(this);
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(this);
}

TypeAhead::~TypeAhead() {
    for (Key& key : m_keys) {
        if (key.receiver) {
            QCoreApplication::postEvent(key.receiver, key.event.release());
        }
    }
}

bool TypeAhead::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != m_window) {
        return false;
    }
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Taken as typing: a shortcut would run a command inside the one that is ending.
        event->accept();
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto* key = static_cast<const QKeyEvent*>(event);
        m_keys.push_back({widget, std::make_unique<QKeyEvent>(key->type(), key->key(), key->modifiers(), key->text(),
                                                              key->isAutoRepeat(), key->count())});
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
    case QEvent::Wheel:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

} // namespace lirbo::ui
