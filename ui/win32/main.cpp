// The Windows program: builds the main window and runs it; a failure while building it shows the
// "Application Error" box and ends with status 1.
#include "app/StartupFailure.h"
#include "net/HandOver.h"
#include "net/UdpChatTransport.h"
#include "ui/win32/MessageBoxes.h"
#include "ui/win32/TMainChat.h"
#include "ui/win32/TranscriptView.h"

#include <commctrl.h>
#include <exception>
#include <memory>
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);
    lirbo::win32::TranscriptView::loadLibrary();
    // The listener thread hands each datagram to this thread through `handOver`; the window's
    // session serves it. Both outlive the window.
    lirbo::net::THandOver handOver;
    lirbo::net::UdpChatTransport transport(handOver);
    std::unique_ptr<lirbo::win32::TMainChat> window;
    try {
        window = std::make_unique<lirbo::win32::TMainChat>(instance, transport, handOver);
    } catch (const std::exception& error) {
        lirbo::win32::MessageBoxes::showStartupFailure(lirbo::app::StartupFailure::text(error));
        return 1;
    }
    window->show(showCommand);
    const int status = window->run();
    window.reset();
    return status;
}
