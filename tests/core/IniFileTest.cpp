#include "core/IniFile.h"

#include "core/Exception.h"
#include "support/FileSizeLimit.h"
#include "support/Platform.h"
#include "support/ScratchDir.h"

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
    const std::string inside = dir.file("gone/lirbo.ini");
    const IniFile inGone(inside);
    std::filesystem::remove(gone);
    expectRefused([&] { inGone.writeString("user", "nik", "Ann"); }, inside);
    inGone.eraseSection("ip");
    EXPECT_FALSE(ScratchDir::exists(gone));
}

TEST_F(IniFileTest, UnreadableFileIsNotReplaced) {
    // A folder where the file should be: it cannot be read, so it must not be overwritten.
    std::filesystem::create_directory(path);
    ScratchDir::write(dir.file("lirbo.ini/inside"), "x");
    expectRefused([&] { file.writeString("user", "nik", "Ann"); }, path);
    EXPECT_EQ(ScratchDir::read(dir.file("lirbo.ini/inside")), "x");
    EXPECT_EQ(file.readString("user", "nik", "nik"), "nik");
}

TEST_F(IniFileTest, LinkLoopIsRefusedNotReplaced) {
    LIRBO_SKIP_IF_CANNOT_STAGE(test::platform::Staging::SymbolicLinks);
    test::platform::createSymbolicLink("lirbo.ini", path);
    expectRefused([&] { file.writeString("user", "nik", "Ann"); }, path);
    EXPECT_TRUE(test::platform::isSymbolicLink(path));
}

TEST_F(IniFileTest, WriteThroughLinkKeepsLinkAndPermissions) {
    LIRBO_SKIP_IF_CANNOT_STAGE(test::platform::Staging::SymbolicLinks);
    const std::string target = dir.file("real.ini");
    ScratchDir::write(target, "[user]\r\nnik=Ann\r\n");
    std::filesystem::permissions(target, std::filesystem::perms(0600));
    const auto permissions = std::filesystem::status(target).permissions();
    test::platform::createSymbolicLink("real.ini", path);
    file.writeString("user", "nik", "Bob");
    EXPECT_TRUE(test::platform::isSymbolicLink(path));
    EXPECT_EQ(ScratchDir::read(target), "[user]\r\nnik=Bob\r\n");
    EXPECT_EQ(std::filesystem::status(target).permissions(), permissions);
}

TEST_F(IniFileTest, FullDiskLeavesTheOldFileWhole) {
    LIRBO_SKIP_IF_CANNOT_STAGE(test::platform::Staging::FullDisk);
    const std::string before = "[user]\r\nnik=Ann\r\n";
    ScratchDir::write(path, before);
    {
        test::FileSizeLimit limit(64);
        expectRefused([&] { file.writeString("user", "nik", std::string(100, 'x')); }, path);
    }
    EXPECT_EQ(ScratchDir::read(path), before);
    EXPECT_EQ(dir.entryCount(), 1u);
}

} // namespace
} // namespace lirbo::core
