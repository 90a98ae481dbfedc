// Reads refuse, without blocking, what is not a regular file and what is larger than 16 MiB: the
// peer list stays as it was with an EFOpenError, lirbo.ini loads as the defaults with the error
// to show, and the settings file's writes refuse rather than replace what they could not read.
#include "core/ChatSettings.h"
#include "core/Exception.h"
#include "core/FileSystem.h"
#include "core/PeerList.h"
#include "support/ScratchDir.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lirbo::core {
namespace {

using test::ScratchDir;
namespace stdfs = std::filesystem;

// "Это не файл, а папка, канал или устройство", "Файл больше 16 МБ"
const std::string kNotRegular =
    "\xDD\xF2\xEE \xED\xE5 \xF4\xE0\xE9\xEB, \xE0 \xEF\xE0\xEF\xEA\xE0, \xEA\xE0\xED\xE0\xEB "
    "\xE8\xEB\xE8 \xF3\xF1\xF2\xF0\xEE\xE9\xF1\xF2\xE2\xEE";
const std::string kTooLarge = "\xD4\xE0\xE9\xEB \xE1\xEE\xEB\xFC\xF8\xE5 16 \xCC\xC1";

struct RefusedKind {
    const char* name;
    std::function<void(const std::string& path)> make;
    std::string reason;
    stdfs::file_type type; // what the path must still be after every refused write
};

std::vector<RefusedKind> refusedKinds() {
    return {
        {"a folder", [](const std::string& path) { stdfs::create_directory(path); }, kNotRegular,
         stdfs::file_type::directory},
        {"a file one byte above 16 MiB",
         [](const std::string& path) {
             ScratchDir::write(path, "[user]\r\nnik=Ann\r\n");
             stdfs::resize_file(path, fs::maxReadBytes + 1); // sparse: no disk space taken
         },
         kTooLarge, stdfs::file_type::regular},
#ifndef _WIN32
        {"a FIFO without a writer", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); },
         kNotRegular, stdfs::file_type::fifo},
        {"a link to /dev/zero", [](const std::string& path) { stdfs::create_symlink("/dev/zero", path); }, kNotRegular,
         stdfs::file_type::symlink},
#endif
    };
}

TEST(RefusedFile, ListsAndSettingsRefuseWhatIsNoRegularFileOrTooLarge) {
    for (const RefusedKind& kind : refusedKinds()) {
        SCOPED_TRACE(kind.name);
        ScratchDir dir;
        const std::string path = dir.file("lirbo.ini");
        kind.make(path);
        const std::string message = "Cannot open file \"" + fs::fullPath(path) + "\". " + kind.reason;

        TPeerList peers;
        peers.add("10.0.0.1");
        try {
            peers.loadFromFile(path);
            ADD_FAILURE() << "the list file was read";
        } catch (const EFOpenError& error) {
            EXPECT_EQ(error.message(), message);
        }
        EXPECT_EQ(peers.entries(), std::vector<std::string>{"10.0.0.1"});

        const TChatSettings settings(path);
        TPeerList loaded;
        const TUserSettings user = settings.load(loaded);
        EXPECT_EQ(user.refusal, message);
        EXPECT_EQ(user.nick, "nik");
        EXPECT_EQ(loaded.count(), 0);

        EXPECT_THROW(settings.storePeerList(peers), EIniFileException);
        EXPECT_THROW(settings.storeUserSettings(3, "Bob"), EIniFileException);
        // A save may replace an oversized file, but never put a file where a FIFO or a folder stands
        // (and is never tried on the link: a fault there would replace /dev/zero itself).
        if (kind.type == stdfs::file_type::fifo || kind.type == stdfs::file_type::directory) {
            EXPECT_THROW(peers.saveToFile(path), EFCreateError);
        }
        EXPECT_EQ(stdfs::symlink_status(path).type(), kind.type);
        EXPECT_EQ(dir.entryCount(), 1u); // no temporary left behind
    }
}

TEST(RefusedFile, AFileOfExactly16MiBIsRead) {
    ScratchDir dir;
    const std::string path = dir.file("list.txt");
    ScratchDir::write(path, "10.0.0.1\r\n");
    stdfs::resize_file(path, fs::maxReadBytes); // the rest are zero bytes, which end the list
    TPeerList peers;
    peers.loadFromFile(path);
    EXPECT_EQ(peers.entries(), std::vector<std::string>{"10.0.0.1"});
    EXPECT_EQ(TChatSettings(path).load(peers).refusal, "");
}

} // namespace
} // namespace lirbo::core
