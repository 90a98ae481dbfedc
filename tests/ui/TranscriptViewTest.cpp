#include "ui/qt/TranscriptView.h"

#include "app/TranscriptMirror.h"
#include "core/ChatTranscript.h"
#include "core/NickPalette.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

using lirbo::app::TranscriptMirror;
using lirbo::core::TChatTranscript;
using lirbo::core::TColor;
using lirbo::core::TNickPalette;
using lirbo::ui::TranscriptView;

namespace {

struct Run {
    QString text;
    bool bold;
    bool italic;
    QColor colour;
};

// The formatted runs of one block, as the view holds them.
QList<Run> runsOf(const QTextBlock& block) {
    QList<Run> runs;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        runs.append(
            {fragment.text(), format.fontWeight() == QFont::Bold, format.fontItalic(), format.foreground().color()});
    }
    return runs;
}

QColor qColour(TColor c) {
    return QColor(c.r, c.g, c.b);
}

// A transcript with a view drawn from its mirror, as the window wires them.
struct Mirrored {
    explicit Mirrored(std::size_t capacity = TChatTranscript::kCapacity) : transcript(capacity) {}
    TChatTranscript transcript;
    TranscriptMirror mirror{transcript, [this] { view.scheduleCatchUp(); }};
    TranscriptView view{mirror};
};

QStringList blockTexts(const QTextDocument& document) {
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        texts.append(block.text());
    }
    return texts;
}

} // namespace

class TranscriptViewTest : public QObject {
    Q_OBJECT
private slots:
    void headerAndBodyCarryTheirFormats() {
        Mirrored m;
        TChatTranscript& transcript = m.transcript;
        TranscriptView& view = m.view;
        const TColor yellow = TNickPalette::colour(3);
        transcript.appendMessage("Ann[14:05]//192.168.0.7", 10, yellow, "Hello");
        transcript.appendMessage("nik[14:06]", 10, TNickPalette::colour(0), "");
        view.catchUp();

        const QTextDocument& doc = *view.document();
        QCOMPARE(blockTexts(doc), QStringList({"Ann[14:05]//192.168.0.7", "Hello", "nik[14:06]", ""}));
        const QList<Run> header = runsOf(doc.begin());
        QCOMPARE(header.size(), 2);
        QCOMPARE(header[0].text, QStringLiteral("Ann[14:05]"));
        QVERIFY(header[0].bold && !header[0].italic);
        QCOMPARE(header[0].colour, qColour(yellow));
        QCOMPARE(header[1].text, QStringLiteral("//192.168.0.7"));
        QVERIFY(!header[1].bold && header[1].italic);
        QCOMPARE(header[1].colour, qColour(TNickPalette::kSuffixGreen));
        const QList<Run> body = runsOf(doc.begin().next());
        QCOMPARE(body.size(), 1);
        QVERIFY(!body[0].bold && !body[0].italic);
        QCOMPARE(body[0].colour, qColour(yellow));
        // An echo without suffix is bold over its whole length.
        const QList<Run> echo = runsOf(doc.begin().next().next());
        QCOMPARE(echo.size(), 1);
        QVERIFY(echo[0].bold);
    }

