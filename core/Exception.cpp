#include "core/Exception.h"

#include "core/FileSystem.h"
#include "core/SystemText.h"

#include <new>
#include <utility>

namespace lirbo::core {

// Not inlined, so that the return address lies in the code that raises the error.
[[gnu::noinline]] Exception::Exception(std::string message)
    : m_message(std::move(message)), m_raiseAddress(__builtin_return_address(0)) {}

namespace {

// "Это не файл, а папка, канал или устройство"
const char* const kNotRegularFile = "\xDD\xF2\xEE \xED\xE5 \xF4\xE0\xE9\xEB, \xE0 \xEF\xE0\xEF\xEA\xE0, "
                                    "\xEA\xE0\xED\xE0\xEB \xE8\xEB\xE8 \xF3\xF1\xF2\xF0\xEE\xE9\xF1\xF2\xE2\xEE";
// "Файл больше 16 МБ"
const char* const kFileTooLarge = "\xD4\xE0\xE9\xEB \xE1\xEE\xEB\xFC\xF8\xE5 16 \xCC\xC1";
static_assert(fs::maxReadBytes == 16 << 20, "the text names the bound");

std::string reasonText(int error) {
    switch (error) {
    case fs::errorNotRegularFile:
        return kNotRegularFile;
    case fs::errorFileTooLarge:
        return kFileTooLarge;
    default:
        return fs::systemErrorText(error);
    }
}

std::string fileErrorText(const char* what, const std::string& fullPath, int systemError) {
    return std::string(what) + " \"" + sys::pathToCp1251(fullPath) + "\". " + reasonText(systemError);
}

} // namespace

EFOpenError fileOpenError(const std::string& fullPath, int systemError) {
    return EFOpenError(fileErrorText("Cannot open file", fullPath, systemError));
}

EFCreateError fileCreateError(const std::string& fullPath, int systemError) {
    return EFCreateError(fileErrorText("Cannot create file", fullPath, systemError));
}

EWriteError streamWriteError() {
    return EWriteError("Stream write error");
}

EOutOfResources lineInsertError() {
    return EOutOfResources("Unable to insert a line");
}

EOutOfResources saveStreamError() {
    return EOutOfResources("Failed to Save Stream");
}

EStringListError listIndexError(long long index) {
    return EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

EIniFileException iniWriteError(const std::string& settingsPath) {
    return EIniFileException("Unable to write to " + sys::pathToCp1251(settingsPath));
}

std::string errorText(const std::exception* error) {
    if (const auto* own = dynamic_cast<const Exception*>(error)) {
        return own->message();
    }
    if (dynamic_cast<const std::bad_alloc*>(error) != nullptr) {
        return "\xCD\xE5\xE4\xEE\xF1\xF2\xE0\xF2\xEE\xF7\xED\xEE \xEF\xE0\xEC\xFF\xF2\xE8"; // Недостаточно памяти
    }
    // "Непредвиденная ошибка программы"
    return "\xCD\xE5\xEF\xF0\xE5\xE4\xE2\xE8\xE4\xE5\xED\xED\xE0\xFF \xEE\xF8\xE8\xE1\xEA\xE0 "
           "\xEF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xFB";
}

std::string errorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.')) {
        return message + '.';
    }
    return message;
}

} // namespace lirbo::core
