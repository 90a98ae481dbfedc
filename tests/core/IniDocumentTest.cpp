#include "core/IniDocument.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace lirbo::core {
namespace {

using Keys = std::vector<std::string>;

struct ReadCase {
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    std::optional<std::string> value; // nothing: the key is absent
};

std::ostream& operator<<(std::ostream& out, const ReadCase& c) {
    return out << c.name;
}

class IniReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniReading, FindsTheValueAsTheProfileReaderDoes) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(IniDocument(c.file).section(c.section).value(c.key), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniReading,
    ::testing::Values(
        ReadCase{"Plain", "[user]\r\nnik=Ann\r\n", "user", "nik", "Ann"},
        ReadCase{"SectionAndKeyIgnoreCase", "[USER]\r\nNIK=Ann\r\n", "user", "nik", "Ann"},
        ReadCase{"BlanksAroundNamesAndValues", " [ user ] \r\n \t nik \t= \t Ann Lee \t\r\n", "user", "nik", "Ann Lee"},
        ReadCase{"ValueRunsPastFurtherEquals", "[ip]\r\nip0=a=b\r\n", "ip", "ip0", "a=b"},
        ReadCase{"DoubleQuotesRemoved", "[user]\r\nnik=\"Ann \"\r\n", "user", "nik", "Ann "},
        ReadCase{"SingleQuotesRemoved", "[user]\r\nnik='Ann'\r\n", "user", "nik", "Ann"},
        ReadCase{"OnlyOnePairRemoved", "[user]\r\nnik=\"\"Ann\"\"\r\n", "user", "nik", "\"Ann\""},
        ReadCase{"UnlikeQuotesKept", "[user]\r\nnik=\"Ann'\r\n", "user", "nik", "\"Ann'"},
        ReadCase{"LoneQuoteKept", "[user]\r\nnik=\"\r\n", "user", "nik", "\""},
        ReadCase{"EmptyQuotesGiveEmpty", "[user]\r\nnik=\"\"\r\n", "user", "nik", ""},
        ReadCase{"EmptyValueIsNotAbsent", "[user]\r\nnik=\r\n", "user", "nik", ""},
        ReadCase{"AbsentKey", "[user]\r\nnick=Ann\r\n", "user", "nik", std::nullopt},
        ReadCase{"AbsentSection", "[ip]\r\nnik=Ann\r\n", "user", "nik", std::nullopt},
        ReadCase{"EmptyFile", "", "user", "nik", std::nullopt},
        ReadCase{"KeyBeforeAnySectionBelongsToNone", "nik=Ann\r\n[user]\r\n", "user", "nik", std::nullopt},
        ReadCase{"KeyOfNextSectionNotSeen", "[user]\r\n[ip]\r\nnik=Ann\r\n", "user", "nik", std::nullopt},
        ReadCase{"RepeatedKeyGivesFirst", "[user]\r\nnik=Ann\r\nNik=Bob\r\n", "user", "nik", "Ann"},
        ReadCase{"RepeatedSectionOnlyFirstSeen", "[user]\r\nnik=Ann\r\n[user]\r\nnik=Bob\r\ncolour=1\r\n", "user",
                 "colour", std::nullopt},
        ReadCase{"CommentIsNoEntry", "[user]\r\n;nik=Ann\r\n  ;nik=Bob\r\nnik=Cid\r\n", "user", "nik", "Cid"},
        ReadCase{"SemicolonInsideValueKept", "[user]\r\nnik=Ann ;x\r\n", "user", "nik", "Ann ;x"},
        ReadCase{"LfEndings", "[user]\nnik=Ann\n", "user", "nik", "Ann"},
        ReadCase{"LoneCrEndings", "[user]\rnik=Ann\r", "user", "nik", "Ann"},
        ReadCase{"LastLineWithoutEnding", "[user]\r\nnik=Ann", "user", "nik", "Ann"},
        ReadCase{"Windows1251Bytes", "[user]\r\nnik=\xC0\xED\xFF\r\n", "user", "nik", "\xC0\xED\xFF"},
        ReadCase{"LongValueCut", "[user]\r\nnik=" + std::string(3000, 'a') + "\r\n", "user", "nik",
                 std::string(2047, 'a')},
        ReadCase{"QuotesRemovedBeforeCut", "[user]\r\nnik=\"" + std::string(2047, 'b') + "\"\r\n", "user", "nik",
                 std::string(2047, 'b')}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniListing, KeysInFileOrderCountingRepeatsButNotCommentsOrBareLines) {
    const IniDocument document("[ip]\r\n"
                               "ip1=b\r\n"
                               "; a comment=1\r\n"
                               "just text\r\n"
                               "\r\n"
                               "IP0 = a\r\n"
                               "=no key\r\n"
                               "ip1=c\r\n"
                               "[user]\r\n"
                               "nik=Ann\r\n"
                               "[ip]\r\n"
                               "ip2=d\r\n");
    EXPECT_EQ(document.section("ip").keys(), (Keys{"ip1", "IP0", "ip1"}));
    EXPECT_EQ(document.section("IP").value("ip1"), "b");
    EXPECT_TRUE(document.section("none").keys().empty());
}

TEST(IniBytes, UnchangedDocumentKeepsEveryByte) {
    using namespace std::string_literals;
    for (const std::string& bytes : {""s, "\r\n"s, "a"s, "[user]\r\nnik=A\nx\r\r\n\n;c"s, "\0[x]\r\n"s}) {
        EXPECT_EQ(IniDocument(bytes).bytes(), bytes);
    }
}

// A hand-edited file: unknown sections, comments, odd spacing and mixed line endings.
const std::string handEdited = "; my settings\r\n"
                               "[Window]\r\n"
                               "left = 10\n"
                               "\r\n"
                               " [ USER ]  \r\n"
                               "  Nik =  Old  \r\n"
                               "; keep me\r\n"
                               "extra\r\n"
                               "\r\n"
                               "[other]\r\n"
                               "a=1";

TEST(IniWriting, ReplacesInPlaceAndKeepsEveryOtherLine) {
    IniDocument document(handEdited);
    document.setValue("user", "nik", "New");
    EXPECT_EQ(document.bytes(), "; my settings\r\n"
                                "[Window]\r\n"
                                "left = 10\n"
                                "\r\n"
                                " [ USER ]  \r\n"
                                "Nik=New\r\n"
                                "; keep me\r\n"
                                "extra\r\n"
                                "\r\n"
                                "[other]\r\n"
                                "a=1");
}

TEST(IniWriting, AddsEntryAfterLastNonBlankLineOfSection) {
    IniDocument document(handEdited);
    document.setValue("user", "start", "0");
    document.setValue("window", "top", "5");
    document.setValue("other", "b", "2");
    EXPECT_EQ(document.bytes(), "; my settings\r\n"
                                "[Window]\r\n"
                                "left = 10\n"
                                "top=5\r\n"
                                "\r\n"
                                " [ USER ]  \r\n"
                                "  Nik =  Old  \r\n"
                                "; keep me\r\n"
                                "extra\r\n"
                                "start=0\r\n"
                                "\r\n"
                                "[other]\r\n"
                                "a=1\r\n"
                                "b=2\r\n");
}

TEST(IniWriting, AddsMissingSectionAtEndAfterTerminatingLastLine) {
    IniDocument document(handEdited);
    document.setValue("ip", "ip0", "10.0.0.1");
    EXPECT_EQ(document.bytes(), handEdited + "\r\n[ip]\r\nip0=10.0.0.1\r\n");

    IniDocument empty;
    empty.setValue("user", "nik_color", "3");
    empty.setValue("user", "nik", "Ann");
    empty.setValue("user", "start", "0");
    empty.setValues("ip", {{"ip0", "192.168.0.7"}, {"ip1", "192.168.0.12"}});
    EXPECT_EQ(empty.bytes(), "[user]\r\nnik_color=3\r\nnik=Ann\r\nstart=0\r\n[ip]\r\nip0=192.168.0.7\r\n"
                             "ip1=192.168.0.12\r\n");
}

TEST(IniWriting, ValueWrittenUnchanged) {
    IniDocument document;
    document.setValue("user", "nik", "  \"quoted\" ;\xC0 ");
    EXPECT_EQ(document.bytes(), "[user]\r\nnik=  \"quoted\" ;\xC0 \r\n");
}

TEST(IniWriting, RepeatedKeyAndSectionRewriteOnlyTheFirst) {
    IniDocument document("[user]\r\nnik=A\r\nNIK=B\r\n[user]\r\nnik=C\r\n");
    document.setValue("USER", "Nik", "D");
    EXPECT_EQ(document.bytes(), "[user]\r\nnik=D\r\nNIK=B\r\n[user]\r\nnik=C\r\n");
}

TEST(IniWriting, BatchEqualsWritesOneByOne) {
    const std::string start = "[ip]\r\nip1=x\r\n\r\n[user]\r\nnik=A";
    const IniDocument::Entries entries = {{"ip0", "a"}, {"IP1", "b"}, {"ip2", "c"}, {"ip0", "d"}, {"ip3", ""}};
    IniDocument batch(start);
    batch.setValues("ip", entries);
    IniDocument single(start);
    for (const auto& [key, value] : entries) {
        single.setValue("ip", key, value);
    }
    EXPECT_EQ(batch.bytes(), single.bytes());
    EXPECT_EQ(batch.bytes(), "[ip]\r\nip1=b\r\nip0=d\r\nip2=c\r\nip3=\r\n\r\n[user]\r\nnik=A");
}

TEST(IniErasing, RemovesSectionUpToNextSectionOnlyOnce) {
    IniDocument document("[user]\r\nnik=A\r\n\r\n[IP]\r\nip0=a\r\n; note\r\n\r\n[x]\r\ny=1\r\n[ip]\r\nip0=b\r\n");
    EXPECT_TRUE(document.eraseSection("ip"));
    EXPECT_EQ(document.bytes(), "[user]\r\nnik=A\r\n\r\n[x]\r\ny=1\r\n[ip]\r\nip0=b\r\n");
    // The second of the repeated sections is now the first one seen.
    EXPECT_EQ(document.section("ip").value("ip0"), "b");
    EXPECT_TRUE(document.eraseSection("ip"));
    EXPECT_FALSE(document.eraseSection("ip"));
    EXPECT_EQ(document.bytes(), "[user]\r\nnik=A\r\n\r\n[x]\r\ny=1\r\n");
}

} // namespace
} // namespace lirbo::core
