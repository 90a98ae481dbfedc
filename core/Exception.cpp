#include "core/Exception.h"

#include "core/CodePage1251.h"
#include "core/FileSystem.h"
#include "core/SystemText.h"
#include "core/Texts.h"

#include <new>
#include <utility>

namespace lirbo::core {

// Not inlined, so that the return address lies in the code that raises the error.
[[gnu::noinline]] Exception::Exception(std::string message)
    : m_message(std::move(message)), m_raiseAddress(__builtin_return_address(0)) {}

namespace {

static_assert(fs::maxReadBytes == 16 << 20, "the text names the bound");

std::string reasonText(int error) {
    switch (error) {
    case fs::errorNotRegularFile:
        return cp1251::fromUtf8Once<text::kNotRegularFile>();
    case fs::errorFileTooLarge:
        return cp1251::fromUtf8Once<text::kFileTooLarge>();
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
        return cp1251::fromUtf8Once<text::kOutOfMemory>();
    }
    return cp1251::fromUtf8Once<text::kUnexpectedError>();
}

std::string errorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.')) {
        return message + '.';
    }
    return message;
}

} // namespace lirbo::core
