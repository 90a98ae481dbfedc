// What an interrupted save left in the settings folder goes at start once it is older than a
// minute; nothing else goes: not a younger temporary, not a name of another form, not a folder,
// not a link or what it names.
#include "core/ChatSettings.h"
#include "support/ScratchDir.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace lirbo::core {
namespace {

using test::ScratchDir;
namespace stdfs = std::filesystem;

enum class Kind { File, Folder, Link };

struct Entry {
    const char* name;
    Kind kind;
    bool old; // last changed two minutes ago
    bool removed;
};

void makeOld(const std::string& path, Kind kind) {
    const auto twoMinutesAgo = stdfs::file_time_type::clock::now() - std::chrono::minutes(2);
    if (kind != Kind::Link) {
        std::error_code ignored; // Wine cannot set a folder's time; the folder then only counts as young
        stdfs::last_write_time(path, twoMinutesAgo, ignored);
        return;
    }
#ifndef _WIN32
    // The link's own time, not its target's.
    timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 120, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
#endif
}

TEST(StaleTemporaries, OnlyOldRegularFilesNamedLikeASavesTemporaryGo) {
    std::vector<Entry> entries = {
        {".lirbo-Ab3dE9", Kind::File, true, true},
        {"~lb0012ABCD", Kind::File, true, true},
        {".lirbo-Ab3dE8", Kind::File, false, false}, // a save may still be under way
        {"~lb0012ABCE", Kind::File, false, false},
        {"lirbo.ini", Kind::File, true, false},
        {".lirbo-Ab3dE", Kind::File, true, false},   // one letter short
        {".lirbo-Ab3dE77", Kind::File, true, false}, // one too many
        {".lirbo-Ab3d-7", Kind::File, true, false},
        {"~lb00ab12cd", Kind::File, true, false}, // the Windows name is upper-case hexadecimal
        {"~lb0012ABCG", Kind::File, true, false},
        {"x.lirbo-Ab3dE9", Kind::File, true, false},
        {".lirbo-FOLDER", Kind::Folder, true, false},
    };
#ifndef _WIN32
    entries.push_back({".lirbo-LINK01", Kind::Link, true, false}); // names the old lirbo.ini
#endif
    ScratchDir dir;
    for (const Entry& entry : entries) {
        const std::string path = dir.file(entry.name);
        if (entry.kind == Kind::Folder) {
            stdfs::create_directory(path);
        } else if (entry.kind == Kind::Link) {
            stdfs::create_symlink("lirbo.ini", path);
        } else {
            ScratchDir::write(path, "[ip]\r\nip0=10.0.0.1\r\n");
        }
        if (entry.old) {
            makeOld(path, entry.kind);
        }
    }

    TChatSettings(dir.file("lirbo.ini")).removeStaleTemporaries();

    for (const Entry& entry : entries) {
        EXPECT_EQ(stdfs::exists(stdfs::symlink_status(dir.file(entry.name))), !entry.removed) << entry.name;
    }
    EXPECT_EQ(ScratchDir::read(dir.file("lirbo.ini")), "[ip]\r\nip0=10.0.0.1\r\n");
}

} // namespace
} // namespace lirbo::core
