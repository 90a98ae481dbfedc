#include "ui/qt/LirboLook.h"

#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTest>

namespace lirbo::ui {

// Headers are told apart from bodies by their weight, so bold text must carry clearly more ink
// than regular text in the font the program uses.
class LirboLookTest : public QObject {
    Q_OBJECT

private:
    static double ink(const QFont& font) {
        QImage image(200, 30, QImage::Format_Grayscale8);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(4, 20, QStringLiteral("Ann[14:05] \u0411\u043e\u0431"));
        painter.end();
        double sum = 0;
        for (int y = 0; y < image.height(); ++y) {
            const uchar* line = image.constScanLine(y);
            for (int x = 0; x < image.width(); ++x) {
                sum += 255 - line[x];
            }
        }
        return sum;
    }

private slots:
    void boldCarriesMoreInkThanRegular() {
        QFont regular = LirboLook::font();
        QFont bold = regular;
        bold.setBold(true);
        const double regularInk = ink(regular);
        const double boldInk = ink(bold);
        QVERIFY2(regularInk > 0, "nothing was drawn");
        QVERIFY2(boldInk > regularInk * 1.15,
                 qPrintable(QStringLiteral("bold %1 vs regular %2").arg(boldInk).arg(regularInk)));
    }

    void tahomaWhenInstalledAtElevenPixelsAtNinetySixDots() {
        const QFontInfo used(LirboLook::font());
        if (QFile::exists(QString::fromLatin1(LirboLook::kTahomaFile))) {
            QCOMPARE(used.family(), QStringLiteral("Tahoma"));
        }
        QCOMPARE(QGuiApplication::primaryScreen()->logicalDotsPerInchY(), 96.0);
        QCOMPARE(used.pixelSize(), 11);
    }
};

} // namespace lirbo::ui

QTEST_MAIN(lirbo::ui::LirboLookTest)
#include "LirboLookTest.moc"
