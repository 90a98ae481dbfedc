#include "core/Exception.h"

#include "support/Platform.h"

#include <cerrno>
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

} // namespace
} // namespace lirbo::core
