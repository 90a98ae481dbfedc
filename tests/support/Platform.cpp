#include "support/Platform.h"

#include "core/FileSystem.h"

#include <filesystem>
#include <stdexcept>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#endif

namespace lirbo::test::platform {

namespace fs = core::fs;

#ifdef _WIN32

namespace {

// Stops the test that stages a fault when the system refuses to stage it.
void require(bool staged, const std::string& what) {
    if (!staged) {
        throw std::runtime_error("cannot stage the fault: " + what);
    }
}

} // namespace

int missingFileError() {
    return ERROR_FILE_NOT_FOUND;
}
int missingFolderError() {
    return ERROR_PATH_NOT_FOUND;
}
int readOnlyError() {
    return ERROR_ACCESS_DENIED;
}

// The texts come from the system's message table, whose wording differs between Windows
// versions and Wine; what the tests check is that the right error number is reported.
std::string missingFileReason() {
    return fs::systemErrorText(ERROR_FILE_NOT_FOUND);
}
std::string missingFolderReason() {
    return fs::systemErrorText(ERROR_PATH_NOT_FOUND);
}
std::string readOnlyReason() {
    return fs::systemErrorText(ERROR_ACCESS_DENIED);
}

std::string rawErrorText(int error) {
    char text[1024] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        static_cast<DWORD>(error), 0, text, sizeof text, nullptr);
    return std::string(text, length);
}

std::string currentRoot() {
    const std::string directory = fs::currentDirectory();
    char root[MAX_PATH + 1] = {};
    if (!GetVolumePathNameA(directory.c_str(), root, sizeof root)) {
        return directory.substr(0, 3);
    }
    return root;
}

void makeReadOnly(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    require(attributes != INVALID_FILE_ATTRIBUTES, path);
    require(SetFileAttributesA(path.c_str(), attributes | FILE_ATTRIBUTE_READONLY), path);
}

void createSymbolicLink(const std::string& target, const std::string& link) {
    const DWORD allowUnprivileged = 0x2; // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
    require(CreateSymbolicLinkA(link.c_str(), target.c_str(), allowUnprivileged), link);
}

bool isSymbolicLink(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

namespace {

// Whether this process may create a symbolic link: it needs a privilege (or developer mode) on
// Windows, and Wine reports success without making one.
bool canCreateSymbolicLinks() {
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::string link = (folder / ("lirbo-link-probe-" + std::to_string(GetCurrentProcessId()))).string();
    const DWORD allowUnprivileged = 0x2; // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
    if (!CreateSymbolicLinkA(link.c_str(), "lirbo-link-target", allowUnprivileged)) {
        return false;
    }
    const bool made = isSymbolicLink(link);
    DeleteFileA(link.c_str());
    return made;
}

} // namespace

const char* cannotStage(Staging what) {
    switch (what) {
    case Staging::FullDisk:
        return "Windows has no per-process file size limit with which to simulate a full disk";
    case Staging::DeletedCurrentDirectory:
        return "Windows does not let a process delete its own current directory";
    case Staging::SymbolicLinks:
        return canCreateSymbolicLinks() ? nullptr : "this system does not let the user create symbolic links";
    }
    return nullptr;
}

#else

int missingFileError() {
    return ENOENT;
}
int missingFolderError() {
    return ENOENT;
}
int readOnlyError() {
    return EACCES;
}

std::string missingFileReason() {
    return "No such file or directory";
}
std::string missingFolderReason() {
    return "No such file or directory";
}
std::string readOnlyReason() {
    return "Permission denied";
}

std::string rawErrorText(int error) {
    return std::strerror(error);
}

std::string currentRoot() {
    return "/";
}

void makeReadOnly(const std::string& path) {
    using std::filesystem::perms;
    std::filesystem::permissions(path, perms::owner_write | perms::group_write | perms::others_write,
                                 std::filesystem::perm_options::remove);
}

void createSymbolicLink(const std::string& target, const std::string& link) {
    std::filesystem::create_symlink(target, link);
}

bool isSymbolicLink(const std::string& path) {
    return std::filesystem::is_symlink(path);
}

const char* cannotStage(Staging) {
    return nullptr;
}

#endif

} // namespace lirbo::test::platform
