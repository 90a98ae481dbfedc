#include "core/HistoryLine.h"

namespace lirbo::core::history {

void appendEscaped(std::string& out, std::string_view field) {
    static const char kHex[] = "0123456789ABCDEF";
    std::size_t plain = 0; // the start of the run of bytes that need no escape
    for (std::size_t i = 0; i < field.size(); ++i) {
        const auto byte = static_cast<unsigned char>(field[i]);
        if (byte >= 0x20 && byte != 0x7F && byte != '\\') {
            continue;
        }
        out.append(field, plain, i - plain);
        plain = i + 1;
        out += '\\';
        switch (byte) {
        case '\\':
            out += '\\';
            break;
        case '\r':
            out += 'r';
            break;
        case '\n':
            out += 'n';
            break;
        case '\t':
            out += 't';
            break;
        default:
            out += 'x';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
    }
    out.append(field, plain, field.size() - plain);
}

void appendLine(std::string& out, std::string_view dateTime, std::string_view address, std::string_view kind,
                std::string_view nick, std::string_view text) {
    out += dateTime;
    out += '\t';
    appendEscaped(out, address);
    out += '\t';
    out += kind;
    out += '\t';
    appendEscaped(out, nick);
    out += '\t';
    appendEscaped(out, text);
}

} // namespace lirbo::core::history
