#include "ui/qt/LirboLook.h"

#include "ui/qt/LirboStyle.h"
#include "ui/qt/Translations.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>

namespace lirbo::ui {

namespace {

constexpr int kPointSize = 8;

QString loadTahoma() {
    const QString file = QString::fromLatin1(LirboLook::kTahomaFile);
    if (!QFile::exists(file)) {
        return QString();
    }
    const int id = QFontDatabase::addApplicationFont(file);
    const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
    return families.isEmpty() ? QString() : families.constFirst();
}

} // namespace

QFont LirboLook::font() {
    static const QString tahoma = loadTahoma();
    QFont font;
    if (tahoma.isEmpty()) {
        font.setFamily(QStringLiteral("sans-serif"));
        font.setStyleHint(QFont::SansSerif);
    } else {
        font.setFamily(tahoma);
    }
    font.setPointSize(kPointSize);
    return font;
}

void LirboLook::setUpApplication(QApplication& app) {
    QCoreApplication::setApplicationName(QStringLiteral("Lirbo"));
    QGuiApplication::setDesktopFileName(QStringLiteral("lirbo")); // the taskbar finds lirbo.desktop
    QApplication::setStyle(new LirboStyle);
    QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, false);
    QApplication::setEffectEnabled(Qt::UI_FadeTooltip, false);
    app.setFont(font());
    Translations::install(app);
}

} // namespace lirbo::ui
