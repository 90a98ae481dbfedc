#include "core/ModuleOrigin.h"

#include <windows.h>

namespace lirbo::core {

namespace {

std::string fileName(HMODULE module) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(module, path, MAX_PATH);
    const std::string full = path;
    const std::size_t slash = full.find_last_of("\\/");
    return slash == std::string::npos ? full : full.substr(slash + 1);
}

} // namespace

ModuleOrigin moduleOrigin(const void* address) {
    ModuleOrigin origin;
    HMODULE module = nullptr;
    if (address != nullptr &&
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCSTR>(address), &module)) {
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
