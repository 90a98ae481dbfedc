#include "core/FileSystem.h"

#include "support/Platform.h"
#include "support/ScratchDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lirbo::core {
namespace {

using test::ScratchDir;

TEST(FileSystem, ErrorTextsAreTheSystemsWithTheTailTrimmed) {
    for (const int error :
         {test::platform::missingFileError(), test::platform::missingFolderError(), test::platform::readOnlyError()}) {
        const std::string raw = test::platform::rawErrorText(error);
        const std::string text = fs::systemErrorText(error);
        ASSERT_FALSE(text.empty()) << error;
        // Only the tail is cut: the text is the start of the system's own, and what is cut is made
        // of blanks, control characters (the line break the system ends with) and full stops.
        EXPECT_EQ(raw.substr(0, text.size()), text) << error;
        EXPECT_EQ(raw.find_first_not_of(std::string(" .\r\n\t", 6), text.size()), std::string::npos) << error;
        const auto last = static_cast<unsigned char>(text.back());
        EXPECT_GT(last, ' ') << error;
        EXPECT_NE(last, '.') << error;
    }
}

TEST(FileSystem, ReadTellsAMissingFileFromOtherFailures) {
    ScratchDir dir;
    std::string bytes = "stale";
    const int missing = fs::readFile(dir.file("none.txt"), bytes);
    EXPECT_EQ(missing, test::platform::missingFileError());
    EXPECT_TRUE(fs::isNotFoundError(missing));
    EXPECT_TRUE(bytes.empty());
    EXPECT_TRUE(fs::isNotFoundError(fs::readFile(dir.file("none/x.txt"), bytes)));
    // A folder where a file is expected exists, so it must not pass for a missing file.
    const int folder = fs::readFile(dir.path(), bytes);
    EXPECT_NE(folder, 0);
    EXPECT_FALSE(fs::isNotFoundError(folder));
}

TEST(FileSystem, AtomicWriteCreatesReplacesAndRefuses) {
    ScratchDir dir;
    const std::string path = dir.file("a.txt");
    ASSERT_TRUE(fs::writeFileAtomically(path, "first").ok());
    ASSERT_TRUE(fs::writeFileAtomically(path, std::string(3 << 20, 'x')).ok()); // more than one write call
    EXPECT_EQ(ScratchDir::read(path), std::string(3 << 20, 'x'));
    ASSERT_TRUE(fs::writeFileAtomically(path, "").ok());
    EXPECT_EQ(ScratchDir::read(path), "");

    ScratchDir::makeReadOnly(path);
    const fs::WriteResult readOnly = fs::writeFileAtomically(path, "new");
    EXPECT_EQ(readOnly.stage, fs::WriteStage::Create);
    EXPECT_EQ(readOnly.error, test::platform::readOnlyError());

    const fs::WriteResult noFolder = fs::writeFileAtomically(dir.file("none/b.txt"), "new");
    EXPECT_EQ(noFolder.stage, fs::WriteStage::Create);
    EXPECT_EQ(noFolder.error, test::platform::missingFolderError());

    const fs::WriteResult onFolder = fs::writeFileAtomically(dir.path(), "new");
    EXPECT_EQ(onFolder.stage, fs::WriteStage::Create);
    EXPECT_NE(onFolder.error, 0);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path()));
    EXPECT_EQ(dir.entryCount(), 1u); // no temporary left by any of them
}

TEST(FileSystem, FullPathIsAbsoluteInTheCurrentDirectory) {
    ScratchDir dir;
    const auto start = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const std::string directory = fs::currentDirectory();
    const std::string full = fs::fullPath("list.txt");
    std::filesystem::current_path(start);
    EXPECT_EQ(full, directory + fs::pathSeparator() + "list.txt");
    EXPECT_EQ(fs::fullPath(full), full);
}

} // namespace
} // namespace lirbo::core
