// A full disk: every store fails with its exact error message, the file that was there keeps its
// bytes, and no temporary file is left to fill the disk further. The folder is a 64 KiB tmpfs,
// mounted in a mount namespace of this test process's own, so nothing outside it is touched.
#include "core/ChatSettings.h"
#include "core/ChatTranscript.h"
#include "core/Exception.h"
#include "core/PeerList.h"
#include "support/ScratchDir.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace lirbo::core {
namespace {

using test::ScratchDir;

class FullDisk : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (::unshare(CLONE_NEWNS) != 0) {
            s_skipReason = std::string("no mount namespace: ") + std::strerror(errno);
            return;
        }
        // Keeps the mount below private to this process.
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            s_skipReason = std::string("cannot make mounts private: ") + std::strerror(errno);
        }
    }

    void SetUp() override {
        if (!s_skipReason.empty()) {
            GTEST_SKIP() << s_skipReason;
        }
        ASSERT_EQ(::mount("tmpfs", m_dir.path().c_str(), "tmpfs", 0, "size=64k"), 0) << std::strerror(errno);
        m_mounted = true;
    }

    void TearDown() override {
        if (m_mounted) {
            ::umount2(m_dir.path().c_str(), MNT_DETACH);
        }
    }

    // Fills the disk, then frees `free` bytes, so that only a small write still fits.
    void fill(std::size_t free) {
        const std::string filler = m_dir.file("filler");
        const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        const std::string block(4096, 'f');
        off_t size = 0;
        for (;;) {
            const ssize_t written = ::write(fd, block.data(), block.size());
            if (written <= 0) {
                break;
            }
            size += written;
        }
        ASSERT_GT(size, static_cast<off_t>(free));
        ASSERT_EQ(::ftruncate(fd, size - static_cast<off_t>(free)), 0);
        ::close(fd);
    }

    std::string file(const std::string& name) const { return m_dir.file(name); }
    std::size_t entries() const { return m_dir.entryCount(); }

    static TPeerList manyPeers() {
        TPeerList list;
        for (int i = 0; i < 5000; ++i) {
            list.add("192.168.0." + std::to_string(i % 256));
        }
        return list;
    }

private:
    static std::string s_skipReason;
    ScratchDir m_dir;
    bool m_mounted = false;
};

std::string FullDisk::s_skipReason;

template <typename Error, typename Store> void expectFailure(Store store, const std::string& message) {
    try {
        store();
        FAIL() << "the store succeeded on a full disk";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), message);
    }
}

TEST_F(FullDisk, SettingsStoresFailWithTheSettingsPathAndKeepTheFile) {
    const TChatSettings settings(file("lirbo.ini"));
    TPeerList few;
    few.add("10.0.0.1");
    settings.storeUserSettings(3, "Ann");
    settings.storePeerList(few);
    const std::string before = ScratchDir::read(settings.path());
    fill(1024);
    const std::size_t names = entries();

    expectFailure<EIniFileException>([&] { settings.storePeerList(manyPeers()); },
                                     "Unable to write to " + settings.path());
    expectFailure<EIniFileException>([&] { settings.storeUserSettings(5, std::string(20000, 'n')); },
                                     "Unable to write to " + settings.path());
    EXPECT_EQ(ScratchDir::read(settings.path()), before);
    EXPECT_EQ(entries(), names);

    TPeerList loaded;
    const TUserSettings user = settings.load(loaded);
    EXPECT_EQ(user.nick, "Ann");
    EXPECT_EQ(loaded.entries(), few.entries());
}

TEST_F(FullDisk, PeerListSaveFailsWithStreamWriteErrorAndKeepsTheFile) {
    const std::string path = file("list.txt");
    TPeerList few;
    few.add("10.0.0.1");
    few.saveToFile(path);
    fill(1024);
    const std::size_t names = entries();

    expectFailure<EWriteError>([&] { manyPeers().saveToFile(path); }, "Stream write error");
    EXPECT_EQ(ScratchDir::read(path), "10.0.0.1\r\n");
    EXPECT_EQ(entries(), names);
}

TEST_F(FullDisk, TranscriptSaveFailsWithSaveStreamErrorAndKeepsTheFile) {
    const std::string path = file("chat.rtf");
    TChatTranscript transcript;
    transcript.appendMessage("Ann[14:05]", 10, TNickPalette::colour(3), "hi");
    transcript.saveToFile(path);
    const std::string before = ScratchDir::read(path);
    for (int i = 0; i < 500; ++i) {
        transcript.appendMessage("Ann[14:05]//10.0.0.7", 10, TNickPalette::colour(3), std::string(100, 'x'));
    }
    fill(1024);
    const std::size_t names = entries();

    expectFailure<EOutOfResources>([&] { transcript.saveToFile(path); }, "Failed to Save Stream");
    EXPECT_EQ(ScratchDir::read(path), before);
    EXPECT_EQ(entries(), names);
}

TEST_F(FullDisk, NewFileThatDoesNotFitLeavesNothingBehind) {
    fill(1024);
    const std::size_t names = entries();
    expectFailure<EWriteError>([&] { manyPeers().saveToFile(file("new.txt")); }, "Stream write error");
    EXPECT_FALSE(ScratchDir::exists(file("new.txt")));
    EXPECT_EQ(entries(), names);
}

} // namespace
} // namespace lirbo::core
