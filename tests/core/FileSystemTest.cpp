#include "core/FileSystem.h"

#include "core/Exception.h"
#include "core/IniFile.h"
#include "core/PeerList.h"
#include "support/Platform.h"
#include "support/ScratchDir.h"

#include <filesystem>
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lirbo::core {
namespace {

using test::ScratchDir;

TEST(FileSystem, ErrorTextsAreTheSystemsWithTheTailTrimmed) {
    for (const int error :
         {test::platform::missingFileError(), test::platform::missingFolderError(), test::platform::readOnlyError()}) {
        const std::string raw = test::platform::rawErrorText(error);
        const std::string text = fs::systemErrorText(error);
        ASSERT_FALSE(text.empty()) << error;
        // Only the tail is cut: the text is the start of the system's own, and what is cut is made
        // of blanks, control characters (the line break the system ends with) and full stops.
        EXPECT_EQ(raw.substr(0, text.size()), text) << error;
        EXPECT_EQ(raw.find_first_not_of(std::string(" .\r\n\t", 6), text.size()), std::string::npos) << error;
        const auto last = static_cast<unsigned char>(text.back());
        EXPECT_GT(last, ' ') << error;
        EXPECT_NE(last, '.') << error;
    }
}

TEST(FileSystem, ReadTellsAMissingFileFromOtherFailures) {
    ScratchDir dir;
    std::string bytes = "stale";
    const int missing = fs::readFile(dir.file("none.txt"), bytes);
    EXPECT_EQ(missing, test::platform::missingFileError());
    EXPECT_TRUE(fs::isNotFoundError(missing));
    EXPECT_TRUE(bytes.empty());
    EXPECT_TRUE(fs::isNotFoundError(fs::readFile(dir.file("none/x.txt"), bytes)));
    // A folder where a file is expected exists, so it must not pass for a missing file.
    const int folder = fs::readFile(dir.path(), bytes);
    EXPECT_NE(folder, 0);
    EXPECT_FALSE(fs::isNotFoundError(folder));
}

TEST(FileSystem, AtomicWriteCreatesReplacesAndRefuses) {
    ScratchDir dir;
    const std::string path = dir.file("a.txt");
    ASSERT_TRUE(fs::writeFileAtomically(path, "first").ok());
    ASSERT_TRUE(fs::writeFileAtomically(path, std::string(3 << 20, 'x')).ok()); // more than one write call
    EXPECT_EQ(ScratchDir::read(path), std::string(3 << 20, 'x'));
    ASSERT_TRUE(fs::writeFileAtomically(path, "").ok());
    EXPECT_EQ(ScratchDir::read(path), "");

    ScratchDir::makeReadOnly(path);
    const fs::WriteResult readOnly = fs::writeFileAtomically(path, "new");
    EXPECT_EQ(readOnly.stage, fs::WriteStage::Create);
    EXPECT_EQ(readOnly.error, test::platform::readOnlyError());

    const fs::WriteResult noFolder = fs::writeFileAtomically(dir.file("none/b.txt"), "new");
    EXPECT_EQ(noFolder.stage, fs::WriteStage::Create);
    EXPECT_EQ(noFolder.error, test::platform::missingFolderError());

    const fs::WriteResult onFolder = fs::writeFileAtomically(dir.path(), "new");
    EXPECT_EQ(onFolder.stage, fs::WriteStage::Create);
    EXPECT_NE(onFolder.error, 0);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path()));
    EXPECT_EQ(dir.entryCount(), 1u); // no temporary left by any of them
}

TEST(FileSystem, FullPathIsAbsoluteInTheCurrentDirectory) {
    ScratchDir dir;
    const auto start = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const std::string directory = fs::currentDirectory();
    const std::string full = fs::fullPath("list.txt");
    std::filesystem::current_path(start);
    EXPECT_EQ(full, directory + fs::pathSeparator() + "list.txt");
    EXPECT_EQ(fs::fullPath(full), full);
}

TEST(FileSystem, NameAtTheLengthLimitCanBeReplaced) {
    ScratchDir dir;
#ifdef _WIN32
    const std::size_t longest = std::min<std::size_t>(255, MAX_PATH - 1 - dir.path().size() - 1); // path limit
#else
    const std::size_t longest = 255; // NAME_MAX
#endif
    const std::string path = dir.file(std::string(longest - 4, 'n') + ".txt");
    TPeerList peers;
    peers.add("10.0.0.2");
    peers.saveToFile(path);
    peers.saveToFile(path);
    EXPECT_EQ(ScratchDir::read(path), "10.0.0.2\r\n");
    IniFile(path).writeString("user", "nik", "Ann");
    EXPECT_EQ(dir.entryCount(), 1u);
}

#ifndef _WIN32
// Runs as another user (by effective id) for as long as it lives; root goes back to itself after.
class AsOtherUser {
public:
    explicit AsOtherUser(uid_t user) { m_switched = ::seteuid(user) == 0; }
    ~AsOtherUser() {
        if (m_switched) {
            EXPECT_EQ(::seteuid(0), 0);
        }
    }
    AsOtherUser(const AsOtherUser&) = delete;
    AsOtherUser& operator=(const AsOtherUser&) = delete;
    bool switched() const { return m_switched; }

private:
    bool m_switched = false;
};

TEST(FileSystem, AnotherUsersFileInASharedFolderIsNotReplaced) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can act as another user";
    }
    ScratchDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0); // a folder that everyone may write in
    const std::string path = dir.file("lirbo.ini");
    ScratchDir::write(path, "[user]\r\nnik=Ann\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0); // root's file, readable by all
    {
        const AsOtherUser nobody(65534);
        ASSERT_TRUE(nobody.switched());
        const fs::WriteResult result = fs::writeFileAtomically(path, "x");
        EXPECT_EQ(result.stage, fs::WriteStage::Create);
        EXPECT_EQ(result.error, test::platform::readOnlyError());
        EXPECT_THROW(IniFile(path).writeString("user", "nik", "Bob"), EIniFileException);
        EXPECT_THROW(TPeerList().saveToFile(path), EFCreateError);
        EXPECT_TRUE(fs::writeFileAtomically(dir.file("own.txt"), "x").ok()); // the folder itself is writable
    }
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 0u);
    EXPECT_EQ(ScratchDir::read(path), "[user]\r\nnik=Ann\r\n");
    EXPECT_EQ(dir.entryCount(), 2u);
}
#endif

} // namespace
} // namespace lirbo::core
