#include "ui/qt/PlainText.h"

#include <QTextDocument>

namespace lirbo::ui {

QString plainToolTip(const QString& text) {
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap) : text;
}

QString plainMenuText(const QString& text) {
    QString doubled = text;
    return doubled.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace lirbo::ui
