#include "ui/qt/Tipedit.h"

#include "DialogTestSupport.h"

#include <QLineEdit>
#include <QPushButton>

using lirbo::ui::Tipedit;
using namespace lirbo::ui::test;

class TipeditTest : public QObject {
    Q_OBJECT

private slots:
    void keyboardRules() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, expected);
        Tipedit dialog;
        QSignalSpy finished(&dialog, &QDialog::finished);
        QVERIFY(showActive(dialog));
        dialog.findChild<QWidget*>(focus)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
        QCOMPARE(outcome(dialog, finished), expected);
    }
    void keyboardRules_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("Enter in the field presses OK") << "newip" << int(Qt::Key_Return) << Tipedit::kResultOk;
        QTest::newRow("keypad Enter in the field") << "newip" << int(Qt::Key_Enter) << Tipedit::kResultOk;
        QTest::newRow("Esc in the field") << "newip" << int(Qt::Key_Escape) << kStaysOpen;
        QTest::newRow("Esc on OK") << "Button1" << int(Qt::Key_Escape) << kStaysOpen;
        QTest::newRow("Esc on cancel") << "Button2" << int(Qt::Key_Escape) << kStaysOpen;
        QTest::newRow("Enter on OK") << "Button1" << int(Qt::Key_Return) << Tipedit::kResultOk;
        QTest::newRow("Space on OK") << "Button1" << int(Qt::Key_Space) << Tipedit::kResultOk;
        QTest::newRow("Enter on cancel") << "Button2" << int(Qt::Key_Return) << Tipedit::kResultCancel;
        QTest::newRow("Space on cancel") << "Button2" << int(Qt::Key_Space) << Tipedit::kResultCancel;
    }

    void typedAddressComesBackAsTyped() {
        QFETCH(QString, start);
        QFETCH(QString, typed);
        Tipedit dialog;
        dialog.setAddress(start);
        QVERIFY(showActive(dialog));
        QCOMPARE(focusName(), QStringLiteral("newip"));
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("newip"))->selectedText(), start);
        QTest::keyClicks(QApplication::focusWidget(), typed);
        if (typed.isEmpty()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(dialog.result(), Tipedit::kResultOk);
        QCOMPARE(dialog.address(), typed);
    }
    void typedAddressComesBackAsTyped_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("typed");
        QTest::newRow("add") << QString() << QStringLiteral("192.168.0.7");
        QTest::newRow("add empty") << QString() << QString();
        QTest::newRow("edit replaces the whole entry") << QStringLiteral("10.0.0.1") << QStringLiteral("10.0.0.2");
        QTest::newRow("edit to empty") << QStringLiteral("10.0.0.1") << QString();
        QTest::newRow("untrimmed") << QString() << QStringLiteral(" host name ");
    }

    void cancelKeepsNothing() {
        Tipedit dialog;
        dialog.setAddress(QStringLiteral("10.0.0.1"));
        QSignalSpy finished(&dialog, &QDialog::finished);
        QVERIFY(showActive(dialog));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("typed"));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Button2")), Qt::LeftButton);
        QCOMPARE(outcome(dialog, finished), Tipedit::kResultCancel);
    }

    void keyboardFocusSelectsTheAddress() {
        Tipedit dialog;
        dialog.setAddress(QStringLiteral("10.0.0.1"));
        QVERIFY(showActive(dialog));
        auto* newip = dialog.findChild<QLineEdit*>(QStringLiteral("newip"));
        newip->deselect();
        tabWalk(3);
        QCOMPARE(newip->selectedText(), QStringLiteral("10.0.0.1"));
        tabWalk(1);
        QTest::mouseClick(newip, Qt::LeftButton, Qt::NoModifier, QPoint(4, newip->height() / 2));
        QVERIFY(!newip->hasSelectedText());
    }

    void modalLoopEndsWithEnterInTheField() {
        Tipedit dialog;
        QTimer::singleShot(0, &dialog, [&dialog] {
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("127.0.0.1"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        QCOMPARE(dialog.exec(), Tipedit::kResultOk);
        QCOMPARE(dialog.address(), QStringLiteral("127.0.0.1"));
    }
};

QTEST_MAIN(TipeditTest)
#include "TipeditTest.moc"
