// Built only for Windows and run in code pages 1251 and 1252: names that the system's code page
// cannot hold work all the same, as paths stay UTF-8 up to the W calls.
#include "core/AppendFile.h"
#include "core/ChatSettings.h"
#include "core/Exception.h"
#include "core/FileSystem.h"
#include "core/PeerList.h"
#include "support/ScratchDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <windows.h>

namespace lirbo::core {
namespace {

TEST(WindowsPaths, SettingsListLogAndErrorsInFoldersOutsideTheCodePage) {
    ASSERT_EQ(GetACP(), static_cast<UINT>(std::atoi(std::getenv("LIRBO_EXPECTED_ACP"))));
    const struct {
        const char* utf8;
        const wchar_t* wide;
        const char* shown; // in an error text, Windows-1251
    } names[] = {{"\xD0\x92\xD0\xB0\xD1\x81\xD1\x8F", L"\u0412\u0430\u0441\u044F", "\xC2\xE0\xF1\xFF"}, // Вася
                 {"\xE6\x97\xA5\xE6\x9C\xAC", L"\u65E5\u672C", "??"}};                                  // 日本
    test::ScratchDir scratch;                                                                           // an ASCII path
    const std::wstring base(scratch.path().begin(), scratch.path().end());
    for (const auto& name : names) {
        const std::string folder = scratch.path() + "\\" + name.utf8;
        ASSERT_EQ(fs::createFolders(folder + "\\history"), 0);
        ASSERT_TRUE(SetCurrentDirectoryW((base + L"\\" + name.wide).c_str()));
        TChatSettings().storeUserSettings(3, "\xC2\xE0\xF1\xFF"); // lirbo.ini in the start folder
        SetCurrentDirectoryW(base.c_str());
        TPeerList peers;
        EXPECT_EQ(TChatSettings(folder + "\\lirbo.ini").load(peers).nick, "\xC2\xE0\xF1\xFF");
        const std::string list = folder + "\\" + name.utf8 + ".txt"; // the file's own name too
        peers.add("10.0.0.1");
        peers.saveToFile(list);
        TPeerList loaded;
        loaded.loadFromFile(list);
        EXPECT_EQ(loaded.entries(), peers.entries());
        const std::string log = folder + "\\history\\2026-12-09.txt";
        fs::AppendFile file;
        ASSERT_EQ(file.open(log), 0);
        EXPECT_EQ(file.append("line\r\n"), 0);
        EXPECT_TRUE(file.stillAt(log));
        // Error texts show the path in Windows-1251, "?" where that code page has no letter.
        const std::string message = fileOpenError(fs::fullPath(folder + "\\gone.txt"), 2).message();
        EXPECT_NE(message.find(scratch.path() + "\\" + name.shown + "\\gone.txt"), std::string::npos) << message;
    }
}

} // namespace
} // namespace lirbo::core
