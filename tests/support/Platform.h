#pragma once

#include <string>

// What the file tests need to know about the system they run on. Every difference between
// Windows and the rest that the core tests care about lives behind these functions.
namespace lirbo::test::platform {

// The system error numbers of the file faults the tests stage, and the trimmed texts that the
// file errors carry for them.
int missingFileError();   // opening a file that is not there
int missingFolderError(); // creating a file in a folder that is not there
int readOnlyError();      // replacing a read-only file
std::string missingFileReason();
std::string missingFolderReason();
std::string readOnlyReason();

// The system's own, untrimmed description of an error number.
std::string rawErrorText(int error);

// The root folder of the current drive or file system, as the system writes it: "/" or "C:\".
std::string currentRoot();

// Sets the read-only attribute (Windows) or takes away every write permission (elsewhere).
void makeReadOnly(const std::string& path);

// Creates a symbolic link at `link` to the file `target` (relative to the link's folder), and tells
// whether a path is one. Only where Staging::SymbolicLinks can be staged.
void createSymbolicLink(const std::string& target, const std::string& link);
bool isSymbolicLink(const std::string& path);

// Faults that the tests stage through the operating system.
enum class Staging {
    FullDisk,                // a per-process file size limit makes writes fail part way
    DeletedCurrentDirectory, // the process's current directory is removed under it
    SymbolicLinks,           // plain users may create symbolic links
};

// nullptr when the tests can stage the fault here, else the reason why they cannot.
const char* cannotStage(Staging what);

} // namespace lirbo::test::platform

// Skips the current GoogleTest case, with the reason, where the platform cannot stage the fault.
#define LIRBO_SKIP_IF_CANNOT_STAGE(what)                                                                               \
    do {                                                                                                               \
        if (const char* reason = ::lirbo::test::platform::cannotStage(what)) {                                         \
            GTEST_SKIP() << reason;                                                                                    \
        }                                                                                                              \
    } while (false)
