#include "ui/qt/TAboutForm.h"

#include "DialogTestSupport.h"

#include <QLabel>
#include <QPushButton>

using lirbo::ui::TAboutForm;
using namespace lirbo::ui::test;

class TAboutFormTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheBannerUnscaledOnWhite() {
        TAboutForm form;
        const auto* image1 = form.findChild<QLabel*>(QStringLiteral("Image1"));
        QCOMPARE(image1->pixmap().size(), QSize(423, 128));
        QVERIFY(showActive(form));
        const QImage shot = form.grab().toImage();
        // The banner's corner and the form's bottom corners are white.
        for (const QPoint& corner : {QPoint(0, 0), QPoint(0, 183), QPoint(416, 183)}) {
            const QColor colour = shot.pixelColor(corner);
            QVERIFY2(colour.red() > 240 && colour.green() > 240 && colour.blue() > 240,
                     qPrintable(QString("(%1,%2) is %3").arg(corner.x()).arg(corner.y()).arg(colour.name())));
        }
        // The picture is drawn from its top-left corner: the logo's pixels are where the file has them.
        const QImage banner = image1->pixmap().toImage();
        QCOMPARE(shot.pixelColor(40, 30).name(), banner.pixelColor(40, 30).name());
    }

    void linksOpenTheirTargetsAndKeepTheWindowOpen() {
        QList<QUrl> opened;
        TAboutForm form(nullptr, [&opened](const QUrl& url) { opened << url; });
        QSignalSpy finished(&form, &QDialog::finished);
        QVERIFY(showActive(form));
        auto* email = form.findChild<QLabel*>(QStringLiteral("Label3"));
        auto* web = form.findChild<QLabel*>(QStringLiteral("Label4"));
        QVERIFY(email->text().endsWith(QStringLiteral("@example.org")));
        QVERIFY(!web->text().contains(QStringLiteral("://")));

        QTest::mouseClick(email, Qt::LeftButton);
        QTest::mouseClick(web, Qt::LeftButton);
        QTest::mouseClick(web, Qt::RightButton);
        QCOMPARE(opened, QList<QUrl>({QUrl("mailto:" + email->text()), QUrl("http://" + web->text())}));
        QCOMPARE(opened.at(0).scheme(), QStringLiteral("mailto"));
        QCOMPARE(opened.at(1).host(), QStringLiteral("www.example.org"));
        QCOMPARE(outcome(form, finished), kStaysOpen);
    }

    void keyboardRules() {
        QFETCH(int, key);
        QFETCH(int, expected);
        TAboutForm form;
        QSignalSpy finished(&form, &QDialog::finished);
        QVERIFY(showActive(form));
        QCOMPARE(focusName(), QStringLiteral("Button1"));
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
        QCOMPARE(outcome(form, finished), expected);
    }
    void keyboardRules_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("Esc") << int(Qt::Key_Escape) << kStaysOpen;
        QTest::newRow("Tab stays on the button") << int(Qt::Key_Tab) << kStaysOpen;
        QTest::newRow("Enter") << int(Qt::Key_Return) << TAboutForm::kResultOk;
        QTest::newRow("Space") << int(Qt::Key_Space) << TAboutForm::kResultOk;
    }
};

QTEST_MAIN(TAboutFormTest)
#include "TAboutFormTest.moc"
