// lirbo.ini through the settings reader and writer, in memory: any file loads without an error with
// one peer per key of section "ip", and after storing the user settings and a peer list, loading
// gives back the nick, the colour index and the stored peers first, whatever else the file held.
// Input: the file's bytes, the nick, the colour index (a signed byte), then the peers.
#include "FuzzFields.h"
#include "FuzzSupport.h"
#include "IniSanitize.h"
#include "core/ChatSettings.h"
#include "core/IniDocument.h"
#include "core/IniFile.h"
#include "core/IniSection.h"
#include "core/PeerList.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using namespace lirbo::core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lirbo::fuzz::FuzzFields fields(data, size);
    const std::string original = fields.next();
    const std::string nick = lirbo::fuzz::plainValue(fields.next());
    const int colour = static_cast<std::int8_t>(fields.nextByte());
    TPeerList stored;
    while (!fields.done()) {
        stored.add(lirbo::fuzz::plainValue(fields.next()));
    }

    // The same reader and writer as on disk, without a file system call per operation.
    const TChatSettings settings(IniFile("lirbo.ini", std::make_shared<IniMemory>(original)));

    TPeerList loaded;
    settings.load(loaded);
    LIRBO_FUZZ_CHECK(loaded.count() == static_cast<int>(IniDocument(original).section("ip").keys().size()));

    settings.storeUserSettings(colour, nick);
    settings.storePeerList(stored);
    TPeerList again;
    const TUserSettings user = settings.load(again);
    LIRBO_FUZZ_CHECK(user.nick == nick.substr(0, IniSection::maxValueLength));
    LIRBO_FUZZ_CHECK(user.colourIndex == colour);
    LIRBO_FUZZ_CHECK(again.count() >= stored.count());
    for (int i = 0; i < stored.count(); ++i) {
        LIRBO_FUZZ_CHECK(again.get(i) == stored.get(i).substr(0, IniSection::maxValueLength));
    }
    return 0;
}
