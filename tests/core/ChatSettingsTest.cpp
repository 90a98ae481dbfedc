#include "core/ChatSettings.h"

#include "core/Exception.h"
#include "core/FileSystem.h"
#include "support/FileSizeLimit.h"
#include "support/Platform.h"
#include "support/ScratchDir.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace lirbo::core {
namespace {

using Entries = std::vector<std::string>;
using test::ScratchDir;

class ChatSettingsTest : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string path = dir.file("lirbo.ini");
    TChatSettings settings{path};

    Entries loadPeers(TUserSettings* user = nullptr) const {
        TPeerList peers;
        const TUserSettings loaded = settings.load(peers);
        if (user != nullptr) {
            *user = loaded;
        }
        return peers.entries();
    }

    static TPeerList listOf(const Entries& entries) {
        TPeerList peers;
        peers.addAll(entries);
        return peers;
    }
};

TEST(ChatSettingsPath, IsTheStartDirectoryPlusFileNameAndStaysFixed) {
    ScratchDir dir;
    ScratchDir other;
    const auto start = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const std::string startDirectory = fs::currentDirectory();
    const TChatSettings settings;
    std::filesystem::current_path(other.path());
    EXPECT_EQ(settings.path(), startDirectory + fs::pathSeparator() + "lirbo.ini");
    settings.storeUserSettings(1, "Ann");
    std::filesystem::current_path(start);
    EXPECT_TRUE(ScratchDir::exists(dir.file("lirbo.ini")));
    EXPECT_FALSE(ScratchDir::exists(other.file("lirbo.ini")));
}

TEST(ChatSettingsPath, RootDirectoryGivesTwoSeparatorsThatStillNameTheFile) {
    const std::string root = test::platform::currentRoot();
    ASSERT_EQ(root.back(), fs::pathSeparator());
    const auto start = std::filesystem::current_path();
    std::filesystem::current_path(root);
    const TChatSettings settings;
    std::filesystem::current_path(start);
    EXPECT_EQ(settings.path(), root + fs::pathSeparator() + "lirbo.ini");

    // The same doubled separator inside a folder the test may write to.
    ScratchDir dir;
    ScratchDir::write(dir.file("lirbo.ini"), "[user]\r\nnik=Ann\r\n");
    const TChatSettings doubled(dir.path() + fs::pathSeparator() + fs::pathSeparator() + "lirbo.ini");
    TPeerList peers;
    EXPECT_EQ(doubled.load(peers).nick, "Ann");
    doubled.storeUserSettings(2, "Bob");
    EXPECT_EQ(ScratchDir::read(dir.file("lirbo.ini")), "[user]\r\nnik=Bob\r\nnik_color=2\r\nstart=0\r\n");
    EXPECT_EQ(dir.entryCount(), 1u);
}

TEST(ChatSettingsPath, DeletedStartDirectoryNeverMeansTheRootFolder) {
    LIRBO_SKIP_IF_CANNOT_STAGE(test::platform::Staging::DeletedCurrentDirectory);
    ScratchDir dir;
    const std::string gone = dir.file("gone");
    std::filesystem::create_directory(gone);
    const auto start = std::filesystem::current_path();
    std::filesystem::current_path(gone);
    std::filesystem::remove(gone);
    const TChatSettings settings;
    std::filesystem::current_path(start);
    ASSERT_EQ(settings.path(), std::string(".") + fs::pathSeparator() + "lirbo.ini");
    TPeerList peers;
    EXPECT_EQ(settings.load(peers).nick, "nik");
}

TEST_F(ChatSettingsTest, MissingFileGivesDefaultsAndCreatesNothing) {
    TUserSettings user;
    EXPECT_TRUE(loadPeers(&user).empty());
    EXPECT_EQ(user.colourIndex, 0);
    EXPECT_EQ(user.nick, "nik");
    settings.storePeerList(TPeerList());
    EXPECT_FALSE(ScratchDir::exists(path));
}

