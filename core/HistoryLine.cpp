#include "core/HistoryLine.h"

#include "core/NickPalette.h"

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
                std::string_view nick, std::string_view text, int colourIndex) {
    out += dateTime;
    out += '\t';
    appendEscaped(out, address);
    out += '\t';
    out += kind;
    out += '\t';
    appendEscaped(out, nick);
    out += '\t';
    appendEscaped(out, text);
    if (colourIndex >= 0 && colourIndex < TNickPalette::kColourCount) {
        out += '\t';
        out += std::to_string(colourIndex);
    }
}

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// The palette index a colour field names, written as appendLine writes it; nothing otherwise.
std::optional<int> colourField(std::string_view field) {
    if (field.empty() || field.size() > 2 || (field.size() == 2 && field[0] == '0')) {
        return std::nullopt;
    }
    int index = 0;
    for (const char c : field) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        index = index * 10 + (c - '0');
    }
    return index < TNickPalette::kColourCount ? std::optional<int>(index) : std::nullopt;
}

} // namespace

void appendUnescaped(std::string& out, std::string_view field) {
    std::size_t plain = 0;
    for (std::size_t i = field.find('\\'); i != std::string_view::npos; i = field.find('\\', plain)) {
        out.append(field, plain, i - plain);
        plain = i + 1;
        const char next = i + 1 < field.size() ? field[i + 1] : '\0';
        const char simple = next == '\\' ? '\\' : next == 'r' ? '\r' : next == 'n' ? '\n' : next == 't' ? '\t' : '\0';
        if (simple != '\0') {
            out += simple;
            plain = i + 2;
        } else if (next == 'x' && i + 3 < field.size() && hexDigit(field[i + 2]) >= 0 && hexDigit(field[i + 3]) >= 0) {
            out += static_cast<char>(hexDigit(field[i + 2]) * 16 + hexDigit(field[i + 3]));
            plain = i + 4;
        } else {
            out += '\\';
        }
    }
    out.append(field, plain, field.size() - plain);
}

void parseLine(std::string_view line, Record& record) {
    std::string_view fields[5];
    std::size_t start = 0;
    int count = 0;
    for (; count < 4; ++count) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            break;
        }
        fields[count] = line.substr(start, tab - start);
        start = tab + 1;
    }
    record.dateTime.clear();
    record.address.clear();
    record.kind.clear();
    record.nick.clear();
    record.text.clear();
    record.colourIndex.reset();
    if (count < 4) {
        record.text.assign(line);
        return;
    }
    fields[4] = line.substr(start);
    const std::size_t colourTab = fields[4].rfind('\t');
    if (colourTab != std::string_view::npos) {
        record.colourIndex = colourField(fields[4].substr(colourTab + 1));
        if (record.colourIndex) {
            fields[4] = fields[4].substr(0, colourTab);
        }
    }
    record.dateTime.assign(fields[0]);
    appendUnescaped(record.address, fields[1]);
    record.kind.assign(fields[2]);
    appendUnescaped(record.nick, fields[3]);
    appendUnescaped(record.text, fields[4]);
}

} // namespace lirbo::core::history
