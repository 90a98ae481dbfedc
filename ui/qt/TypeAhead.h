#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

class QKeyEvent;
class QWidget;

namespace lirbo::ui {

// Keeps the keys typed into a window while a command held the main thread, across the modal box
// that ends the command. Qt drops the input of a window that a modal box blocks, and the box would
// open before those keys were read: this reads them first and hands them to their widgets again
// when it goes, after the box has closed. Everything else waiting is handled as the box's own loop
// would handle it; clicks and closing the window are refused, as the box would refuse them.
class TypeAhead : public QObject {
public:
    explicit TypeAhead(QWidget* window);
    ~TypeAhead() override;
    TypeAhead(const TypeAhead&) = delete;
    TypeAhead& operator=(const TypeAhead&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Key {
        QPointer<QObject> receiver;
        std::unique_ptr<QKeyEvent> event;
    };

    QWidget* m_window;
    std::vector<Key> m_keys;
};

} // namespace lirbo::ui
