#include "ui/StartupFailure.h"

#include "core/Exception.h"
#include "ui/Cp1251.h"
#include "ui/MessageBoxes.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <dlfcn.h>

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

StartupFailure::Origin StartupFailure::originOf(const void* address) {
    Origin origin;
    Dl_info info{};
    if (address != nullptr && ::dladdr(address, &info) != 0 && info.dli_fbase != nullptr) {
        origin.offset = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(address) -
                                                   reinterpret_cast<std::uintptr_t>(info.dli_fbase));
        if (info.dli_fname != nullptr && info.dli_fname[0] != '\0') {
            origin.module = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).fileName().toStdString();
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
