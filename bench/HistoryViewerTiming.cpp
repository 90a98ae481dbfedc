// The Qt history viewer opening a generated day (64 MiB unless a size in MiB is given), offscreen:
// when the first messages show, when the part shown is drawn whole, and the longest time the
// event loop was kept from running (what a user would feel as a frozen window). The floor on the
// same machine and run: the same part read and put into a plain-text view in one go.
#include "app/HistoryBrowser.h"
#include "support/ScratchDir.h"
#include "ui/qt/HistoryViewer.h"
#include "ui/qt/TranscriptView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::uint64_t dayBytes = (argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 64) << 20;
    lirbo::test::ScratchDir scratch(lirbo::test::ScratchDir::Place::Memory);
    const std::string path = scratch.file("2026-12-09.txt");
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::string line;
        for (std::uint64_t size = 0, i = 0; size < dayBytes; ++i) {
            line = "2026-12-09 12:34:56\t192.168.0." + std::to_string(i % 250) +
                   "\t\xEF\xF0\xE8\xED\xFF\xF2\xEE\t\xC2\xE0\xF1\xFF\tmessage " + std::to_string(i) +
                   " with an escaped\\tTAB and some more words to read\r\n";
            std::fwrite(line.data(), 1, line.size(), file);
            size += line.size();
        }
        std::fclose(file);
    }

    // The event loop's longest wait between two turns of a zero timer.
    QElapsedTimer sinceTurn;
    qint64 longestGap = 0;
    QTimer turns;
    turns.setInterval(0);
    QObject::connect(&turns, &QTimer::timeout, [&] { longestGap = std::max(longestGap, sinceTurn.restart()); });

    QElapsedTimer clock;
    clock.start();
    lirbo::ui::HistoryViewer viewer(scratch.path());
    viewer.present();
    const qint64 presented = clock.elapsed();
    sinceTurn.start();
    turns.start();
    auto* view = viewer.findChild<lirbo::ui::TranscriptView*>(QStringLiteral("dayView"));
    qint64 firstText = -1;
    while (!viewer.idle() || !view->upToDate()) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        if (firstText < 0 && view->blockCount() > 1) {
            firstText = clock.elapsed();
        }
    }
    const qint64 whole = clock.elapsed();
    turns.stop();
    const auto messages = viewer.browser().transcript().messages().size();

    // Floor: the same part read in one go and shown as plain text.
    clock.restart();
    QFile file(QString::fromStdString(path));
    file.open(QIODevice::ReadOnly);
    file.seek(static_cast<qint64>(dayBytes - std::min(dayBytes, lirbo::app::HistoryBrowser::kPageBytes)));
    QPlainTextEdit floor;
    floor.setPlainText(QString::fromLatin1(file.readAll()));
    floor.show();
    QApplication::processEvents();
    const qint64 floorMs = clock.elapsed();

    std::printf("day %llu MiB, %zu messages shown: window up %lld ms, first text %lld ms, part drawn %lld ms, "
                "longest event-loop gap %lld ms; floor (same part, one plain-text fill) %lld ms\n",
                static_cast<unsigned long long>(dayBytes >> 20), messages, static_cast<long long>(presented),
                static_cast<long long>(firstText), static_cast<long long>(whole), static_cast<long long>(longestGap),
                static_cast<long long>(floorMs));
    return 0;
}
