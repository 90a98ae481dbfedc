#include "core/PeerNotes.h"

#include "core/ChatSettings.h"

#include <gtest/gtest.h>
#include <memory>

namespace lirbo::core {
namespace {

// What lirbo.ini can hold comes back as it was; a key or value that could open a section or an
// entry of its own is skipped; and an older copy's close, which rewrites [ip] only, keeps it all.
TEST(PeerNotesTest, NotesRoundTripSkipUnsafeKeysAndSurviveAnOlderCopysClose) {
    struct Case {
        std::string key;
        std::string value;
        bool kept;
    };
    const Case cases[] = {
        {"10.0.0.1", "\xC2\xE0\xF1\xFF", true}, // Вася
        {"host]name", "x", true},
        {"a=b", "x", false},
        {"[ip", "x", false},
        {";c", "x", false},
        {" lead", "x", false},
        {"", "x", false},
        {"10.0.0.2", "\"quoted\"", true},
        {"10.0.0.3", " blanks ", true},
        {"10.0.0.4", "'", true},
        {"10.0.0.5", "evil\r\n[ip]\r\nip0=1.2.3.4", false},
        {"10.0.0.6", "", false},
        {"Host", "first", true},
        {"host", "second", false}, // the same key to a reader
    };
    TPeerNotes notes;
    TPeerNotes::Pairs expected;
    for (const Case& c : cases) {
        notes.labels.emplace_back(c.key, c.value);
        if (c.kept) {
            expected.emplace_back(c.key, c.value);
        }
    }
    notes.seen = notes.labels;
    notes.muted = {"10.0.0.9", "x=y"};
    const std::string user = "[user]\r\nnik=Ann\r\n";
    auto memory = std::make_shared<IniMemory>(user + "[ip]\r\nip0=10.0.0.1\r\n");
    const IniFile file("lirbo.ini", memory);
    notes.store(file);

    const auto check = [&](const char* when) {
        const TPeerNotes back = TPeerNotes::load(file);
        EXPECT_EQ(back.labels, expected) << when;
        EXPECT_EQ(back.seen, expected) << when;
        EXPECT_EQ(back.muted, std::vector<std::string>{"10.0.0.9"}) << when;
        EXPECT_EQ(memory->bytes().rfind(user, 0), 0u) << when << memory->bytes();
    };
    check("stored");
    const std::string stored = memory->bytes();
    notes.store(file);
    EXPECT_EQ(memory->bytes(), stored) << "storing the same notes again changes nothing";

    TPeerList peers;
    peers.add("10.0.0.7");
    TChatSettings(file).storePeerList(peers); // what an older copy does at close
    check("after an older copy's close");
    TPeerList reloaded;
    TChatSettings(file).load(reloaded);
    EXPECT_EQ(reloaded.entries(), std::vector<std::string>{"10.0.0.7"});
}

} // namespace
} // namespace lirbo::core
