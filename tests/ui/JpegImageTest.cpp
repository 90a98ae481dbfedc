#include "ui/qt/JpegImage.h"

#include <QFile>
#include <QTest>

using lirbo::ui::JpegImage;

namespace {

bool isWhite(const QColor& colour) {
    return colour.red() > 240 && colour.green() > 240 && colour.blue() > 240;
}

// Offset of the frame header's marker (baseline or progressive), or -1.
int frameHeaderOffset(const QByteArray& jpeg) {
    for (int i = 0; i + 1 < jpeg.size(); ++i) {
        const auto marker = static_cast<unsigned char>(jpeg[i + 1]);
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
            return i;
        }
    }
    return -1;
}

} // namespace

class JpegImageTest : public QObject {
    Q_OBJECT

private:
    QByteArray m_banner;

private slots:
    void initTestCase() {
        Q_INIT_RESOURCE(about);
        QFile file(QStringLiteral(":/about/banner.jpg"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        m_banner = file.readAll();
        QVERIFY(m_banner.size() > 1000);
    }

    void decodesTheBanner() {
        const QImage image = JpegImage::decode(m_banner);
        QCOMPARE(image.size(), QSize(423, 128));
        for (const QPoint& corner : {QPoint(0, 0), QPoint(422, 0), QPoint(0, 127), QPoint(422, 127)}) {
            QVERIFY2(isWhite(image.pixelColor(corner)), qPrintable(image.pixelColor(corner).name()));
        }
        // The logo is a blue speech bubble at the left: the picture is in colour, not grey or blank.
        const QColor bubble = image.pixelColor(24, 24);
        QVERIFY2(bubble.blue() > 150 && bubble.red() < 100, qPrintable(bubble.name()));
    }

    void refusesTruncatedData() {
        QFETCH(int, length);
        QVERIFY(JpegImage::decode(m_banner.left(length)).isNull());
    }
    void refusesTruncatedData_data() {
        QTest::addColumn<int>("length");
        QTest::newRow("empty") << 0;
        QTest::newRow("start marker only") << 2;
        QTest::newRow("inside the headers") << 120;
        QTest::newRow("half") << 4555;
        QTest::newRow("all but the end marker") << 9109;
    }

    void refusesWhatIsNotAJpeg() {
        QFETCH(QByteArray, data);
        QVERIFY(JpegImage::decode(data).isNull());
    }
    void refusesWhatIsNotAJpeg_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("text") << QByteArray("Lirbo is not a picture");
        QTest::newRow("zeros") << QByteArray(4096, '\0');
        QTest::newRow("PNG signature") << QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(64, 'x');
        QTest::newRow("start marker then noise") << QByteArray("\xFF\xD8", 2) + QByteArray(512, '\x5A');
    }

    void refusesDeclaredSizesBeforeAllocating() {
        QFETCH(int, height);
        QFETCH(int, width);
        QByteArray data = m_banner;
        const int frame = frameHeaderOffset(data);
        QVERIFY(frame > 0);
        data[frame + 5] = static_cast<char>(height >> 8);
        data[frame + 6] = static_cast<char>(height & 0xFF);
        data[frame + 7] = static_cast<char>(width >> 8);
        data[frame + 8] = static_cast<char>(width & 0xFF);
        QVERIFY(JpegImage::decode(data).isNull());
    }
    void refusesDeclaredSizesBeforeAllocating_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("width");
        QTest::newRow("largest") << 0xFFFF << 0xFFFF;
        QTest::newRow("zero width") << 128 << 0;
        QTest::newRow("zero height") << 0 << 423;
    }

    void survivesDamageAnywhere() {
        // Every byte of the headers and a spread of the scan data, overwritten with values that
        // matter to a JPEG parser. Each decode must either fail or give a picture of the declared
        // size; the sanitizers watch the memory accesses.
        const QList<char> values{'\x00', '\x7F', '\xD9', '\xFF'};
        int decoded = 0;
        for (int offset = 0; offset < m_banner.size(); offset += offset < 1024 ? 1 : 13) {
            for (char value : values) {
                QByteArray damaged = m_banner;
                damaged[offset] = value;
                const QImage image = JpegImage::decode(damaged);
                if (!image.isNull()) {
                    ++decoded;
                    QVERIFY(static_cast<long long>(image.width()) * image.height() <= JpegImage::kMaxPixels);
                }
            }
        }
        // Damage to the scan data is not always detectable; most of it still decodes.
        QVERIFY(decoded > 0);
    }
};

QTEST_MAIN(JpegImageTest)
#include "JpegImageTest.moc"
