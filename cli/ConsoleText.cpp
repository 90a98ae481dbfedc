#include "cli/ConsoleText.h"

#include "core/SystemText.h"
#include "core/Texts.h"

namespace lirbo::cli {

app::TypedText typedFromUtf8(const std::string& utf8) {
    const std::optional<std::u32string> points = core::sys::utf8CodePoints(utf8);
    if (!points) {
        throw UsageError(std::string(text::kCliNotUtf8));
    }
    return app::InputRules::fromUnicode(*points);
}

std::string messageLine(const std::string& cp1251) {
    std::string line = app::InputRules::joinLines(cp1251); // "Socket Error # N" CR LF reason
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    return core::sys::cp1251ToUtf8(line);
}

} // namespace lirbo::cli
