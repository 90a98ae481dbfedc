#include "core/Exception.h"

#include "core/ChatTranscript.h"
#include "core/CodePage1251.h"
#include "core/IniFile.h"
#include "core/PeerList.h"
#include "core/SystemText.h"
#include "support/Platform.h"
#include "support/ScratchDir.h"

#include <cerrno>
#include <clocale>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace lirbo::core {
namespace {

struct BoxCase {
    const char* message;
    const char* shown;
};

class ErrorBoxText : public ::testing::TestWithParam<BoxCase> {};

TEST_P(ErrorBoxText, AddsFullStopOnlyAfterBytesSortingAfterIt) {
    EXPECT_EQ(errorBoxText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(LastByte, ErrorBoxText,
                         ::testing::Values(BoxCase{"Stream write error", "Stream write error."},
                                           BoxCase{"List index out of bounds (7", "List index out of bounds (7."},
                                           BoxCase{"code 42", "code 42."}, BoxCase{"really?", "really?."},
                                           BoxCase{"Set Size Exceeded.", "Set Size Exceeded."},
                                           BoxCase{"stop!", "stop!"}, BoxCase{"(3)", "(3)"},
                                           BoxCase{"trailing ", "trailing "}, BoxCase{"", ""},
                                           // Windows-1251 letters sort after "." as bytes.
                                           BoxCase{"\xCE\xF8\xE8\xE1\xEA\xE0", "\xCE\xF8\xE8\xE1\xEA\xE0."}));

TEST(Exceptions, NameTheirOwnClassThroughTheBase) {
    try {
        throw lineInsertError();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.className(), "EOutOfResources");
        EXPECT_EQ(e.message(), "Unable to insert a line");
        EXPECT_NE(e.raiseAddress(), nullptr);
    }
    EXPECT_STREQ(EFCreateError("x").className(), "EFCreateError");
    EXPECT_STREQ(Exception("x").className(), "Exception");
}

TEST(Exceptions, FixedMessages) {
    EXPECT_EQ(streamWriteError().message(), "Stream write error");
    EXPECT_EQ(saveStreamError().message(), "Failed to Save Stream");
    EXPECT_EQ(listIndexError(-1).message(), "List index out of bounds (-1)");
    EXPECT_EQ(iniWriteError("/home/ann/lirbo.ini").message(), "Unable to write to /home/ann/lirbo.ini");
}

TEST(Exceptions, FileErrorsCarryPathAndTrimmedSystemReason) {
    const auto open = fileOpenError("/tmp/none.txt", test::platform::missingFileError());
    EXPECT_STREQ(open.className(), "EFOpenError");
    EXPECT_EQ(open.message(), "Cannot open file \"/tmp/none.txt\". " + test::platform::missingFileReason());
    EXPECT_EQ(fileCreateError("/ro/x.rtf", test::platform::readOnlyError()).message(),
              "Cannot create file \"/ro/x.rtf\". " + test::platform::readOnlyReason());
}

TEST(SystemText, Utf8BecomesWindows1251WithQuestionMarksForTheRest) {
    // "Путь" in UTF-8, a Euro sign, a Chinese character, a stray byte and a cut sequence.
    EXPECT_EQ(sys::utf8ToCp1251("a/\xD0\x9F\xD1\x83\xD1\x82\xD1\x8C \xE2\x82\xAC\xE6\x97\xA5\xFF\xD0"),
              "a/\xCF\xF3\xF2\xFC \x88?\?\?");
    EXPECT_EQ(sys::utf8ToCp1251("\xC0\xAF\xED\xA0\x80"), "?????"); // overlong form, surrogate
}

TEST(SystemText, EveryWindows1251ByteSurvivesUtf8AndBack) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        const std::optional<std::u32string> points = sys::utf8CodePoints(sys::cp1251ToUtf8(one));
        ASSERT_TRUE(points && points->size() == 1) << byte;
        EXPECT_EQ(cp1251::fromUnicode((*points)[0]).value_or('?'), one[0]) << byte;
    }
    EXPECT_EQ(sys::utf8CodePoints("\xF0\x9F\x98\x80"), std::u32string(1, U'\U0001F600'));
    for (const char* malformed : {"\xFF", "a\xD0", "\xC0\xAF", "\xED\xA0\x80"}) {
        EXPECT_FALSE(sys::utf8CodePoints(malformed)) << malformed;
    }
}

#ifndef _WIN32
// Runs a test body in the Russian UTF-8 locale of a Linux desktop, and goes back to "C" after.
class RussianLocale : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::setlocale(LC_ALL, "ru_RU.UTF-8"), nullptr) << "scripts/install-deps.sh test makes the locale";
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }

    static std::string messageOf(const std::function<void()>& operation) {
        try {
            operation();
        } catch (const Exception& e) {
            return e.message();
        }
        ADD_FAILURE() << "no error";
        return {};
    }
};

TEST_F(RussianLocale, FileErrorsShowTheRealPathAndReasonInWindows1251) {
    test::ScratchDir dir;
    const std::string documents =
        dir.file("\xD0\x94\xD0\xBE\xD0\xBA\xD1\x83\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x82\xD1\x8B"); // "Документы"
    const std::string profile = dir.file("\xD0\x9F\xD1\x80\xD0\xBE\xD1\x84\xD0\xB8\xD0\xBB\xD1\x8C"); // "Профиль"
    const std::string japanese = dir.file("\xE6\x97\xA5\xE6\x9C\xAC"); // outside Windows-1251
    for (const std::string& folder : {documents, profile, japanese}) {
        std::filesystem::create_directory(folder);
    }
    const std::string documentsShown = dir.path() + "/\xC4\xEE\xEA\xF3\xEC\xE5\xED\xF2\xFB";
    const std::string profileShown = dir.path() + "/\xCF\xF0\xEE\xF4\xE8\xEB\xFC";
    const std::string denied = "\xCE\xF2\xEA\xE0\xE7\xE0\xED\xEE \xE2 \xE4\xEE\xF1\xF2\xF3\xEF\xE5";
    const std::string notFound = "\xCD\xE5\xF2 \xF2\xE0\xEA\xEE\xE3\xEE \xF4\xE0\xE9\xEB\xE0 "
                                 "\xE8\xEB\xE8 \xEA\xE0\xF2\xE0\xEB\xEE\xE3\xE0";

    test::ScratchDir::write(documents + "/chat.RTF", "old");
    test::ScratchDir::makeReadOnly(documents + "/chat.RTF");
    EXPECT_EQ(messageOf([&] { TChatTranscript().saveToFile(documents + "/chat.RTF"); }),
              "Cannot create file \"" + documentsShown + "/chat.RTF\". " + denied);

    test::ScratchDir::write(profile + "/lirbo.ini", "[user]\r\n");
    test::ScratchDir::makeReadOnly(profile + "/lirbo.ini");
    EXPECT_EQ(messageOf([&] { IniFile(profile + "/lirbo.ini").writeString("user", "nik", "Ann"); }),
              "Unable to write to " + profileShown + "/lirbo.ini");

    // A folder whose name Windows-1251 cannot spell still saves and loads; only the message loses it.
    TPeerList peers;
    peers.add("10.0.0.2");
    peers.saveToFile(japanese + "/list.txt");
    peers.loadFromFile(japanese + "/list.txt");
    EXPECT_EQ(peers.entries(), std::vector<std::string>{"10.0.0.2"});
    EXPECT_EQ(messageOf([&] { peers.loadFromFile(japanese + "/none.txt"); }),
              "Cannot open file \"" + dir.path() + "/?\?/none.txt\". " + notFound);
}
#endif

} // namespace
} // namespace lirbo::core
