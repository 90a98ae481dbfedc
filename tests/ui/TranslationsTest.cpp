#include "ui/qt/ConfirmBox.h"
#include "ui/qt/LirboLook.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <memory>

using lirbo::ui::ConfirmBox;

namespace {

bool isRussian(const QString& text) {
    return text.contains(QRegularExpression(QStringLiteral("[\u0410-\u044f]")));
}

QStringList menuTexts(QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            texts << action->text();
        }
    }
    return texts;
}

} // namespace

// The toolkit's texts are Russian once the application is set up; the confirmation box keeps the
// English caption and buttons it has on every system.
class TranslationsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { lirbo::ui::LirboLook::setUpApplication(*qApp); }

    void contextMenusAreRussian() {
        QLineEdit line;
        QPlainTextEdit view;
        view.setReadOnly(true);
        const std::unique_ptr<QMenu> menus[] = {std::unique_ptr<QMenu>(line.createStandardContextMenu()),
                                                std::unique_ptr<QMenu>(view.createStandardContextMenu())};
        for (const auto& menu : menus) {
            const QStringList texts = menuTexts(menu.get());
            QVERIFY(!texts.isEmpty());
            for (const QString& text : texts) {
                QVERIFY2(isRussian(text), qPrintable(text));
            }
        }
    }

    void fileChooserIsRussian() {
        QFileDialog dialog(nullptr, QString());
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"}) {
            const auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
            QVERIFY(label != nullptr);
            QVERIFY2(isRussian(label->text()), qPrintable(label->text()));
        }
        QVERIFY(isRussian(dialog.windowTitle()));
        const QString missingFolder = QCoreApplication::translate(
            "QFileDialog", "%1\nDirectory not found.\nPlease verify the correct directory name was given.");
        QVERIFY2(isRussian(missingFolder), qPrintable(missingFolder));
    }

    void confirmationStaysEnglish() {
        ConfirmBox box(QStringLiteral("Warning"), QStringLiteral("Вы действительно хотите очистить чат?"), nullptr);
        QCOMPARE(box.windowTitle(), QStringLiteral("Warning"));
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Cancel"));
    }
};

QTEST_MAIN(TranslationsTest)
#include "TranslationsTest.moc"
