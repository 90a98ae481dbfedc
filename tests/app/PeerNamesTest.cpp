#include "app/PeerNames.h"

#include <gtest/gtest.h>

namespace lirbo::app {
namespace {

// Each step, then what the row typed "127.1" shows: the last nick heard wins, a label wins over
// any nick, and clearing the label shows the nick again.
TEST(PeerNamesTest, ARowShowsItsLabelElseTheLastNickHeard) {
    enum class Do { Hear, Label };
    struct Step {
        Do action;
        std::string address;
        std::string value;
        std::string shown;
        bool learned;
    };
    const Step steps[] = {
        {Do::Hear, "127.0.0.1", "Eve", "Eve", true},        {Do::Hear, "127.0.0.1", "Evelyn", "Evelyn", true},
        {Do::Hear, "127.0.0.1", "", "Evelyn", true},        {Do::Hear, "127.0.0.1", "two\nlines", "Evelyn", true},
        {Do::Hear, "127.0.0.2", "Mallory", "Evelyn", true}, {Do::Label, "127.0.0.1", "Boss", "Boss", false},
        {Do::Hear, "127.0.0.1", "Zed", "Boss", false},      {Do::Label, "127.1", "", "Zed", true},
    };
    PeerNames names;
    for (const Step& step : steps) {
        if (step.action == Do::Hear) {
            names.heard(step.address, step.value);
        } else {
            names.setLabel(step.address, step.value);
        }
        const PeerNames::Name name = names.name("127.1");
        EXPECT_EQ(name.text, step.shown) << step.address << " " << step.value;
        EXPECT_EQ(name.learned, step.learned) << step.address << " " << step.value;
    }
    // Kept for the list's entries only, keyed as typed there.
    names.setLabel("10.0.0.3", "Printer");
    const core::TPeerNotes notes = names.notes({"127.1", "10.0.0.9"});
    EXPECT_EQ(notes.seen, (core::TPeerNotes::Pairs{{"127.1", "Zed"}}));
    EXPECT_TRUE(notes.labels.empty());

    PeerNames restarted;
    restarted.adopt(notes);
    EXPECT_EQ(restarted.name("127.0.0.1").text, "Zed");
}

TEST(PeerNamesTest, MutedAddressesMatchAnyFormAndAreBounded) {
    PeerNames names(2);
    EXPECT_TRUE(names.setMuted("127.1", true));
    EXPECT_FALSE(names.setMuted("127.0.0.1", true)); // already
    EXPECT_TRUE(names.muted("127.0.0.1"));
    EXPECT_TRUE(names.setMuted("10.0.0.2", true));
    EXPECT_FALSE(names.setMuted("10.0.0.3", true)); // over the limit
    EXPECT_FALSE(names.muted("10.0.0.3"));
    EXPECT_TRUE(names.setMuted("127.0.0.1", false));
    EXPECT_FALSE(names.muted("127.1"));
    EXPECT_EQ(names.notes({}).muted, std::vector<std::string>{"10.0.0.2"});
}

} // namespace
} // namespace lirbo::app
