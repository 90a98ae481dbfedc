// The peer-list text file: any bytes load as the lines a plain reading of the line rules gives
// (a UTF-8 byte-order mark at the start is skipped, CR LF, LF or CR end a line, LF then CR ends
// two, the first zero byte ends the text), saving writes each entry and CR LF, and loading what
// was saved gives the same list again unless the first entry itself starts with a mark.
#include "FuzzSupport.h"
#include "core/PeerList.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::string> referenceLines(const std::string& bytes) {
    const std::string text = bytes.substr(0, bytes.find('\0'));
    std::vector<std::string> lines;
    std::size_t i = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    while (i < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", i);
        if (end == std::string::npos) {
            lines.push_back(text.substr(i));
            break;
        }
        lines.push_back(text.substr(i, end - i));
        i = end;
        if (text[i] == '\r') {
            ++i;
        }
        if (i < text.size() && text[i] == '\n') {
            ++i;
        }
    }
    return lines;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string source = lirbo::fuzz::scratchDirectory() + "/list.txt";
    const std::string saved = lirbo::fuzz::scratchDirectory() + "/saved.txt";
    lirbo::fuzz::writeScratchFile(source, bytes);

    lirbo::core::TPeerList list;
    list.add("kept until the load");
    list.setSelectedIndex(0);
    list.loadFromFile(source);
    LIRBO_FUZZ_CHECK(list.entries() == referenceLines(bytes));
    LIRBO_FUZZ_CHECK(list.selectedIndex() == -1);

    list.saveToFile(saved);
    std::string expected;
    for (const std::string& entry : list.entries()) {
        expected += entry + "\r\n";
    }
    LIRBO_FUZZ_CHECK(fileBytes(saved) == expected);

    if (list.count() > 0 && list.get(0).rfind("\xEF\xBB\xBF", 0) == 0) {
        return 0; // that mark would be skipped on loading
    }
    lirbo::core::TPeerList again;
    again.loadFromFile(saved);
    LIRBO_FUZZ_CHECK(again.entries() == list.entries());
    return 0;
}
