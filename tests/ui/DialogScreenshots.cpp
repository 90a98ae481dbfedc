// Saves pictures of the dialogs for the documentation:
//   xvfb-run -s "-screen 0 1024x768x24" sh -c 'openbox & build/release/tests/ui/dialog_screenshots docs'
// Run it under a window manager to get the title bars in the pictures.
#include "ui/qt/LirboLook.h"
#include "ui/qt/TAboutForm.h"
#include "ui/qt/TOptionsForm.h"
#include "ui/qt/Tipedit.h"
#include "ui/qt/Tnastroy.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
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
    if (!ok) {
        std::fputs("could not save the pictures\n", stderr);
    }
    return ok ? 0 : 1;
}
