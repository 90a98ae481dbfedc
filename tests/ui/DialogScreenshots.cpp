// Saves pictures of the dialogs and the history viewer for the documentation:
//   xvfb-run -s "-screen 0 1024x768x24" sh -c 'openbox & build/release/tests/ui/dialog_screenshots docs'
// Run it under a window manager to get the title bars in the pictures.
#include "ui/qt/Cp1251.h"
#include "ui/qt/HistoryViewer.h"
#include "ui/qt/LirboLook.h"
#include "ui/qt/TAboutForm.h"
#include "ui/qt/TOptionsForm.h"
#include "ui/qt/Tipedit.h"
#include "ui/qt/Tnastroy.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <cstdio>

namespace {

bool save(QDialog& dialog, const QString& path) {
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) {
        return false;
    }
    QTest::qWait(500); // let the window manager draw the frame
    const QRect frame = dialog.frameGeometry();
    const QPixmap shot = dialog.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    dialog.close();
    return shot.save(path);
}

// A log folder of two short days, for the viewer's picture.
void writeDays(const QDir& folder) {
    const auto write = [&](const char* day, const QString& lines) {
        QFile file(folder.filePath(QString::fromLatin1(day) + QStringLiteral(".txt")));
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray::fromStdString(lirbo::ui::toCp1251(lines)));
    };
    write("2026-12-08", QStringLiteral("2026-12-08 17:58:02\t192.168.0.7\tпринято\tBob\tдо завтра!\t6\r\n"));
    write("2026-12-09", QStringLiteral("2026-12-09 10:02:11\t192.168.0.7\tпринято\tBob\tПривет! Обед в час?\t6\r\n"
                                       "2026-12-09 10:02:40\t192.168.0.7\tотправлено\tAnn\tДа, в час у входа\t2\r\n"
                                       "2026-12-09 10:05:13\t192.168.0.9\tлично от\tEve\tобед переносится\t7\r\n"));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    QApplication::setFont(lirbo::ui::LirboLook::font());

    lirbo::ui::Tnastroy settings;
    settings.setNick(QStringLiteral("Ann"));
    settings.setColourIndex(6);
    lirbo::ui::Tipedit editor;
    editor.setAddress(QStringLiteral("192.168.0.7"));
    lirbo::ui::TAboutForm about(nullptr, [](const QUrl&) {});
    lirbo::ui::TOptionsForm options;
    options.setOptions(lirbo::core::TChatOptions{}, true);

    bool ok = save(settings, out.filePath(QStringLiteral("dialog-settings.png")));
    ok = save(editor, out.filePath(QStringLiteral("dialog-address-editor.png"))) && ok;
    ok = save(about, out.filePath(QStringLiteral("dialog-about.png"))) && ok;
    ok = save(options, out.filePath(QStringLiteral("dialog-options.png"))) && ok;
    QTemporaryDir logs;
    writeDays(QDir(logs.path()));
    lirbo::ui::HistoryViewer viewer(logs.path().toStdString());
    viewer.present();
    viewer.findChild<QLineEdit*>(QStringLiteral("searchText"))->setText(QStringLiteral("обед"));
    QTest::keyClick(viewer.findChild<QLineEdit*>(QStringLiteral("searchText")), Qt::Key_Return);
    while (!viewer.idle()) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    ok = save(viewer, out.filePath(QStringLiteral("dialog-history.png"))) && ok;
    if (!ok) {
        std::fputs("could not save the pictures\n", stderr);
    }
    return ok ? 0 : 1;
}
