#include "ui/qt/ModalSeam.h"

namespace lirbo::ui {

std::deque<int>& ModalSeam::buttons() {
    static std::deque<int> queue;
    return queue;
}

std::deque<QString>& ModalSeam::fileNames() {
    static std::deque<QString> queue;
    return queue;
}

QStringList& ModalSeam::log() {
    static QStringList entries;
    return entries;
}

void ModalSeam::queueButton(int button) {
    buttons().push_back(button);
}

void ModalSeam::queueFileName(const QString& path) {
    fileNames().push_back(path);
}

std::optional<int> ModalSeam::takeButton(const QString& caption, const QString& text) {
    if (buttons().empty()) {
        return std::nullopt;
    }
    const int button = buttons().front();
    buttons().pop_front();
    log().append(caption + '|' + text);
    return button;
}

std::optional<QString> ModalSeam::takeFileName(const QString& title, const QString& offered) {
    if (fileNames().empty()) {
        return std::nullopt;
    }
    QString path = fileNames().front();
    fileNames().pop_front();
    log().append(title + '|' + offered);
    return path;
}

const QStringList& ModalSeam::shown() {
    return log();
}

void ModalSeam::reset() {
    buttons().clear();
    fileNames().clear();
    log().clear();
}

} // namespace lirbo::ui
