// A lirbo.ini that is a folder, that cannot be read, or that holds binary junk loads as the
// defaults (nick "nik", colour 0, no peers) without an error, and nothing is written at load.
#include "core/ChatSettings.h"
#include "core/PeerList.h"
#include "support/ScratchDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace lirbo::core {
namespace {

using test::ScratchDir;

void expectDefaults(const TChatSettings& settings) {
    TPeerList peers;
    const TUserSettings user = settings.load(peers);
    EXPECT_EQ(user.nick, "nik");
    EXPECT_EQ(user.colourIndex, 0);
    EXPECT_EQ(peers.count(), 0);
}

TEST(BadSettingsFile, FolderLoadsDefaultsAndStaysAFolder) {
    ScratchDir dir;
    const TChatSettings settings(dir.file("lirbo.ini"));
    std::filesystem::create_directory(settings.path());
    expectDefaults(settings);
    EXPECT_TRUE(std::filesystem::is_directory(settings.path()));
}

TEST(BadSettingsFile, BinaryJunkLoadsWithoutError) {
    ScratchDir dir;
    const TChatSettings settings(dir.file("lirbo.ini"));
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        std::string junk(static_cast<std::size_t>(random() % 70000), '\0');
        for (char& c : junk) {
            c = static_cast<char>(random());
        }
        ScratchDir::write(settings.path(), junk);
        TPeerList peers;
        settings.load(peers);
        EXPECT_EQ(ScratchDir::read(settings.path()), junk);
    }
    // Junk without sections gives exactly the defaults.
    ScratchDir::write(settings.path(), std::string("\0\xff\xfe\r\n=\x01[\x80", 10));
    expectDefaults(settings);
}

// Root reads every file whatever its permissions, so the unreadable case runs as another user.
TEST(BadSettingsFile, UnreadableFileLoadsDefaults) {
    ScratchDir dir;
    std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
    const TChatSettings settings(dir.file("lirbo.ini"));
    ScratchDir::write(settings.path(), "[user]\r\nnik=Ann\r\nnik_color=3\r\n[ip]\r\nip0=10.0.0.1\r\n");
    std::filesystem::permissions(settings.path(), std::filesystem::perms::none);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(2);
        }
        TPeerList peers;
        const TUserSettings user = settings.load(peers);
        ::_exit(user.nick == "nik" && user.colourIndex == 0 && peers.count() == 0 ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2) {
        GTEST_SKIP() << "cannot switch to an unprivileged user";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
} // namespace lirbo::core
