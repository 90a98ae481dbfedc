#pragma once

#include <cstdint>
#include <string>

namespace lirbo::core {

// Where a code address lies: the file name of its module, without the path (a path as the program
// keeps it, see sys::pathToCp1251), and the address
// relative to the module's start.
struct ModuleOrigin {
    std::string module;
    std::uint32_t offset = 0;
};

// The module that holds `address`; the program file, at offset 0, when the system cannot tell.
ModuleOrigin moduleOrigin(const void* address);

} // namespace lirbo::core
