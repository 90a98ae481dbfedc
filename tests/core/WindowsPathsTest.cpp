// Built only for Windows, and run once in each system code page (1251 and 1252): folder and file
// names that the code page cannot hold work all the same, as paths stay UTF-8 up to the W calls.
#include "core/AppendFile.h"
#include "core/ChatSettings.h"
#include "core/Exception.h"
#include "core/FileSystem.h"
#include "core/PeerList.h"
#include "core/StaleTemporaries.h"
#include "support/ScratchDir.h"

#include <cstdlib>
#include <gtest/gtest.h>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace lirbo::core {
namespace {

struct FolderName {
    const char* utf8;
    const wchar_t* wide;
    const char* inMessage; // as an error text shows it, in Windows-1251
};

const FolderName kFolders[] = {
    {"\xD0\x92\xD0\xB0\xD1\x81\xD1\x8F", L"\u0412\u0430\u0441\u044F", "\xC2\xE0\xF1\xFF"}, // Вася
    {"\xE6\x97\xA5\xE6\x9C\xAC", L"\u65E5\u672C", "??"},                                   // 日本
};

bool existsWide(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring wideAscii(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

TEST(WindowsPaths, RunsInTheCodePageItWasRegisteredFor) {
    const char* expected = std::getenv("LIRBO_EXPECTED_ACP");
    ASSERT_NE(expected, nullptr);
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
}

TEST(WindowsPaths, SettingsListsLogAndErrorsInFoldersOutsideTheCodePage) {
    test::ScratchDir scratch; // an ASCII path
    for (const FolderName& name : kFolders) {
        SCOPED_TRACE(name.inMessage);
        const std::string folder = scratch.path() + "\\" + name.utf8;
        const std::wstring wideFolder = wideAscii(scratch.path()) + L"\\" + name.wide;
        ASSERT_EQ(fs::createFolders(folder + "\\history"), 0);
        ASSERT_TRUE(existsWide(wideFolder + L"\\history"));

        // lirbo.ini in the start folder.
        const DWORD startLength = GetCurrentDirectoryW(0, nullptr);
        std::wstring start(startLength, L'\0');
        start.resize(GetCurrentDirectoryW(startLength, start.data()));
        ASSERT_TRUE(SetCurrentDirectoryW(wideFolder.c_str()));
        EXPECT_EQ(fs::currentDirectory(), folder);
        const TChatSettings settings;
        EXPECT_EQ(settings.path(), folder + "\\lirbo.ini");
        settings.storeUserSettings(3, "\xC2\xE0\xF1\xFF");
        SetCurrentDirectoryW(start.c_str());
        EXPECT_TRUE(existsWide(wideFolder + L"\\lirbo.ini"));
        TPeerList none;
        const TUserSettings user = TChatSettings(folder + "\\lirbo.ini").load(none);
        EXPECT_EQ(user.nick, "\xC2\xE0\xF1\xFF");
        EXPECT_EQ(user.colourIndex, 3);

        // A list file whose own name is outside the code page, too.
        const std::string list = folder + "\\" + name.utf8 + ".txt";
        TPeerList peers;
        peers.add("10.0.0.1");
        peers.add("host");
        peers.saveToFile(list);
        EXPECT_TRUE(existsWide(wideFolder + L"\\" + name.wide + L".txt"));
        TPeerList loaded;
        loaded.loadFromFile(list);
        EXPECT_EQ(loaded.entries(), peers.entries());

        // The history log's file: appended, and still known as the same file.
        const std::string log = folder + "\\history\\2026-12-09.txt";
        {
            fs::AppendFile file;
            ASSERT_EQ(file.open(log), 0);
            EXPECT_EQ(file.append("line\r\n"), 0);
            EXPECT_TRUE(file.stillAt(log));
        }
        std::string bytes;
        EXPECT_EQ(fs::readFile(log, bytes), 0);
        EXPECT_EQ(bytes, "line\r\n");

        // What an interrupted save left is found and removed in such a folder.
        const std::wstring stale = wideFolder + L"\\~lb0000ABCD";
        HANDLE file = CreateFileW(stale.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        FILETIME now{};
        GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER ticks{};
        ticks.LowPart = now.dwLowDateTime;
        ticks.HighPart = now.dwHighDateTime;
        ticks.QuadPart -= 120ULL * 10000000ULL; // two minutes ago
        const FILETIME old{ticks.LowPart, ticks.HighPart};
        SetFileTime(file, nullptr, nullptr, &old);
        CloseHandle(file);
        removeStaleSaveTemporaries(folder);
        EXPECT_FALSE(existsWide(stale));

        // Error texts show the path in Windows-1251, "?" where that code page has no letter.
        try {
            TPeerList().loadFromFile(folder + "\\gone.txt");
            ADD_FAILURE() << "a missing file was loaded";
        } catch (const EFOpenError& error) {
            const std::string shown = scratch.path() + "\\" + name.inMessage + "\\gone.txt";
            EXPECT_NE(error.message().find(shown), std::string::npos) << error.message();
        }
    }
}

} // namespace
} // namespace lirbo::core
