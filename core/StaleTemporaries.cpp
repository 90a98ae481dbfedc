#include "core/StaleTemporaries.h"

#include "core/FileSystem.h"

#include <algorithm>

namespace lirbo::core {

namespace {

constexpr int staleAfterSeconds = 60;

bool isAsciiAlphanumeric(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isUpperHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

template <typename IsTail>
bool hasForm(std::string_view name, std::string_view prefix, std::size_t tail, IsTail isTail) {
    return name.size() == prefix.size() + tail && name.substr(0, prefix.size()) == prefix &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(), isTail);
}

} // namespace

bool isSaveTemporaryName(std::string_view name) {
    return hasForm(name, ".lirbo-", 6, isAsciiAlphanumeric) || hasForm(name, "~lb", 8, isUpperHexDigit);
}

void removeStaleSaveTemporaries(const std::string& folder) {
    for (const std::string& name : fs::regularFilesOlderThan(folder, staleAfterSeconds, isSaveTemporaryName)) {
        std::string path = folder;
        path += fs::pathSeparator();
        path += name;
        fs::removeFile(path);
    }
}

} // namespace lirbo::core
