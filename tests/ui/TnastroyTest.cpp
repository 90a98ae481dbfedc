#include "ui/qt/Tnastroy.h"

#include "DialogTestSupport.h"
#include "ui/qt/ModalSeam.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

using lirbo::ui::Tnastroy;
using namespace lirbo::ui::test;

class TnastroyTest : public QObject {
    Q_OBJECT

private slots:
    void offersTheEightColourNames() {
        Tnastroy dialog;
        const auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
        QVERIFY(!combo->isEditable());
        const QStringList names{QStringLiteral("Черный"), QStringLiteral("Красный"),  QStringLiteral("Оранжевый"),
                                QStringLiteral("Желтый"), QStringLiteral("Зелённый"), QStringLiteral("Голубой"),
                                QStringLiteral("Синий"),  QStringLiteral("Розовый")};
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i) {
            shown << combo->itemText(i);
        }
        QCOMPARE(shown, names);
    }

    void opensWithTheNickSelected() {
        Tnastroy dialog;
        dialog.setNick(QStringLiteral("Ann"));
        QVERIFY(showActive(dialog));
        QCOMPARE(focusName(), QStringLiteral("nik"));
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("nik"))->selectedText(), QStringLiteral("Ann"));
    }

    void opensInTheMiddleOfTheScreenNotOverTheMainWindow() {
        QWidget mainWindow;
        mainWindow.setGeometry(0, 0, 300, 200);
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        Tnastroy dialog(&mainWindow);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QPoint offset = dialog.frameGeometry().center() - dialog.screen()->availableGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QString("off by %1,%2").arg(offset.x()).arg(offset.y())));
    }

    void typingReplacesTheNickAsTyped() {
        QFETCH(QString, typed);
        Tnastroy dialog;
        dialog.setColourIndex(3);
        dialog.setNick(QStringLiteral("old nick"));
        QSignalSpy finished(&dialog, &QDialog::finished);
        QVERIFY(showActive(dialog));
        typeText(typed);
        if (typed.isEmpty()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(outcome(dialog, finished), Tnastroy::kResultOk);
        QCOMPARE(dialog.nick(), typed);
        QCOMPARE(dialog.colourIndex(), 3);
    }
    void typingReplacesTheNickAsTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("plain") << QStringLiteral("Ann");
        QTest::newRow("empty") << QString();
        QTest::newRow("spaces and separator") << QStringLiteral(" a;b c ");
        QTest::newRow("cyrillic") << QStringLiteral("Ёжик");
    }

    void keyboardEndsOnlyThroughAFocusedButton() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, expected);
        Tnastroy dialog;
        QSignalSpy finished(&dialog, &QDialog::finished);
        QVERIFY(showActive(dialog));
        dialog.findChild<QWidget*>(focus)->setFocus(Qt::TabFocusReason);
        QCOMPARE(focusName(), focus);
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
        QCOMPARE(outcome(dialog, finished), expected);
    }
    void keyboardEndsOnlyThroughAFocusedButton_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("Enter in nik") << "nik" << int(Qt::Key_Return) << kStaysOpen;
        QTest::newRow("keypad Enter in nik") << "nik" << int(Qt::Key_Enter) << kStaysOpen;
        QTest::newRow("Esc in nik") << "nik" << int(Qt::Key_Escape) << kStaysOpen;
        QTest::newRow("Enter in list") << "ComboBox1" << int(Qt::Key_Return) << kStaysOpen;
        QTest::newRow("Esc in list") << "ComboBox1" << int(Qt::Key_Escape) << kStaysOpen;
        QTest::newRow("Esc on OK") << "BitBtn1" << int(Qt::Key_Escape) << kStaysOpen;
        QTest::newRow("Esc on cancel") << "BitBtn2" << int(Qt::Key_Escape) << kStaysOpen;
        QTest::newRow("Enter on OK") << "BitBtn1" << int(Qt::Key_Return) << Tnastroy::kResultOk;
        QTest::newRow("keypad Enter on OK") << "BitBtn1" << int(Qt::Key_Enter) << Tnastroy::kResultOk;
        QTest::newRow("Space on OK") << "BitBtn1" << int(Qt::Key_Space) << Tnastroy::kResultOk;
        QTest::newRow("Enter on cancel") << "BitBtn2" << int(Qt::Key_Return) << Tnastroy::kResultCancel;
        QTest::newRow("Space on cancel") << "BitBtn2" << int(Qt::Key_Space) << Tnastroy::kResultCancel;
    }

    void okRefusedByTheNickCheckKeepsTheDialogOpen() {
        Tnastroy dialog;
        dialog.setNick(QStringLiteral("a\U0001F600"));
        dialog.setNickCheck([](const lirbo::app::TypedText& typed) {
            return typed.lacking.empty() ? std::string() : std::string("refused");
        });
        QSignalSpy finished(&dialog, &QDialog::finished);
        QVERIFY(showActive(dialog));
        lirbo::ui::ModalSeam::reset();
        lirbo::ui::ModalSeam::queueButton(QMessageBox::Ok);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
        QCOMPARE(lirbo::ui::ModalSeam::shown(), QStringList({"Lirbo|refused"}));
        lirbo::ui::ModalSeam::reset();
        QCOMPARE(outcome(dialog, finished), kStaysOpen);
        dialog.setNick(QStringLiteral("Ann"));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
        QCOMPARE(outcome(dialog, finished), Tnastroy::kResultOk);
    }

    void keyboardFocusSelectsTheNickButAClickDoesNot() {
        Tnastroy dialog;
        dialog.setNick(QStringLiteral("Ann"));
        QVERIFY(showActive(dialog));
        auto* nik = dialog.findChild<QLineEdit*>(QStringLiteral("nik"));
        nik->setCursorPosition(1);
        QVERIFY(!nik->hasSelectedText());
        tabWalk(1, Qt::ShiftModifier);
        tabWalk(1);
        QCOMPARE(focusName(), QStringLiteral("nik"));
        QCOMPARE(nik->selectedText(), QStringLiteral("Ann"));

        // Focus that the program moves counts as keyboard focus too.
        tabWalk(1);
        nik->setCursorPosition(0);
        nik->setFocus(Qt::OtherFocusReason);
        QCOMPARE(nik->selectedText(), QStringLiteral("Ann"));

        tabWalk(1);
        QTest::mouseClick(nik, Qt::LeftButton, Qt::NoModifier, QPoint(nik->width() - 4, nik->height() / 2));
        QCOMPARE(focusName(), QStringLiteral("nik"));
        QVERIFY(!nik->hasSelectedText());
    }

    void modalLoopReturnsOkFromTheKeyboard() {
        Tnastroy dialog;
        QTimer::singleShot(0, &dialog, [&dialog] {
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            tabWalk(1);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        });
        QCOMPARE(dialog.exec(), Tnastroy::kResultOk);
    }

    void colourListShowsAllEightItemsAtOnce() {
        Tnastroy dialog;
        QVERIFY(showActive(dialog));
        auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        QTRY_VERIFY(view->isVisible());
        for (int row = 0; row < combo->count(); ++row) {
            const QRect item = view->visualRect(view->model()->index(row, 0));
            QCOMPARE(item.height(), 13);
            QVERIFY2(view->viewport()->rect().contains(item), qPrintable(QString("row %1 hidden").arg(row)));
        }
        combo->hidePopup();
    }
};

QTEST_MAIN(TnastroyTest)
#include "TnastroyTest.moc"
