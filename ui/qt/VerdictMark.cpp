#include "ui/qt/VerdictMark.h"

#include <QPainter>
#include <QPixmap>

namespace lirbo::ui {

namespace {

QIcon dot(const QColor& colour, bool filled) {
    QPixmap picture(8, 8);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(colour);
    painter.setBrush(filled ? QBrush(colour) : QBrush(Qt::NoBrush));
    painter.drawEllipse(QRectF(1, 1, 6, 6));
    return QIcon(picture);
}

} // namespace

QIcon verdictMark(app::ConnectionVerdict verdict) {
    static const QIcon problem = dot(QColor(0xC0, 0x00, 0x00), true);
    static const QIcon answers = dot(QColor(0x00, 0x90, 0x00), true);
    static const QIcon neutral = dot(QColor(0x90, 0x90, 0x90), false);
    if (app::verdictIsProblem(verdict)) {
        return problem;
    }
    return verdict == app::ConnectionVerdict::Answers ? answers : neutral;
}

} // namespace lirbo::ui
