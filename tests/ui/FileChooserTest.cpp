#include "ui/qt/FileChooser.h"

#include "ui/qt/Cp1251.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using lirbo::ui::FileChooser;

namespace {

lirbo::app::FileChooser chooserOf(lirbo::app::FileChooser::Mode mode, const QString& title, const QString& description,
                                  const QString& pattern, const char* extension) {
    lirbo::app::FileChooser chooser;
    chooser.mode = mode;
    chooser.title = lirbo::ui::toCp1251(title);
    chooser.filterName = lirbo::ui::toCp1251(description);
    chooser.pattern = pattern.toStdString();
    chooser.initialName = "x";
    chooser.defaultExtension = extension;
    return chooser;
}

template <typename W> W* waitForModal() {
    W* found = nullptr;
    const bool opened =
        QTest::qWaitFor([&found] { return (found = qobject_cast<W*>(QApplication::activeModalWidget())) != nullptr; });
    return opened ? found : nullptr;
}

// Types a name into the chooser's name field and presses Enter, as a user would.
void enterName(QFileDialog* dialog, const QString& name) {
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(edit != nullptr);
    edit->setText(name);
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace

// The real choosers, through their modal loops.
class FileChooserTest : public QObject {
    Q_OBJECT
private slots:
    void filterShowsItsDescriptionOnly_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("peer list save") << int(lirbo::app::FileChooser::Mode::Save) << "Текстовый файл"
                                        << "*.txt";
        QTest::newRow("peer list load") << int(lirbo::app::FileChooser::Mode::Open) << "Текстовый файл"
                                        << "*.txt";
        QTest::newRow("conversation") << int(lirbo::app::FileChooser::Mode::Save) << "Файл RTF"
                                      << "*.RTF";
    }

    void filterShowsItsDescriptionOnly() {
        QFETCH(int, mode);
        QFETCH(QString, description);
        QFETCH(QString, pattern);
        const auto chooser = chooserOf(lirbo::app::FileChooser::Mode(mode), QString(), description, pattern, "txt");
        QString shown;
        QTimer::singleShot(0, [&shown] {
            QFileDialog* dialog = waitForModal<QFileDialog>();
            QVERIFY(dialog != nullptr);
            shown = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->itemText(0);
            dialog->reject();
        });
        std::string path;
        QVERIFY(!FileChooser::execute(nullptr, chooser, path));
        QCOMPARE(shown, description);
    }

    void saveChooserRefusesAMissingFolder() {
        QTemporaryDir dir;
        const auto chooser = chooserOf(lirbo::app::FileChooser::Mode::Save, QStringLiteral("Сохранить список IP"),
                                       QStringLiteral("Текстовый файл"), QStringLiteral("*.txt"), "txt");
        const QString missing = dir.filePath(QStringLiteral("missing/list.txt"));
        const QString existing = dir.filePath(QStringLiteral("list.txt"));
        bool refused = false;
        QTimer::singleShot(0, [&] {
            QFileDialog* dialog = waitForModal<QFileDialog>();
            QVERIFY(dialog != nullptr);
            // The refusal is a box inside the chooser; the chooser stays open behind it.
            QTimer::singleShot(0, dialog, [&refused] {
                if (auto* box = waitForModal<QMessageBox>()) {
                    refused = true;
                    box->accept();
                }
            });
            enterName(dialog, missing);
            QTRY_VERIFY(QApplication::activeModalWidget() == dialog);
            enterName(dialog, existing);
        });
        std::string path;
        const bool chosen = FileChooser::execute(nullptr, chooser, path);
        QVERIFY(refused);
        QVERIFY(chosen);
        QCOMPARE(QString::fromStdString(path), existing);
    }
};

QTEST_MAIN(FileChooserTest)
#include "FileChooserTest.moc"
