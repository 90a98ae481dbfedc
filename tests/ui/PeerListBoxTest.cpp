#include "ui/qt/PeerListBox.h"

#include <QTest>

using lirbo::ui::PeerListBox;

// A user gesture on the peer list selects a row or leaves the selection alone; none clears it.
class PeerListBoxTest : public QObject {
    Q_OBJECT
private slots:
    void gestures_data() {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<int>("selected");
        QTest::newRow("click on another row selects it") << "click row 2" << 2;
        QTest::newRow("click below the last row") << "click empty" << 1;
        QTest::newRow("Ctrl+click below the last row") << "ctrl-click empty" << 1;
        QTest::newRow("Ctrl+click on the selected row") << "ctrl-click row 1" << 1;
        QTest::newRow("Ctrl+Space on the selected row") << "ctrl-space" << 1;
        QTest::newRow("Space on the selected row") << "space" << 1;
        QTest::newRow("arrow down selects the next row") << "down" << 2;
    }

    void gestures() {
        QFETCH(QString, gesture);
        QFETCH(int, selected);
        PeerListBox box;
        box.setGeometry(0, 0, 121, 185);
        box.addItems({QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.2"), QStringLiteral("10.0.0.3")});
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::mouseClick(box.viewport(), Qt::LeftButton, Qt::NoModifier, rowCentre(box, 1));
        QCOMPARE(box.currentRow(), 1);
        QCOMPARE(box.selectedItems().size(), 1);

        const QPoint empty(10, box.viewport()->height() - 5);
        if (gesture == "click row 2") {
            QTest::mouseClick(box.viewport(), Qt::LeftButton, Qt::NoModifier, rowCentre(box, 2));
        } else if (gesture == "click empty") {
            QTest::mouseClick(box.viewport(), Qt::LeftButton, Qt::NoModifier, empty);
        } else if (gesture == "ctrl-click empty") {
            QTest::mouseClick(box.viewport(), Qt::LeftButton, Qt::ControlModifier, empty);
        } else if (gesture == "ctrl-click row 1") {
            QTest::mouseClick(box.viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(box, 1));
        } else if (gesture == "ctrl-space") {
            QTest::keyClick(&box, Qt::Key_Space, Qt::ControlModifier);
        } else if (gesture == "space") {
            QTest::keyClick(&box, Qt::Key_Space);
        } else if (gesture == "down") {
            QTest::keyClick(&box, Qt::Key_Down);
        }
        const auto items = box.selectedItems();
        QCOMPARE(items.size(), 1);
        QCOMPARE(box.row(items.constFirst()), selected);
    }

private:
    static QPoint rowCentre(const PeerListBox& box, int row) { return box.visualItemRect(box.item(row)).center(); }
};

QTEST_MAIN(PeerListBoxTest)
#include "PeerListBoxTest.moc"