TEST_F(ChatSettingsTest, NewFileHoldsExactlyTheProgramsLines) {
    settings.storeUserSettings(3, "Ann");
    settings.storePeerList(listOf({"192.168.0.7", "192.168.0.12"}));
    EXPECT_EQ(ScratchDir::read(path), "[user]\r\nnik_color=3\r\nnik=Ann\r\nstart=0\r\n"
                                      "[ip]\r\nip0=192.168.0.7\r\nip1=192.168.0.12\r\n");
    TUserSettings user;
    EXPECT_EQ(loadPeers(&user), (Entries{"192.168.0.7", "192.168.0.12"}));
    EXPECT_EQ(user.colourIndex, 3);
    EXPECT_EQ(user.nick, "Ann");
}

TEST_F(ChatSettingsTest, StoresKeepHandEditedLinesByteForByte) {
    const std::string userPart = "; written by hand\n"
                                 "[Other]\n"
                                 "x = 1\n"
                                 "\n"
                                 "[USER]\r\n"
                                 " NIK = \"Old\" \r\n"
                                 "start=1\r\n"
                                 "theme=dark\r\n"
                                 "\r\n";
    ScratchDir::write(path, userPart + "[ip]\r\nip0=old\r\n\r\n[tail]\r\nz=2");
    settings.storePeerList(listOf({"a", "", "a"}));
    settings.storeUserSettings(-5, "New");
    const std::string expected = "; written by hand\n"
                                 "[Other]\n"
                                 "x = 1\n"
                                 "\n"
                                 "[USER]\r\n"
                                 "NIK=New\r\n"
                                 "start=0\r\n"
                                 "theme=dark\r\n"
                                 "nik_color=-5\r\n"
                                 "\r\n"
                                 "[tail]\r\nz=2\r\n"
                                 "[ip]\r\nip0=a\r\nip1=\r\nip2=a\r\n";
    EXPECT_EQ(ScratchDir::read(path), expected);
    // Closing again with the same list changes nothing; with an empty list the section goes.
    settings.storePeerList(listOf({"a", "", "a"}));
    EXPECT_EQ(ScratchDir::read(path), expected);
    settings.storePeerList(TPeerList());
    EXPECT_EQ(ScratchDir::read(path), expected.substr(0, expected.find("[ip]")));
}

TEST_F(ChatSettingsTest, Utf8MarkIsNotPartOfTheFirstLineAndStays) {
    ScratchDir::write(path, "\xEF\xBB\xBF[user]\r\nnik=Ann\r\nnik_color=3\r\n");
    TUserSettings user;
    loadPeers(&user);
    EXPECT_EQ(user.nick, "Ann");
    EXPECT_EQ(user.colourIndex, 3);
    settings.storeUserSettings(4, "Bob");
    EXPECT_EQ(ScratchDir::read(path), "\xEF\xBB\xBF[user]\r\nnik=Bob\r\nnik_color=4\r\nstart=0\r\n");
}

struct PeerSectionCase {
    const char* name;
    const char* section;
    Entries peers;
};

std::ostream& operator<<(std::ostream& out, const PeerSectionCase& c) {
    return out << c.name;
}

class PeerSectionLoad : public ::testing::TestWithParam<PeerSectionCase> {};

