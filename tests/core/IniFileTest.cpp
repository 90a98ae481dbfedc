#include "core/IniFile.h"

#include "FileSizeLimit.h"
#include "ScratchDir.h"
#include "core/Exception.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lirbo::core {
namespace {

using test::ScratchDir;

class IniFileTest : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string path = dir.file("lirbo.ini");
    IniFile file{path};

    void expectRefused(const std::function<void()>& operation, const std::string& shownPath) {
        try {
            operation();
            ADD_FAILURE() << "the write was not refused";
        } catch (const EIniFileException& e) {
            EXPECT_EQ(e.message(), "Unable to write to " + shownPath);
        }
    }
};

TEST_F(IniFileTest, MissingFileReadsDefaultsAndIsNotCreated) {
    EXPECT_EQ(file.readString("user", "nik", "nik"), "nik");
    EXPECT_EQ(file.readInteger("user", "nik_color", 5), 5);
    EXPECT_TRUE(file.listKeys("ip").empty());
    file.eraseSection("ip");
    EXPECT_FALSE(ScratchDir::exists(path));
}

TEST_F(IniFileTest, WritesCreateTheFileAndReadBack) {
    file.writeString("user", "nik_color", "$A");
    file.writeString("user", "nik", "\"Ann\"");
    EXPECT_EQ(ScratchDir::read(path), "[user]\r\nnik_color=$A\r\nnik=\"Ann\"\r\n");
    EXPECT_EQ(file.readInteger("user", "nik_color", 0), 10);
    EXPECT_EQ(file.readString("user", "nik", "nik"), "Ann");
    EXPECT_EQ(file.readInteger("user", "nik", 7), 7);
    file.eraseSection("user");
    EXPECT_EQ(ScratchDir::read(path), "");
}

TEST_F(IniFileTest, ReadOnlyFileIsRefusedAndKeptWhole) {
    const std::string before = "[user]\r\nnik=Ann\r\n[ip]\r\nip0=a\r\n";
    ScratchDir::write(path, before);
    ScratchDir::makeReadOnly(path);
    expectRefused([&] { file.writeString("user", "nik", "Bob"); }, path);
    expectRefused([&] { file.eraseSection("ip"); }, path);
    // An erase that finds nothing to remove writes nothing, so it is not refused.
    file.eraseSection("none");
    EXPECT_EQ(ScratchDir::read(path), before);
    EXPECT_EQ(dir.entryCount(), 1u);
}

TEST_F(IniFileTest, VanishedFolderIsRefused) {
    const std::string gone = dir.file("gone");
    std::filesystem::create_directory(gone);
    const IniFile inGone(gone + "/lirbo.ini");
    std::filesystem::remove(gone);
    expectRefused([&] { inGone.writeString("user", "nik", "Ann"); }, gone + "/lirbo.ini");
    inGone.eraseSection("ip");
    EXPECT_FALSE(ScratchDir::exists(gone));
}

TEST_F(IniFileTest, UnreadableFileIsNotReplaced) {
    // A folder where the file should be: it cannot be read, so it must not be overwritten.
    std::filesystem::create_directory(path);
    ScratchDir::write(path + "/inside", "x");
    expectRefused([&] { file.writeString("user", "nik", "Ann"); }, path);
    EXPECT_EQ(ScratchDir::read(path + "/inside"), "x");
    EXPECT_EQ(file.readString("user", "nik", "nik"), "nik");
}

#ifndef _WIN32
TEST_F(IniFileTest, LinkLoopIsRefusedNotReplaced) {
    std::filesystem::create_symlink("lirbo.ini", path);
    expectRefused([&] { file.writeString("user", "nik", "Ann"); }, path);
    EXPECT_TRUE(std::filesystem::is_symlink(path));
}
#endif

#ifndef _WIN32
TEST_F(IniFileTest, WriteThroughLinkKeepsLinkAndPermissions) {
    const std::string target = dir.file("real.ini");
    ScratchDir::write(target, "[user]\r\nnik=Ann\r\n");
    std::filesystem::permissions(target, std::filesystem::perms(0600));
    std::filesystem::create_symlink("real.ini", path);
    file.writeString("user", "nik", "Bob");
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(ScratchDir::read(target), "[user]\r\nnik=Bob\r\n");
    EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0600));
}

TEST_F(IniFileTest, FullDiskLeavesTheOldFileWhole) {
    const std::string before = "[user]\r\nnik=Ann\r\n";
    ScratchDir::write(path, before);
    {
        test::FileSizeLimit limit(64);
        expectRefused([&] { file.writeString("user", "nik", std::string(100, 'x')); }, path);
    }
    EXPECT_EQ(ScratchDir::read(path), before);
    EXPECT_EQ(dir.entryCount(), 1u);
}
#endif

} // namespace
} // namespace lirbo::core
