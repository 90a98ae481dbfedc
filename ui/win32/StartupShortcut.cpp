#include "ui/win32/StartupShortcut.h"

#include "core/CodePage1251.h"
#include "core/Exception.h"
#include "core/SystemText.h"
#include "core/Texts.h"
#include "core/WidePath.h"
#include "ui/win32/WindowText.h"

#include <cstdio>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <vector>
#include <windows.h>

namespace lirbo::win32 {

namespace {

// COM for the calls of one operation; a thread that has it already keeps it as it was.
class ComScope {
public:
    ComScope() : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComScope() {
        if (SUCCEEDED(m_result)) {
            CoUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT m_result;
};

template <typename T> class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer() {
        if (m_pointer != nullptr) {
            m_pointer->Release();
        }
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    T* operator->() const { return m_pointer; }
    T** out() { return &m_pointer; }
    void** outVoid() { return reinterpret_cast<void**>(&m_pointer); }

private:
    T* m_pointer = nullptr;
};

core::Exception shortcutError(std::string_view what, const std::string& path, HRESULT result) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    return core::Exception(core::cp1251::fromUtf8(what) + " \"" + core::sys::pathToCp1251(path) + "\" (" +
                           core::cp1251::fromUtf8Once<text::kErrorCode>() + code + ")");
}

std::string runningProgram() {
    std::vector<wchar_t> buffer(32768);
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return core::fs::utf8Path(std::wstring_view(buffer.data(), length));
}

std::string startupShortcutPath() {
    PWSTR folder = nullptr;
    std::string path;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_CREATE, nullptr, &folder))) {
        path = core::fs::utf8Path(folder) + "\\Lirbo.lnk";
    }
    CoTaskMemFree(folder);
    return path;
}

} // namespace

StartupShortcut::StartupShortcut() : m_program(runningProgram()), m_location(startupShortcutPath()) {}

std::optional<app::StartupTarget> StartupShortcut::read() const {
    const std::wstring path = core::fs::widePath(m_location);
    if (m_location.empty() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    const ComScope com;
    ComPointer<IShellLinkW> link;
    ComPointer<IPersistFile> file;
    app::StartupTarget target; // empty unless the shortcut reads as one
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.outVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.outVoid())) || FAILED(file->Load(path.c_str(), STGM_READ))) {
        return target;
    }
    std::vector<wchar_t> buffer(32768);
    if (SUCCEEDED(link->GetPath(buffer.data(), static_cast<int>(buffer.size()), nullptr, SLGP_RAWPATH))) {
        target.program = core::fs::utf8Path(buffer.data());
    }
    buffer[0] = L'\0';
    if (SUCCEEDED(link->GetWorkingDirectory(buffer.data(), static_cast<int>(buffer.size())))) {
        target.folder = core::fs::utf8Path(buffer.data());
    }
    return target;
}

void StartupShortcut::write(const app::StartupTarget& target) {
    if (m_location.empty()) {
        throw core::Exception(core::cp1251::fromUtf8Once<text::kAutostartNoFolder>());
    }
    const ComScope com;
    ComPointer<IShellLinkW> link;
    ComPointer<IPersistFile> file;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.outVoid());
    const std::wstring program = core::fs::widePath(target.program);
    if (SUCCEEDED(result)) {
        link->SetPath(program.c_str());
        link->SetWorkingDirectory(core::fs::widePath(target.folder).c_str());
        link->SetIconLocation(program.c_str(), 0);
        link->SetDescription(uiText(text::kProgramTitle).c_str());
        result = link->QueryInterface(IID_IPersistFile, file.outVoid());
    }
    if (SUCCEEDED(result)) {
        result = file->Save(core::fs::widePath(m_location).c_str(), TRUE);
    }
    if (FAILED(result)) {
        throw shortcutError(text::kShortcutNotCreated, m_location, result);
    }
}

void StartupShortcut::remove() {
    if (m_location.empty() || DeleteFileW(core::fs::widePath(m_location).c_str()) != FALSE) {
        return;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
        throw shortcutError(text::kShortcutNotRemoved, m_location, HRESULT_FROM_WIN32(error));
    }
}

bool StartupShortcut::samePath(const std::string& a, const std::string& b) const {
    const std::wstring wideA = core::fs::widePath(a);
    const std::wstring wideB = core::fs::widePath(b);
    return CompareStringOrdinal(wideA.c_str(), static_cast<int>(wideA.size()), wideB.c_str(),
                                static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

} // namespace lirbo::win32