TEST_P(PeerSectionLoad, GivesOneEntryPerKeyNumberedFromZero) {
    ScratchDir dir;
    ScratchDir::write(dir.file("lirbo.ini"), std::string("[user]\r\nnik=Ann\r\n") + GetParam().section);
    TPeerList peers;
    peers.add("kept");
    TChatSettings(dir.file("lirbo.ini")).load(peers);
    Entries expected{"kept"};
    expected.insert(expected.end(), GetParam().peers.begin(), GetParam().peers.end());
    EXPECT_EQ(peers.entries(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    HandEdited, PeerSectionLoad,
    ::testing::Values(
        PeerSectionCase{"OrderInFileDoesNotMatter", "[ip]\r\nip1=b\r\nip0=a\r\n", {"a", "b"}},
        PeerSectionCase{"GapGivesEmptyEntryAndHigherKeyUnread", "[ip]\r\nip0=a\r\nip2=c\r\n", {"a", ""}},
        PeerSectionCase{"CapitalKeys", "[IP]\r\nIP0=a\r\nIp1=b\r\n", {"a", "b"}},
        PeerSectionCase{"OtherKeyCountsButIsNotRead", "[ip]\r\nhost=x\r\nip0=a\r\n", {"a", ""}},
        PeerSectionCase{"LeadingZeroIsAnotherKey", "[ip]\r\nip00=x\r\n", {""}},
        PeerSectionCase{"OnlyDigitsMakeTheNumber",
                        "[ip]\r\nip=x\r\nip+1=x\r\nip-1=x\r\nip 1=x\r\nip1x=x\r\nip0=a\r\n",
                        {"a", "", "", "", "", ""}},
        PeerSectionCase{"HugeNumberIgnored", "[ip]\r\nip99999999999999999999999=x\r\nip1=b\r\n", {"", "b"}},
        PeerSectionCase{"RepeatedKeyCountsTwiceAndGivesFirst", "[ip]\r\nip0=a\r\nip0=b\r\n", {"a", ""}},
        PeerSectionCase{"CommentsAndBareLinesDoNotCount", "[ip]\r\n;ip1=x\r\n10.0.0.9\r\nip0=a\r\n", {"a"}},
        PeerSectionCase{"QuotesAndBlanksRemoved", "[ip]\r\nip0= \"10.0.0.1 \" \r\nip1=\t'b'\r\n", {"10.0.0.1 ", "b"}},
        PeerSectionCase{"EmptyValues", "[ip]\r\nip0=\r\nip1=10.0.0.2\r\n", {"", "10.0.0.2"}},
        PeerSectionCase{"OnlyFirstOfRepeatedSections", "[ip]\r\nip0=a\r\n[ip]\r\nip1=b\r\n", {"a"}},
        PeerSectionCase{"EmptySection", "[ip]\r\n", {}}, PeerSectionCase{"NoSection", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChatSettingsTest, UserValuesAsRead) {
    struct Case {
        const char* lines;
        int colour;
        const char* nick;
    };
    for (const Case& c :
         {Case{"nik_color= 3 \r\nnik=\r\n", 3, ""}, Case{"nik_color=$A\r\nnik= Ann \r\n", 10, "Ann"},
          Case{"nik_color=42\r\n", 42, "nik"}, Case{"nik_color=3.0\r\nNik='x'\r\n", 0, "x"},
          Case{"nik_color=-2147483648\r\n", -2147483647 - 1, "nik"}, Case{"nik_color=\"-1\"\r\n", -1, "nik"}}) {
        ScratchDir::write(path, std::string("[user]\r\n") + c.lines);
        TUserSettings user;
        loadPeers(&user);
        EXPECT_EQ(user.colourIndex, c.colour) << c.lines;
        EXPECT_EQ(user.nick, c.nick) << c.lines;
    }
}

TEST_F(ChatSettingsTest, HistoryKeysAsRead) {
    struct Case {
        const char* lines;
        bool enabled;
        std::uint64_t dayLimitMiB;
    };
    for (const Case& c :
         {Case{"", true, 64}, Case{"enabled=0\r\nmax_day_mb=1\r\n", false, 1}, Case{"max_day_mb=$FFF\r\n", true, 4095},
          Case{"max_day_mb=4096\r\n", true, 64}, Case{"max_day_mb=0\r\n", true, 64},
          Case{"max_day_mb=-5\r\n", true, 64}, Case{"max_day_mb=1e3\r\n", true, 64}}) {
        ScratchDir::write(path, std::string("[history]\r\n") + c.lines);
        TUserSettings user;
        loadPeers(&user);
        EXPECT_EQ(user.historyEnabled, c.enabled) << c.lines;
        EXPECT_EQ(user.historyDayLimit, c.dayLimitMiB << 20) << c.lines;
    }
}

TEST_F(ChatSettingsTest, OptionsAsReadEachBadValueGivingItsDefault) {
    using Sound = TArrivalSound;
    const std::pair<const char*, TChatOptions> cases[] = {
        {"", {}},
        {"sound=0\r\ndnd=1\r\nonly_listed=1\r\n", {Sound::None, true, true, false, false, false}},
        {"SOUND=2\r\nstart_minimised=1\r\nclose_to_tray=1\r\nautostart=1\r\n", {Sound::Every, 0, 0, 1, 1, 1}},
        {"sound=3\r\ndnd=2\r\nonly_listed=yes\r\nautostart=-1\r\n", {}},
        {"sound=-1\r\ndnd=\r\nclose_to_tray= 1 \r\n", {Sound::PrivateOnly, 0, 0, 0, 1, 0}},
    };
    for (const auto& [lines, expected] : cases) {
        ScratchDir::write(path, std::string("[options]\r\n") + lines);
        TUserSettings user;
        loadPeers(&user);
        EXPECT_TRUE(user.options == expected) << lines;
    }
}

TEST_F(ChatSettingsTest, OptionsSurviveAStoreAndTheStoresOfOlderCopies) {
    ScratchDir::write(path, "[user]\r\nnik=Ann\r\n; kept\r\n[history]\r\nmax_day_mb=8\r\n");
    const TChatOptions options{TArrivalSound::Every, false, true, false, true, false};
    settings.storeOptions(options, false);
    // What an older copy writes: its user keys and the list, erasing section ip only.
    settings.storeUserSettings(4, "Bob");
    settings.storePeerList(listOf({"10.0.0.1"}));
    TUserSettings user;
    EXPECT_EQ(loadPeers(&user), Entries{"10.0.0.1"});
    EXPECT_TRUE(user.options == options && !user.historyEnabled && user.nick == "Bob");
    EXPECT_EQ(user.historyDayLimit, 8u << 20);
    EXPECT_NE(ScratchDir::read(path).find("; kept\r\n"), std::string::npos);
    settings.storeOptions(TChatOptions{}, true);
    loadPeers(&user);
    EXPECT_TRUE(user.options == TChatOptions{} && user.historyEnabled);
}

TEST_F(ChatSettingsTest, LongValuesComeBackCut) {
    const std::string nick(3000, 'n');
    const std::string address(3000, 'a');
    settings.storeUserSettings(1, nick);
    settings.storePeerList(listOf({address}));
    TUserSettings user;
    EXPECT_EQ(loadPeers(&user), Entries{address.substr(0, 2047)});
    EXPECT_EQ(user.nick, nick.substr(0, 2047));
}

TEST_F(ChatSettingsTest, LargeListsSurviveStoreAndLoad) {
    for (const int size : {3000, 10000}) {
        Entries entries;
        for (int i = 0; i < size; ++i) {
            entries.push_back(i % 7 == 0 ? std::string() : "10." + std::to_string(i / 256) + ".0." + std::to_string(i));
        }
        settings.storePeerList(listOf(entries));
        EXPECT_EQ(loadPeers(), entries) << size << " peers";
    }
}

TEST_F(ChatSettingsTest, StoringOneSectionNeverTouchesTheOther) {
    settings.storeUserSettings(2, "Ann");
    settings.storePeerList(listOf({"a", "b"}));
    const std::string afterFirst = ScratchDir::read(path);
    settings.storeUserSettings(2, "Ann");
    settings.storePeerList(listOf({"a", "b"}));
    EXPECT_EQ(ScratchDir::read(path), afterFirst);
}

TEST_F(ChatSettingsTest, ReadOnlyFileRefusesEveryStoreAndStaysWhole) {
    const std::string before = "[user]\r\nnik=Ann\r\n[ip]\r\nip0=a\r\n";
    ScratchDir::write(path, before);
    ScratchDir::makeReadOnly(path);
    const std::string message = "Unable to write to " + path;
    const std::function<void()> stores[] = {[&] { settings.storeUserSettings(4, "Bob"); },
                                            [&] { settings.storePeerList(listOf({"b"})); },
                                            [&] { settings.storeOptions(TChatOptions{}, false); }};
    for (const auto& store : stores) {
        try {
            store();
            FAIL() << "not refused";
        } catch (const EIniFileException& e) {
            EXPECT_EQ(e.message(), message);
        }
    }
    EXPECT_EQ(ScratchDir::read(path), before);
    EXPECT_EQ(dir.entryCount(), 1u);
}

TEST_F(ChatSettingsTest, VanishedFolderRefusesWrites) {
    const std::string folder = dir.file("start");
    std::filesystem::create_directory(folder);
    const TChatSettings inFolder(dir.file("start/lirbo.ini"));
    std::filesystem::remove(folder);
    EXPECT_THROW(inFolder.storeUserSettings(1, "Ann"), EIniFileException);
    EXPECT_THROW(inFolder.storePeerList(listOf({"a"})), EIniFileException);
    inFolder.storePeerList(TPeerList()); // erasing in a missing file succeeds
    EXPECT_FALSE(ScratchDir::exists(folder));
}

TEST_F(ChatSettingsTest, UserStoreStopsAtTheFirstRefusedKey) {
    LIRBO_SKIP_IF_CANNOT_STAGE(test::platform::Staging::FullDisk);
    // The colour fits within the limit, the long nick does not: start must not be written either.
    {
        test::FileSizeLimit limit(200);
        EXPECT_THROW(settings.storeUserSettings(6, std::string(500, 'n')), EIniFileException);
    }
    EXPECT_EQ(ScratchDir::read(path), "[user]\r\nnik_color=6\r\n");
    EXPECT_EQ(dir.entryCount(), 1u);
}

TEST_F(ChatSettingsTest, RefusedPeerStoreKeepsTheOldSectionWhole) {
    LIRBO_SKIP_IF_CANNOT_STAGE(test::platform::Staging::FullDisk);
    settings.storePeerList(listOf({"a", "b"}));
    const std::string before = ScratchDir::read(path);
    Entries many(100, "10.0.0.1");
    {
        test::FileSizeLimit limit(512);
        EXPECT_THROW(settings.storePeerList(listOf(many)), EIniFileException);
    }
    EXPECT_EQ(ScratchDir::read(path), before);
    EXPECT_EQ(loadPeers(), (Entries{"a", "b"}));
}

namespace stdfs = std::filesystem;

void makeOversized(const std::string& path) {
    ScratchDir::write(path, "[user]\r\nnik=Ann\r\n");
    stdfs::resize_file(path, fs::maxReadBytes + 1); // sparse: no disk space taken
}

// Reads refuse, without blocking, what is no regular file or above 16 MiB: a list stays as it was,
// lirbo.ini loads as the defaults with the error to show, and no write replaces what was refused.
TEST(ChatSettingsRefusedFile, ListsAndSettingsRefuseWhatIsNoRegularFileOrTooLarge) {
    const std::vector<std::pair<const char*, std::function<void(const std::string&)>>> kinds = {
        {"a folder", [](const std::string& path) { stdfs::create_directory(path); }},
        {"a file above 16 MiB", makeOversized},
#ifndef _WIN32
        {"a FIFO without a writer", [](const std::string& path) { ::mkfifo(path.c_str(), 0644); }},
        {"a link to /dev/zero", [](const std::string& path) { stdfs::create_symlink("/dev/zero", path); }},
#endif
    };
    for (const auto& [name, make] : kinds) {
        SCOPED_TRACE(name);
        ScratchDir dir;
        const std::string path = dir.file("lirbo.ini");
        make(path);
        const stdfs::file_type type = stdfs::symlink_status(path).type();
        const std::string reason = type == stdfs::file_type::regular
                                       ? "\xD4\xE0\xE9\xEB \xE1\xEE\xEB\xFC\xF8\xE5 16 \xCC\xC1" // Файл больше 16 МБ
                                       : "\xDD\xF2\xEE \xED\xE5 \xF4\xE0\xE9\xEB, \xE0 \xEF\xE0\xEF\xEA\xE0, "
                                         "\xEA\xE0\xED\xE0\xEB \xE8\xEB\xE8 \xF3\xF1\xF2\xF0\xEE\xE9\xF1\xF2\xE2\xEE";
        const std::string message = "Cannot open file \"" + fs::fullPath(path) + "\". " + reason;

        TPeerList peers;
        peers.add("10.0.0.1");
        EXPECT_THROW(peers.loadFromFile(path), EFOpenError); // with the message load gives below
        EXPECT_EQ(peers.count(), 1);
        const TChatSettings settings(path);
        TPeerList loaded;
        const TUserSettings user = settings.load(loaded);
        EXPECT_EQ(user.refusal, message);
        EXPECT_EQ(user.nick + std::to_string(loaded.count()), "nik0");

        EXPECT_THROW(settings.storePeerList(peers), EIniFileException);
        EXPECT_THROW(settings.storeUserSettings(3, "Bob"), EIniFileException);
        // A save may replace an oversized file, never a FIFO or a folder (nor is it tried on the
        // link: a fault there would replace /dev/zero itself).
        if (type == stdfs::file_type::fifo || type == stdfs::file_type::directory) {
            EXPECT_THROW(peers.saveToFile(path), EFCreateError);
        }
        EXPECT_EQ(stdfs::symlink_status(path).type(), type);
        EXPECT_EQ(dir.entryCount(), 1u); // no temporary left behind
    }
}

TEST(ChatSettingsRefusedFile, AFileOfExactly16MiBIsRead) {
    ScratchDir dir;
    const std::string path = dir.file("list.txt");
    makeOversized(path);
    stdfs::resize_file(path, fs::maxReadBytes); // the zero bytes after the text end it
    TPeerList peers;
    peers.loadFromFile(path);
    EXPECT_EQ(peers.entries(), (Entries{"[user]", "nik=Ann"}));
}

// What interrupted saves left in the settings folder goes once older than a minute; not a younger
// temporary, a name of another form, a folder, or a link and what it names.
TEST_F(ChatSettingsTest, StartRemovesOnlyOldRegularFilesNamedLikeASavesTemporary) {
    struct Entry {
        const char* name;
        bool old; // last changed two minutes ago
        bool removed;
    };
    const Entry entries[] = {
        {".lirbo-Ab3dE9", true, true},   {"~lb0012ABCD", true, true},     {".lirbo-Ab3dE8", false, false},
        {"~lb0012ABCE", false, false},   {"lirbo.ini", true, false},      {".lirbo-Ab3dE", true, false},
        {".lirbo-Ab3dE77", true, false}, {".lirbo-Ab3d-7", true, false},  {"~lb00ab12cd", true, false},
        {"~lb0012ABCG", true, false},    {"x.lirbo-Ab3dE9", true, false}, {".lirbo-FOLDER", true, false},
        {".lirbo-LINK01", true, false}, // a link to the old lirbo.ini: looked at, it is old and regular
    };
    const auto old = stdfs::file_time_type::clock::now() - std::chrono::minutes(2);
    std::error_code noLinks; // Windows without the right to make them
    for (const Entry& entry : entries) {
        const std::string path = dir.file(entry.name);
        if (entry.name == std::string(".lirbo-FOLDER")) {
            stdfs::create_directory(path);
        } else if (entry.name == std::string(".lirbo-LINK01")) {
            stdfs::create_symlink("lirbo.ini", path, noLinks);
        } else {
            ScratchDir::write(path, "[ip]\r\nip0=10.0.0.1\r\n");
        }
        if (entry.old) {
            std::error_code ignored; // Wine cannot set a folder's time: it then only counts as young
            stdfs::last_write_time(path, old, ignored);
        }
    }
    settings.removeStaleTemporaries();
    for (const Entry& entry : entries) {
        const bool there = stdfs::exists(stdfs::symlink_status(dir.file(entry.name)));
        EXPECT_EQ(there, !entry.removed && !(noLinks && entry.name == std::string(".lirbo-LINK01"))) << entry.name;
    }
}

} // namespace
} // namespace lirbo::core
