// The log's line format: whatever bytes an address, a nick and a text hold, the line has exactly
// five fields, no byte below 0x20 but the four tabs between them and no 0x7F, and each field reads
// back to exactly the bytes it came from.
#include "FuzzFields.h"
#include "FuzzSupport.h"
#include "core/HistoryLine.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

int hexValue(char c) {
    return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// Reads one escaped field back; a malformed escape fails the property.
std::string unescaped(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            out += field[i];
            continue;
        }
        LIRBO_FUZZ_CHECK(i + 1 < field.size());
        const char kind = field[++i];
        if (kind == 'x') {
            LIRBO_FUZZ_CHECK(i + 2 < field.size());
            const int high = hexValue(field[i + 1]);
            const int low = hexValue(field[i + 2]);
            LIRBO_FUZZ_CHECK(high >= 0 && low >= 0);
            const int byte = high * 16 + low;
            LIRBO_FUZZ_CHECK(byte != '\t' && byte != '\r' && byte != '\n' && (byte < 0x20 || byte == 0x7F));
            out += static_cast<char>(byte);
            i += 2;
        } else {
            LIRBO_FUZZ_CHECK(kind == '\\' || kind == 'r' || kind == 'n' || kind == 't');
            out += kind == '\\' ? '\\' : kind == 'r' ? '\r' : kind == 'n' ? '\n' : '\t';
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lirbo::fuzz::FuzzFields fields(data, size);
    const std::string address = fields.next();
    const std::string nick = fields.next();
    const std::string text = fields.next();
    std::string line;
    lirbo::core::history::appendLine(line, "2026-12-09 12:00:00", address, "kind", nick, text);
    LIRBO_FUZZ_CHECK(line.size() <= 19 + 4 + 4 + 4 * (address.size() + nick.size() + text.size()));

    std::vector<std::string> parts(1);
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        LIRBO_FUZZ_CHECK(byte == '\t' || (byte >= 0x20 && byte != 0x7F));
        if (c == '\t') {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    LIRBO_FUZZ_CHECK(parts.size() == 5);
    LIRBO_FUZZ_CHECK(parts[0] == "2026-12-09 12:00:00" && parts[2] == "kind");
    LIRBO_FUZZ_CHECK(unescaped(parts[1]) == address);
    LIRBO_FUZZ_CHECK(unescaped(parts[3]) == nick);
    LIRBO_FUZZ_CHECK(unescaped(parts[4]) == text);
    return 0;
}
