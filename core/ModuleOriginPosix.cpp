#include "core/ModuleOrigin.h"

#include <climits>
#include <dlfcn.h>
#include <unistd.h>

namespace lirbo::core {

namespace {

std::string fileName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string programFile() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string("lirbo");
}

} // namespace

ModuleOrigin moduleOrigin(const void* address) {
    ModuleOrigin origin;
    Dl_info info{};
    if (address != nullptr && ::dladdr(address, &info) != 0 && info.dli_fbase != nullptr) {
        origin.offset = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(address) -
                                                   reinterpret_cast<std::uintptr_t>(info.dli_fbase));
        if (info.dli_fname != nullptr) {
            origin.module = fileName(info.dli_fname);
        }
    }
    if (origin.module.empty()) {
        origin.module = fileName(programFile());
    }
    return origin;
}

} // namespace lirbo::core
