// The Windows program: builds the main window and runs it; a failure while building it shows the
// "Application Error" box and ends with status 1.
#include "core/Exception.h"
#include "ui/win32/MessageBoxes.h"
#include "ui/win32/RichTranscript.h"
#include "ui/win32/TMainChat.h"
#include "ui/win32/interim/StartupFailure.h"

#include <commctrl.h>
#include <exception>
#include <memory>
#include <string>
#include <windows.h>

namespace {

// The file name of the module holding `address` and the address relative to its start.
void moduleOf(const void* address, std::string& module, unsigned long& offset) {
    HMODULE handle = nullptr;
    if (address == nullptr ||
        !GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCSTR>(address), &handle)) {
        handle = GetModuleHandleA(nullptr);
        address = handle;
    }
    char path[MAX_PATH] = {};
    GetModuleFileNameA(handle, path, MAX_PATH);
    module = path;
    const std::size_t slash = module.find_last_of("\\/");
    if (slash != std::string::npos) {
        module.erase(0, slash + 1);
    }
    offset = static_cast<unsigned long>(reinterpret_cast<const char*>(address) - reinterpret_cast<const char*>(handle));
}

void reportStartupFailure(const char* className, const void* address, const std::string& message) {
    std::string module;
    unsigned long offset = 0;
    moduleOf(address, module, offset);
    lirbo::win32::MessageBoxes::showStartupFailure(lirbo::app::startupFailureText(className, module, offset, message));
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    lirbo::win32::RichTranscript::loadLibrary();
    std::unique_ptr<lirbo::win32::TMainChat> window;
    try {
        window = std::make_unique<lirbo::win32::TMainChat>(instance);
    } catch (const lirbo::core::Exception& error) {
        reportStartupFailure(error.className(), error.raiseAddress(), error.message());
        return 1;
    } catch (const std::exception& error) {
        reportStartupFailure("Exception", nullptr, error.what());
        return 1;
    }
    window->show(showCommand);
    const int status = window->run();
    window.reset();
    return status;
}
