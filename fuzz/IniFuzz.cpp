// The settings file engine on its own: any bytes read back unchanged, a written value reads back as
// written, and a write or an erase leaves every line outside its section byte for byte as it was.
// Input: the file's bytes, then operations of four fields each (kind, section, key, value); only the
// first 16 count, as each one checks the whole file again: longer runs of changes find nothing that
// shorter ones do not, and would make an input cost its length squared.
#include "FuzzFields.h"
#include "FuzzSupport.h"
#include "IniSanitize.h"
#include "core/IniDocument.h"
#include "core/IniSection.h"

#include <cstdint>
#include <string>

using lirbo::core::IniDocument;
using lirbo::core::IniSection;

namespace {

// The file without the given section: what a change to that section must leave alone.
std::string outside(const IniDocument& document, const std::string& section) {
    IniDocument copy = document;
    copy.eraseSection(section);
    return copy.bytes();
}

bool endsWithBreak(const std::string& bytes) {
    return !bytes.empty() && (bytes.back() == '\r' || bytes.back() == '\n');
}

void checkOthersKept(const IniDocument& before, const IniDocument& after, const std::string& section) {
    const std::string expected = outside(before, section);
    const std::string actual = outside(after, section);
    // A section added at the end first ends the file's last line.
    LIRBO_FUZZ_CHECK(actual == expected ||
                     (!expected.empty() && !endsWithBreak(expected) && actual == expected + "\r\n"));
}

void checkReadsBack(const IniDocument& document, const std::string& section, const std::string& key,
                    const std::string& value) {
    const IniSection read = IniDocument(document.bytes()).section(section);
    const auto got = read.value(key);
    LIRBO_FUZZ_CHECK(got.has_value());
    LIRBO_FUZZ_CHECK(*got == value.substr(0, IniSection::maxValueLength));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lirbo::fuzz::FuzzFields fields(data, size);
    const std::string original = fields.next();
    IniDocument document(original);
    LIRBO_FUZZ_CHECK(document.bytes() == original);

    for (int operation = 0; operation < 16 && !fields.done(); ++operation) {
        const unsigned char kind = fields.nextByte();
        const std::string section = lirbo::fuzz::sectionName(fields.next());
        const std::string key = lirbo::fuzz::keyName(fields.next());
        const std::string value = lirbo::fuzz::plainValue(fields.next());
        const IniDocument before = document;
        switch (kind % 3) {
        case 0:
            document.setValue(section, key, value);
            checkReadsBack(document, section, key, value);
            checkOthersKept(before, document, section);
            break;
        case 1: {
            // Two keys in one pass, the second derived from the first.
            const std::string other = key + "2";
            document.setValues(section, {{key, value}, {other, lirbo::fuzz::plainValue(key)}});
            checkReadsBack(document, section, key, value);
            checkReadsBack(document, section, other, lirbo::fuzz::plainValue(key));
            checkOthersKept(before, document, section);
            break;
        }
        default: {
            // Erasing a section that is not there changes nothing; otherwise at least its line goes.
            const bool erased = document.eraseSection(section);
            LIRBO_FUZZ_CHECK(erased ? document.lineCount() < before.lineCount() : document.bytes() == before.bytes());
            break;
        }
        }
    }
    return 0;
}
