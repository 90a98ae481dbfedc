#include "core/ModuleOrigin.h"
#include "core/WidePath.h"

#include <windows.h>

namespace lirbo::core {

namespace {

std::string fileName(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    const std::string full = fs::utf8Path(path);
    const std::size_t slash = full.find_last_of("\\/");
    return slash == std::string::npos ? full : full.substr(slash + 1);
}

} // namespace

ModuleOrigin moduleOrigin(const void* address) {
    ModuleOrigin origin;
    HMODULE module = nullptr;
    if (address != nullptr &&
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCWSTR>(address), &module)) {
        origin.offset = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(address) -
                                                   reinterpret_cast<std::uintptr_t>(module));
        origin.module = fileName(module);
    }
    if (origin.module.empty()) {
        origin.module = fileName(nullptr);
    }
    return origin;
}

} // namespace lirbo::core
