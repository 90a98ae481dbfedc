// Built only for Windows: what the Windows file functions add to the shared file tests.
#include "core/ChatSettings.h"
#include "core/Exception.h"
#include "core/FileSystem.h"
#include "core/PeerList.h"
#include "support/ScratchDir.h"

#include <filesystem>
#include <gtest/gtest.h>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace lirbo::core {
namespace {

using test::ScratchDir;

DWORD attributesOf(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

TEST(WindowsFileSystem, ErrorNumbersAreGetLastErrorWithTheSystemsTexts) {
    SetLastError(ERROR_SHARING_VIOLATION);
    EXPECT_EQ(fs::lastError(), ERROR_SHARING_VIOLATION);
    for (const DWORD error : {ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_DISK_FULL}) {
        const std::string text = fs::systemErrorText(static_cast<int>(error));
        EXPECT_FALSE(text.empty()) << error;
        EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << error << ": " << text;
    }
    // A number the system has no text for gives an empty text, not garbage.
    EXPECT_EQ(fs::systemErrorText(0x2FFFFFFF), "");
}

TEST(WindowsFileSystem, DevicesAreRefusedWithoutWaitingOnThem) {
    // A device read as a file could block for ever or never end.
    std::string bytes = "stale";
    EXPECT_EQ(fs::readFile("NUL", bytes), fs::errorNotRegularFile);
    EXPECT_TRUE(bytes.empty());
}

TEST(WindowsFileSystem, CurrentDirectoryIsTheSystemsTextAndRootEndsInASeparator) {
    ScratchDir dir;
    const auto start = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    wchar_t expected[MAX_PATH + 1] = {};
    const DWORD length = GetCurrentDirectoryW(MAX_PATH + 1, expected);
    EXPECT_EQ(fs::currentDirectory(), std::string(expected, expected + length)); // an ASCII path
    EXPECT_NE(fs::currentDirectory().back(), '\\');

    std::filesystem::current_path(dir.path().substr(0, 3)); // the drive's root, "C:\"
    EXPECT_EQ(fs::currentDirectory(), dir.path().substr(0, 3));
    std::filesystem::current_path(start);
}

TEST(WindowsFileSystem, FullPathUsesBackslashes) {
    ScratchDir dir;
    EXPECT_EQ(fs::fullPath(dir.path() + "/sub/../list.txt"), dir.path() + "\\list.txt");
}

TEST(WindowsFileSystem, ReadOnlyAttributeIsHonouredAndTheFileKept) {
    ScratchDir dir;
    const std::string path = dir.file("lirbo.ini");
    ScratchDir::write(path, "old");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    const fs::WriteResult result = fs::writeFileAtomically(path, "new");
    EXPECT_EQ(result.stage, fs::WriteStage::Create);
    EXPECT_EQ(result.error, ERROR_ACCESS_DENIED);
    EXPECT_EQ(ScratchDir::read(path), "old");
    EXPECT_EQ(attributesOf(path) & FILE_ATTRIBUTE_READONLY, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(dir.entryCount(), 1u);
}

TEST(WindowsFileSystem, ReplacedFileKeepsItsHiddenAttribute) {
    ScratchDir dir;
    const std::string path = dir.file("list.txt");
    ScratchDir::write(path, "old");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    TPeerList peers;
    peers.add("10.0.0.1");
    peers.saveToFile(path);
    EXPECT_EQ(ScratchDir::read(path), "10.0.0.1\r\n");
    EXPECT_NE(attributesOf(path) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(dir.entryCount(), 1u);
}

TEST(WindowsFileSystem, FileHeldOpenByAnotherProgramIsRefusedAndKept) {
    ScratchDir dir;
    const std::string path = dir.file("lirbo.ini");
    ScratchDir::write(path, "[user]\r\nnik=Ann\r\n");
    // Another program that holds the file open without allowing deletion blocks the rename.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_THROW(TChatSettings(path).storeUserSettings(1, "Bob"), EIniFileException);
    CloseHandle(held);
    EXPECT_EQ(ScratchDir::read(path), "[user]\r\nnik=Ann\r\n");
    EXPECT_EQ(dir.entryCount(), 1u);
    TChatSettings(path).storeUserSettings(1, "Bob");
    EXPECT_EQ(ScratchDir::read(path), "[user]\r\nnik=Bob\r\nnik_color=1\r\nstart=0\r\n");
}

} // namespace
} // namespace lirbo::core
