#pragma once

#include <string>

// Helpers shared by the fuzz targets.
namespace lirbo::fuzz {

// Stops the run when a property does not hold, so that libFuzzer keeps the input that broke it.
[[noreturn]] void propertyFailed(const char* condition, const char* file, int line);

// A folder for the files a target writes, made once per process and removed at exit.
const std::string& scratchDirectory();

// Replaces the file's contents with `bytes`, plainly (the targets test the loaders, not the writer).
void writeScratchFile(const std::string& path, const std::string& bytes);

} // namespace lirbo::fuzz

#define LIRBO_FUZZ_CHECK(condition)                                                                                    \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            ::lirbo::fuzz::propertyFailed(#condition, __FILE__, __LINE__);                                             \
        }                                                                                                              \
    } while (false)
