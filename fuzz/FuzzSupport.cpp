#include "FuzzSupport.h"

#include "support/ScratchDir.h"

#include <cstdio>
#include <cstdlib>

namespace lirbo::fuzz {

void propertyFailed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property failed: %s\n", file, line, condition);
    std::fflush(stderr);
    std::abort();
}

const std::string& scratchDirectory() {
    static const test::ScratchDir directory(test::ScratchDir::Place::Memory);
    return directory.path();
}

void writeScratchFile(const std::string& path, const std::string& bytes) {
    test::ScratchDir::write(path, bytes); // throws, and so ends the run, when it cannot
}

} // namespace lirbo::fuzz
