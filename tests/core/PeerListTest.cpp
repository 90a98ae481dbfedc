#include "core/PeerList.h"

#include "core/Exception.h"
#include "core/FileSystem.h"
#include "support/FileSizeLimit.h"
#include "support/Platform.h"
#include "support/ScratchDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>

namespace lirbo::core {
namespace {

using Entries = std::vector<std::string>;
using test::ScratchDir;

TPeerList listOf(const Entries& entries, int selected = -1) {
    TPeerList peers;
    peers.addAll(entries);
    peers.setSelectedIndex(selected);
    return peers;
}

TEST(PeerList, KeepsEntriesAsGivenInOrder) {
    TPeerList peers;
    for (const char* entry : {"10.0.0.1", "", " 10.0.0.1 ", "10.0.0.1", "\xE8\xEC\xFF"}) {
        peers.add(entry);
    }
    EXPECT_EQ(peers.entries(), (Entries{"10.0.0.1", "", " 10.0.0.1 ", "10.0.0.1", "\xE8\xEC\xFF"}));
    EXPECT_EQ(peers.count(), 5);
    EXPECT_EQ(peers.get(2), " 10.0.0.1 ");
}

TEST(PeerList, GetOutsideTheListNamesTheIndex) {
    const TPeerList peers = listOf({"a"});
    for (const int index : {-1, 1, 1000}) {
        try {
            peers.get(index);
            ADD_FAILURE() << index;
        } catch (const EStringListError& e) {
            EXPECT_EQ(e.message(), "List index out of bounds (" + std::to_string(index) + ")");
        }
    }
}

TEST(PeerList, SelectionFollowsTheRules) {
    TPeerList peers = listOf({"a", "b", "c"}, 1);
    peers.add("d");
    EXPECT_EQ(peers.selectedIndex(), 1);
    peers.replace(1, "B");
    EXPECT_EQ(peers.selectedIndex(), 1);
    EXPECT_EQ(peers.entries(), (Entries{"a", "B", "c", "d"}));
    peers.setSelectedIndex(4); // not an entry: ignored
    peers.setSelectedIndex(-2);
    EXPECT_EQ(peers.selectedIndex(), 1);

    for (const int index : {-1, 4, 99}) {
        peers.remove(index); // nothing to remove, no error
    }
    EXPECT_EQ(peers.count(), 4);
    peers.remove(0); // the selected entry moves up and stays selected
    EXPECT_EQ(peers.selectedIndex(), 0);
    EXPECT_EQ(peers.get(0), "B");
    peers.remove(2);
    EXPECT_EQ(peers.selectedIndex(), 0);
    peers.remove(peers.selectedIndex());
    EXPECT_EQ(peers.selectedIndex(), -1);
    peers.remove(peers.selectedIndex()); // a second delete does nothing
    EXPECT_EQ(peers.entries(), Entries{"c"});

    peers.setSelectedIndex(0);
    peers.clear();
    EXPECT_EQ(peers.count(), 0);
    EXPECT_EQ(peers.selectedIndex(), -1);
}

TEST(PeerList, ListenerHearsEveryChangeAndOneLoad) {
    ScratchDir dir;
    ScratchDir::write(dir.file("list.txt"), "a\r\nb\r\nc\r\n");
    TPeerList peers;
    int changes = 0;
    peers.setChangeListener([&changes] { ++changes; });
    peers.add("x");
    peers.setSelectedIndex(0);
    peers.replace(0, "y");
    peers.remove(0);
    peers.addAll({"p", "q"});
    peers.clear();
    EXPECT_EQ(changes, 6);
    peers.loadFromFile(dir.file("list.txt"));
    EXPECT_EQ(changes, 7);
}

struct CutCase {
    const char* name;
    std::string bytes;
    Entries lines;
};

std::ostream& operator<<(std::ostream& out, const CutCase& c) {
    return out << c.name;
}

class LineCutting : public ::testing::TestWithParam<CutCase> {};

TEST_P(LineCutting, CutsAtBytes) {
    EXPECT_EQ(TPeerList::cutLines(GetParam().bytes), GetParam().lines);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    ListFiles, LineCutting,
    ::testing::Values(
        CutCase{"Empty", "", {}}, CutCase{"CrLf", "a\r\nb\r\n", {"a", "b"}}, CutCase{"LoneLf", "a\nb\n", {"a", "b"}},
        CutCase{"LoneCr", "a\rb\r", {"a", "b"}}, CutCase{"Mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        CutCase{"EmptyLineCrLf", "a\r\n\r\nb", {"a", "", "b"}}, CutCase{"EmptyLineLf", "a\n\nb\r\n", {"a", "", "b"}},
        CutCase{"LfThenCrIsTwoBreaks", "a\n\rb", {"a", "", "b"}}, CutCase{"CrCrLf", "a\r\r\nb", {"a", "", "b"}},
        CutCase{"OnlyBreak", "\r\n", {""}}, CutCase{"LastLineWithoutBreak", "a\r\nb", {"a", "b"}},
        CutCase{"BlanksKept", " a \t\r\n", {" a \t"}}, CutCase{"ZeroEndsText", "a\r\nb\0c\r\nd"s, {"a", "b"}},
        CutCase{"ZeroAtLineStart", "a\r\n\0b"s, {"a"}},
        CutCase{"Utf8MarkSkipped",
                "\xEF\xBB\xBF"
                "10.0.0.2\r\nb",
                {"10.0.0.2", "b"}},
        CutCase{"Utf8MarkAlone", "\xEF\xBB\xBF", {}},
        CutCase{"Utf8MarkOnlyAtTheStart",
                "a\n\xEF\xBB\xBF"
                "b",
                {"a", "\xEF\xBB\xBF"
                      "b"}},
        CutCase{"Utf16CutAtFirstZero",
                "\xFF\xFE"
                "a\0\r\0"s,
                {"\xFF\xFE"
                 "a"}}),
    [](const auto& info) { return std::string(info.param.name); });

class PeerListFiles : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string path = dir.file("list.txt");
};

TEST_F(PeerListFiles, LoadReplacesTheListAndClearsSelection) {
    ScratchDir::write(path, "a\r\n\r\nb\r\n");
    TPeerList peers = listOf({"old", "older"}, 1);
    peers.loadFromFile(path);
    EXPECT_EQ(peers.entries(), (Entries{"a", "", "b"}));
    EXPECT_EQ(peers.selectedIndex(), -1);
    ScratchDir::write(path, "");
    peers.loadFromFile(path);
    EXPECT_EQ(peers.count(), 0);
}

TEST_F(PeerListFiles, SaveWritesEntriesWithCrLf) {
    listOf({}).saveToFile(path);
    EXPECT_EQ(ScratchDir::read(path), "");
    listOf({"", "10.0.0.2"}).saveToFile(path);
    EXPECT_EQ(ScratchDir::read(path), "\r\n10.0.0.2\r\n");
    ScratchDir::write(path, std::string(1000, 'z'));
    listOf({"a"}).saveToFile(path);
    EXPECT_EQ(ScratchDir::read(path), "a\r\n");
    EXPECT_EQ(dir.entryCount(), 1u);
}

TEST_F(PeerListFiles, SaveThenLoadGivesTheSameList) {
    const Entries entries{"", " 10.0.0.1", "host name\t", "\"q\"", "=;[ip]", "\xC0\xFF\x80", "", "x"};
    listOf(entries, 2).saveToFile(path);
    TPeerList loaded;
    loaded.loadFromFile(path);
    EXPECT_EQ(loaded.entries(), entries);
}

TEST_F(PeerListFiles, LoadOfMissingFileNamesFullPathAndKeepsList) {
    TPeerList peers = listOf({"keep"}, 0);
    const auto start = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const std::string expectedPath = fs::currentDirectory() + fs::pathSeparator() + "gone.txt";
    try {
        peers.loadFromFile("gone.txt");
        ADD_FAILURE() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.message(), "Cannot open file \"" + expectedPath + "\". " + test::platform::missingFileReason());
    }
    std::filesystem::current_path(start);
    EXPECT_EQ(peers.entries(), Entries{"keep"});
    EXPECT_EQ(peers.selectedIndex(), 0);
}

TEST_F(PeerListFiles, SaveRefusalsKeepTheOldFile) {
    const TPeerList peers = listOf({"a", "b"});
    try {
        peers.saveToFile(dir.file("none/list.txt"));
        ADD_FAILURE() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.message(),
                  "Cannot create file \"" + dir.file("none/list.txt") + "\". " + test::platform::missingFolderReason());
    }
    ScratchDir::write(path, "old\r\n");
    ScratchDir::makeReadOnly(path);
    try {
        peers.saveToFile(path);
        ADD_FAILURE() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.message(), "Cannot create file \"" + path + "\". " + test::platform::readOnlyReason());
    }
    EXPECT_EQ(ScratchDir::read(path), "old\r\n");
    EXPECT_EQ(dir.entryCount(), 1u);
}

TEST_F(PeerListFiles, FullDiskIsAStreamWriteErrorAndKeepsTheOldFile) {
    LIRBO_SKIP_IF_CANNOT_STAGE(test::platform::Staging::FullDisk);
    ScratchDir::write(path, "old\r\n");
    const TPeerList peers = listOf(Entries(100, "10.0.0.1"));
    {
        test::FileSizeLimit limit(256);
        try {
            peers.saveToFile(path);
            ADD_FAILURE() << "no error";
        } catch (const EWriteError& e) {
            EXPECT_EQ(e.message(), "Stream write error");
        }
    }
    EXPECT_EQ(ScratchDir::read(path), "old\r\n");
    EXPECT_EQ(dir.entryCount(), 1u);
}

} // namespace
} // namespace lirbo::core
