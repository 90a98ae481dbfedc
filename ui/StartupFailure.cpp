#include "ui/StartupFailure.h"

#include "core/Exception.h"
#include "ui/Cp1251.h"
#include "ui/MessageBoxes.h"

#include <QCoreApplication>
#include <QFileInfo>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace lirbo::ui {

QString StartupFailure::text(const char* className, const Origin& origin, const std::string& message) {
    std::string ended = message;
    if (ended.empty() || ended.back() != '.') {
        ended += '.';
    }
    const QString address = QString::number(origin.offset, 16).toUpper().rightJustified(8, QLatin1Char('0'));
    return QStringLiteral("Exception %1 in module %2 at %3.\n")
               .arg(QString::fromLatin1(className), QString::fromLocal8Bit(origin.module.c_str()), address) +
           fromCp1251(ended) + '\n';
}

QString StartupFailure::text(const core::Exception& error) {
    return text(error.className(), originOf(error.raiseAddress()), error.message());
}

// The module that holds an address and the address of its start, as the system's loader knows them.
static bool findModule(const void* address, std::string& file, std::uintptr_t& base) {
    if (address == nullptr) {
        return false;
    }
#ifdef _WIN32
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCSTR>(address), &module)) {
        return false;
    }
    char name[MAX_PATH] = {};
    GetModuleFileNameA(module, name, MAX_PATH);
    file = name;
    base = reinterpret_cast<std::uintptr_t>(module);
#else
    Dl_info info{};
    if (::dladdr(address, &info) == 0 || info.dli_fbase == nullptr) {
        return false;
    }
    file = info.dli_fname != nullptr ? info.dli_fname : "";
    base = reinterpret_cast<std::uintptr_t>(info.dli_fbase);
#endif
    return true;
}

StartupFailure::Origin StartupFailure::originOf(const void* address) {
    Origin origin;
    std::string file;
    std::uintptr_t base = 0;
    if (findModule(address, file, base)) {
        origin.offset = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(address) - base);
        if (!file.empty()) {
            origin.module = QFileInfo(QString::fromLocal8Bit(file.c_str())).fileName().toStdString();
        }
    }
    if (origin.module.empty() && QCoreApplication::instance() != nullptr) {
        origin.module = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString();
    }
    return origin;
}

void StartupFailure::report(const core::Exception& error) {
    MessageBoxes::showStartupFailure(text(error));
}

void StartupFailure::report(const std::exception& error) {
    MessageBoxes::showStartupFailure(text("Exception", originOf(nullptr), error.what()));
}

} // namespace lirbo::ui
