#include "app/StartupFailure.h"
#include "net/HandOver.h"
#include "net/UdpChatTransport.h"
#include "ui/qt/Cp1251.h"
#include "ui/qt/LirboLook.h"
#include "ui/qt/MessageBoxes.h"
#include "ui/qt/TMainChat.h"
#include "ui/qt/TerminationSignals.h"

#include <QApplication>
#include <exception>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The program ends through its close sequence only: a box closed while the window is hidden in
    // the notification area must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    lirbo::ui::LirboLook::setUpApplication(app);
    lirbo::ui::TerminationSignals terminationSignals;
    // The listener thread hands each datagram to this thread through `handOver`; the window's
    // session serves it. Both outlive the window.
    lirbo::net::THandOver handOver;
    lirbo::net::UdpChatTransport transport(handOver);
    try {
        lirbo::ui::TMainChat window(transport, handOver);
        QObject::connect(&terminationSignals, &lirbo::ui::TerminationSignals::terminationRequested, &window,
                         &lirbo::ui::TMainChat::logOff);
        QObject::connect(&window, &lirbo::ui::TMainChat::endRequested, &app, [] { QCoreApplication::exit(0); });
        if (terminationSignals.requested()) { // during an error box of the start-up: a log-off
            window.logOff();
            return 0;
        }
        window.showAtStart();
        return QApplication::exec();
    } catch (const std::exception& error) {
        lirbo::ui::MessageBoxes::showStartupFailure(lirbo::ui::fromCp1251(lirbo::app::StartupFailure::text(error)));
        return 1;
    }
}
