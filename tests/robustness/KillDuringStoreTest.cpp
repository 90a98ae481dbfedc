// A process killed with SIGKILL at a random moment while it stores a file leaves either the file
// as it was or the new one, whole: never a torn file. A child process stores two versions in turn,
// as fast as it can; the parent kills it after a random delay and reads what is on the disk.
#include "core/ChatSettings.h"
#include "core/ChatTranscript.h"
#include "core/PeerList.h"
#include "support/ScratchDir.h"

#include <chrono>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace lirbo::core {
namespace {

using test::ScratchDir;

TPeerList peerList(int count, const std::string& prefix) {
    TPeerList list;
    for (int i = 0; i < count; ++i) {
        list.add(prefix + std::to_string(i));
    }
    return list;
}

TChatTranscript transcript(const std::string& body) {
    TChatTranscript result;
    for (int i = 0; i < 600; ++i) {
        result.appendMessage("Ann[14:05]//10.0.0." + std::to_string(i % 256), 10, TNickPalette::colour(i % 9), body);
    }
    return result;
}

struct StoreCase {
    const char* name;
    std::string file;
    // Stores version 0 or 1 of the file.
    std::function<void(int version)> store;
};

// Stores both versions once to learn their bytes, then kills a storing child `rounds` times.
void killWhileStoring(const StoreCase& store, int rounds) {
    SCOPED_TRACE(store.name);
    std::string versions[2];
    const auto started = std::chrono::steady_clock::now();
    for (int v = 0; v < 2; ++v) {
        store.store(v);
        versions[v] = ScratchDir::read(store.file);
    }
    ASSERT_NE(versions[0], versions[1]);
    // Kills fall anywhere in the child's first four stores or so, however fast this build is.
    const auto storeMicros =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started).count() / 2;
    std::uniform_int_distribution<long long> delay(100, 100 + 4 * storeMicros);

    std::mt19937 random(12345);
    int seen[2] = {0, 0};
    for (int round = 0; round < rounds; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Starts with the version that is not on the disk, so that every store changes the file.
            for (int i = 1;; ++i) {
                store.store(i % 2);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        const std::string bytes = ScratchDir::read(store.file);
        ASSERT_TRUE(bytes == versions[0] || bytes == versions[1])
            << "round " << round << ": a torn file of " << bytes.size() << " bytes";
        ++seen[bytes == versions[1] ? 1 : 0];
        store.store(0);
    }
    // Both versions turn up, so the kills did fall between the child's stores and inside them.
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);
}

TEST(KillDuringStore, SettingsFilePeerListIsOldOrNew) {
    ScratchDir dir;
    const TChatSettings settings(dir.file("lirbo.ini"));
    settings.storeUserSettings(3, "Ann");
    const TPeerList lists[2] = {peerList(3000, "10.0.0."), peerList(2000, "192.168.1.")};
    killWhileStoring({"lirbo.ini", settings.path(), [&](int v) { settings.storePeerList(lists[v]); }}, 25);
}

TEST(KillDuringStore, PeerListFileIsOldOrNew) {
    ScratchDir dir;
    const std::string path = dir.file("list.txt");
    const TPeerList lists[2] = {peerList(20000, "10.0.0."), peerList(15000, "host-")};
    killWhileStoring({"list.txt", path, [&](int v) { lists[v].saveToFile(path); }}, 25);
}

TEST(KillDuringStore, TranscriptFileIsOldOrNew) {
    ScratchDir dir;
    const std::string path = dir.file("chat.rtf");
    const TChatTranscript transcripts[2] = {transcript("first version {of} the text"),
                                            transcript("\xcf\xf0\xe8\xe2\xe5\xf2")};
    killWhileStoring({"chat.rtf", path, [&](int v) { transcripts[v].saveToFile(path); }}, 25);
}

} // namespace
} // namespace lirbo::core