    void receivedTextIsNeverInterpreted_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("shown");
        QTest::newRow("html") << QByteArray("<b>x</b>") << QStringLiteral("<b>x</b>");
        QTest::newRow("entity") << QByteArray("&amp;&lt;") << QStringLiteral("&amp;&lt;");
        QTest::newRow("rtf") << QByteArray("{\\rtf1 \\b x}") << QStringLiteral("{\\rtf1 \\b x}");
        QTest::newRow("line breaks stay in the line")
            << QByteArray("a\r\nb\nc\rd") << QStringLiteral("a\u2028b\u2028c\u2028d");
        QTest::newRow("cyrillic") << QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2") << QStringLiteral("Привет");
    }
    void receivedTextIsNeverInterpreted() {
        QFETCH(QByteArray, body);
        QFETCH(QString, shown);
        Mirrored m;
        TChatTranscript& transcript = m.transcript;
        TranscriptView& view = m.view;
        transcript.appendMessage("Eve[10:00]//10.0.0.9", 10, TNickPalette::colour(1), body.toStdString());
        view.catchUp();
        QCOMPARE(view.document()->blockCount(), 2);
        QCOMPARE(view.document()->lastBlock().text(), shown);
        QCOMPARE(runsOf(view.document()->lastBlock()).size(), 1);
        QVERIFY(!runsOf(view.document()->lastBlock())[0].bold);
    }

    // The view follows the model through appends, trims and clears in any mix between batches.
    void mirrorsTheModelAcrossBatches() {
        Mirrored mirrored(400);
        TChatTranscript& transcript = mirrored.transcript;
        TranscriptView& view = mirrored.view;
        int next = 0;
        auto append = [&](int count) {
            for (int i = 0; i < count; ++i, ++next) {
                const std::string n = std::to_string(next);
                transcript.appendMessage("h" + n + "[00:00]", 3, TColor{}, std::string(next % 37, 'b') + n);
            }
        };
        const QList<std::function<void()>> steps = {
            [&] { append(3); },
            [&] { append(40); },
            [&] { transcript.clear(); },
            [&] { append(1); },
            [&] { append(25); },
            [&] {
                transcript.clear();
                append(7);
            },
            [&] { append(200); },
        };
        for (const auto& step : steps) {
            step();
            view.catchUp();
            QVERIFY(view.upToDate());
            QStringList expected;
            for (const auto& m : transcript.messages()) {
                expected << QString::fromStdString(m.header) << QString::fromStdString(m.body);
            }
            if (expected.isEmpty()) {
                expected << QString();
            }
            QCOMPARE(blockTexts(*view.document()), expected);
            QCOMPARE(view.shownMessages(), transcript.messages().size());
        }
    }

    void catchesUpByItselfInOneBatch() {
        Mirrored m;
        TChatTranscript& transcript = m.transcript;
        TranscriptView& view = m.view;
        for (int i = 0; i < 500; ++i) {
            transcript.appendMessage("n[00:00]", 8, TColor{}, "m" + std::to_string(i));
        }
        QVERIFY(!view.upToDate());
        QTRY_VERIFY(view.upToDate());
        QCOMPARE(view.document()->blockCount(), 1000);
        QCOMPARE(view.document()->lastBlock().text(), QStringLiteral("m499"));
    }

    void scrollsToTheNewBodyAfterTheUserScrolledUp() {
        Mirrored m;
        TChatTranscript& transcript = m.transcript;
        TranscriptView& view = m.view;
        view.resize(300, 120);
        view.show();
        for (int i = 0; i < 60; ++i) {
            transcript.appendMessage("n[00:00]", 8, TColor{}, "line " + std::to_string(i));
        }
        view.catchUp();
        QScrollBar* bar = view.verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
        bar->setValue(0);
        transcript.appendMessage("n[00:01]", 8, TColor{}, "newest");
        view.catchUp();
        QCOMPARE(bar->value(), bar->maximum());
        QCOMPARE(view.selection().selectedText(), QStringLiteral("newest"));
        // The highlight shows only while the view has the focus.
        QVERIFY(!view.hasFocus());
        QVERIFY(!view.textCursor().hasSelection());
        view.activateWindow();
        view.setFocus();
        QTRY_VERIFY(view.hasFocus());
        QCOMPARE(view.textCursor().selectedText(), QStringLiteral("newest"));
    }

    // A burst into a full transcript trims the oldest messages in the same batches that append
    // the newest; the end of the newest body must still come into view.
    void showsTheNewestBodyWhenABurstTrimsAFullTranscript() {
        Mirrored m;
        m.view.resize(448, 333);
        m.view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m.view));
        int next = 0;
        auto append = [&] {
            const std::string n = std::to_string(next++);
            // Long enough to wrap: the view's lines are no longer one per block.
            m.transcript.appendMessage("Eve[12:00]//127.0.0.1", 10, TColor{},
                                       "message number " + n + " of the burst" + std::string(next % 150, '.'));
        };
        while (m.transcript.length() + 100 < TChatTranscript::kCapacity) {
            append();
        }
        m.view.catchUp();
        for (int i = 0; i < 2500; ++i) {
            append();
            if (i % 4 == 0) {
                QTest::qWait(1);
            }
        }
        QTRY_VERIFY(m.view.upToDate());
        QCoreApplication::processEvents();
        QVERIFY(m.view.document()->lastBlock().text().startsWith(QStringLiteral("message number %1 ").arg(next - 1)));
        QTextCursor end(m.view.document()->lastBlock());
        end.movePosition(QTextCursor::EndOfBlock);
        const QRect caret = m.view.cursorRect(end);
        QVERIFY2(m.view.viewport()->rect().contains(caret.center()),
                 qPrintable(QStringLiteral("end of the newest body at %1,%2 outside the view")
                                .arg(caret.center().x())
                                .arg(caret.center().y())));
        QCOMPARE(m.view.verticalScrollBar()->value(), m.view.verticalScrollBar()->maximum());
    }
};

QTEST_MAIN(TranscriptViewTest)
#include "TranscriptViewTest.moc"
