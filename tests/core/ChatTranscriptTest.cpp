#include "core/ChatTranscript.h"

#include "core/Exception.h"
#include "core/FileSystem.h"
#include "core/RtfWriter.h"
#include "support/FileSizeLimit.h"
#include "support/Platform.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

namespace lirbo::core {
namespace {

constexpr TColor kRed{255, 0, 0};

// Records the notifications as text, in order.
class RecordingObserver : public ITranscriptObserver {
public:
    std::vector<std::string> events;
    void messageAppended(const TTranscriptMessage& m) override { events.push_back("append " + m.body); }
    void oldestRemoved(std::size_t count) override { events.push_back("remove " + std::to_string(count)); }
    void cleared() override { events.push_back("clear"); }
};

std::vector<std::string> bodies(const TChatTranscript& t) {
    std::vector<std::string> result;
    for (const auto& m : t.messages()) {
        result.push_back(m.body);
    }
    return result;
}

TEST(ChatTranscript, AppendKeepsTheFormatAndCutsBoldRunToTheHeader) {
    TChatTranscript transcript;
    transcript.appendMessage("Ann[14:05]//10.0.0.1", 10, kRed, "hi");
    transcript.appendMessage("Bob", 50, kRed, "");
    ASSERT_EQ(transcript.messages().size(), 2u);
    EXPECT_EQ(transcript.messages()[0].boldLength, 10u);
    EXPECT_EQ(transcript.messages()[1].boldLength, 3u);
    // Each line counts its bytes plus one for its line break.
    EXPECT_EQ(transcript.length(), (20u + 1 + 2 + 1) + (3u + 1 + 0 + 1));
}

TEST(ChatTranscript, FullTranscriptDropsOldestWholeMessagesFirst) {
    TChatTranscript transcript(40); // "[00:00]" and a one-byte body take 10 characters
    RecordingObserver observer;
    transcript.setObserver(&observer);
    for (const char* body : {"1", "2", "3", "4"}) {
        transcript.appendMessage("[00:00]", 7, kRed, body);
    }
    EXPECT_EQ(transcript.length(), 40u); // exactly full: nothing removed yet
    transcript.appendMessage("[00:00]", 7, kRed, "5");
    transcript.appendMessage("[00:00]//x", 7, kRed, "6789"); // 16 characters: two must go
    EXPECT_EQ(bodies(transcript), (std::vector<std::string>{"4", "5", "6789"}));
    EXPECT_EQ(transcript.length(), 36u);
    const std::vector<std::string> tail(observer.events.end() - 4, observer.events.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"remove 1", "append 5", "remove 2", "append 6789"}));

    transcript.clear();
    EXPECT_EQ(observer.events.back(), "clear");
    EXPECT_TRUE(transcript.messages().empty());
    EXPECT_EQ(transcript.length(), 0u);
}

TEST(ChatTranscript, MessageLongerThanTheCapacityIsKeptAloneAndWhole) {
    TChatTranscript transcript(20);
    transcript.appendMessage("a[00:00]", 8, kRed, "");
    const std::string huge(100, 'x');
    transcript.appendMessage("b[00:00]", 8, kRed, huge);
    EXPECT_EQ(bodies(transcript), std::vector<std::string>{huge});
    transcript.appendMessage("c[00:00]", 8, kRed, "");
    EXPECT_EQ(bodies(transcript), std::vector<std::string>{""});
}

class TranscriptSave : public ::testing::Test {
protected:
    void SetUp() override { m_transcript.appendMessage("Ann[14:05]", 10, kRed, std::string(5000, 'q')); }
    std::string path(const char* name) const { return m_dir.file(name); }
    static std::string contents(const std::string& file) {
        std::string bytes;
        EXPECT_EQ(fs::readFile(file, bytes), 0);
        return bytes;
    }
    static void put(const std::string& file, const std::string& bytes) { test::ScratchDir::write(file, bytes); }

    test::ScratchDir m_dir;
    TChatTranscript m_transcript;
};

TEST_F(TranscriptSave, WritesTheRtfAndReplacesAnOldFile) {
    const std::string file = path("chat.doc");
    put(file, "old");
    m_transcript.saveToFile(file);
    EXPECT_EQ(contents(file), transcriptToRtf(m_transcript));
    EXPECT_EQ(m_dir.entryCount(), 1u); // no temporary left
}

TEST_F(TranscriptSave, UncreatableFileGivesCreateErrorWithFullPath) {
    const std::string missing = path("no/such/dir.rtf");
    try {
        m_transcript.saveToFile(missing);
        FAIL() << "saved into a missing folder";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.message(), "Cannot create file \"" + missing + "\". " + test::platform::missingFolderReason());
    }
}

TEST_F(TranscriptSave, ReadOnlyTargetIsRefusedAndKept) {
    const std::string file = path("locked.rtf");
    put(file, "old");
    test::ScratchDir::makeReadOnly(file);
    try {
        m_transcript.saveToFile(file);
        ADD_FAILURE() << "replaced a read-only file";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.message(), "Cannot create file \"" + file + "\". " + test::platform::readOnlyReason());
    }
    EXPECT_EQ(contents(file), "old");
}

TEST_F(TranscriptSave, FailedWriteGivesSaveStreamErrorAndKeepsTheOldFile) {
    LIRBO_SKIP_IF_CANNOT_STAGE(test::platform::Staging::FullDisk);
    const std::string file = path("full.rtf");
    put(file, "old");
    {
        // A file size limit makes the write fail part way, as a full disk would.
        test::FileSizeLimit limit(1000);
        try {
            m_transcript.saveToFile(file);
            ADD_FAILURE() << "write past the size limit succeeded";
        } catch (const EOutOfResources& e) {
            EXPECT_EQ(e.message(), "Failed to Save Stream");
        }
    }
    EXPECT_EQ(contents(file), "old");
    EXPECT_EQ(m_dir.entryCount(), 1u);
}

} // namespace
} // namespace lirbo::core
