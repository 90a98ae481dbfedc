#include "app/StartWithSession.h"

#include "app/XdgAutostartEntry.h"
#include "core/Exception.h"

#include <gtest/gtest.h>

using lirbo::app::StartupTarget;
using lirbo::app::StartWithSession;
using lirbo::app::XdgAutostartEntry;
using Occasion = StartWithSession::Occasion;

namespace {

const std::string kProgram = "/opt/lirbo/lirbo";
const std::string kFolder = "/home/ann/chat";

// The platform's entry, in memory.
class FakeEntry : public lirbo::app::IStartupEntry {
public:
    std::optional<StartupTarget> present;
    bool unreadable = false;
    std::string program() const override { return kProgram; }
    std::string location() const override { return "autostart/lirbo.desktop"; }
    std::optional<StartupTarget> read() const override {
        return unreadable ? throw lirbo::core::Exception("unreadable autostart/lirbo.desktop") : present;
    }
    void write(const StartupTarget& target) override { present = target; }
    void remove() override { present.reset(); }
};

std::string shown(const std::optional<StartupTarget>& target) {
    return target ? target->program + " @ " + target->folder : "none";
}

} // namespace

// What the entry holds after the option is reconciled, and whether the user is told of a refusal.
TEST(StartWithSessionTest, TouchesOnlyThisCopysEntry) {
    const std::optional<StartupTarget> none;
    const StartupTarget ours{kProgram, kFolder};
    const StartupTarget otherFolder{kProgram, "/srv/profile2"};
    const StartupTarget otherProgram{"/usr/bin/editor", kFolder};
    struct Case {
        std::optional<StartupTarget> before;
        bool wanted;
        Occasion occasion;
        std::optional<StartupTarget> after;
        bool refused;
    };
    const Case cases[] = {
        {none, true, Occasion::Changed, ours, false},
        {none, true, Occasion::Start, ours, false}, // recreated: the option still asks for it
        {ours, true, Occasion::Start, ours, false},
        {otherFolder, true, Occasion::Changed, ours, false},
        {otherFolder, true, Occasion::Start, otherFolder, false},
        {otherProgram, true, Occasion::Changed, otherProgram, true},
        {otherProgram, true, Occasion::Start, otherProgram, false},
        {StartupTarget{}, true, Occasion::Changed, StartupTarget{}, true}, // unreadable: not ours
        {ours, false, Occasion::Changed, none, false},
        {ours, false, Occasion::Start, none, false},
        {otherFolder, false, Occasion::Changed, otherFolder, false},
        {otherProgram, false, Occasion::Changed, otherProgram, false},
    };
    for (const Case& c : cases) {
        FakeEntry entry;
        entry.present = c.before;
        bool refused = false;
        try {
            StartWithSession::reconcile(entry, c.wanted, kFolder, c.occasion);
        } catch (const lirbo::core::Exception& error) {
            refused = true;
            EXPECT_NE(error.message().find("autostart/lirbo.desktop"), std::string::npos);
        }
        const std::string label = shown(c.before) + (c.wanted ? " wanted" : " not wanted") +
                                  (c.occasion == Occasion::Start ? " at start" : " changed");
        EXPECT_EQ(shown(entry.present), shown(c.after)) << label;
        EXPECT_EQ(refused, c.refused) << label;
    }
    // A place that cannot be read is told of, except at a start that asks nothing of it.
    FakeEntry unreadable;
    unreadable.unreadable = true;
    EXPECT_NO_THROW(StartWithSession::reconcile(unreadable, false, kFolder, Occasion::Start));
    EXPECT_THROW(StartWithSession::reconcile(unreadable, true, kFolder, Occasion::Start), lirbo::core::Exception);
    EXPECT_THROW(StartWithSession::reconcile(unreadable, false, kFolder, Occasion::Changed), lirbo::core::Exception);
}

// Any path survives the desktop's quoting and escapes, and a hand-made entry's program is found.
TEST(StartWithSessionTest, DesktopEntryKeepsAnyPath) {
    const std::string paths[] = {"/usr/bin/lirbo", "/home/ann/My Apps/lirbo", "/tmp/\"q\" `x` $HOME \\ 100%",
                                 "/tmp/tab\tand\nline", "/home/\xD0\xB0\xD0\xBD\xD1\x8F/\xD1\x87\xD0\xB0\xD1\x82"};
    for (const std::string& path : paths) {
        const StartupTarget parsed = XdgAutostartEntry::parse(XdgAutostartEntry::text({path, path + "/ini"}));
        EXPECT_EQ(parsed.program, path);
        EXPECT_EQ(parsed.folder, path + "/ini");
    }
    const StartupTarget handMade = XdgAutostartEntry::parse("[Other]\nExec=/bin/false\n[Desktop Entry]\n"
                                                            "Exec = /usr/bin/lirbo --x %U\nPath=/a\\sb\n");
    EXPECT_EQ(handMade.program, "/usr/bin/lirbo");
    EXPECT_EQ(handMade.folder, "/a b");
}
