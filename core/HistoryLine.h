#pragma once

#include <optional>
#include <string>
#include <string_view>

// The line format of the conversation's log, one message a line:
//     date time<TAB>address<TAB>kind<TAB>nick<TAB>text<TAB>colour
// `colour` is the nick's palette index in decimal (core/NickPalette.h), so a day reads back in the
// colours it was shown in; the log's own lines, which have no nick, and lines written before it was
// kept end at the text.
// Inside a field a backslash, CR, LF and TAB are written as \\, \r, \n and \t, and every other byte
// below 0x20 and the byte 0x7F as \xHH (two capital hexadecimal digits). So one line is always one
// message, and `cat` or `tail` of the file shows what was received instead of letting a sender's
// control codes act on the terminal. Bytes from 0x80 up are Windows-1251 letters and stay as they are.
namespace lirbo::core::history {

void appendEscaped(std::string& out, std::string_view field);

// Appends one line without its CR LF; `dateTime` and `kind` are the log's own and are not escaped.
// A `colourIndex` outside the palette writes no colour field.
void appendLine(std::string& out, std::string_view dateTime, std::string_view address, std::string_view kind,
                std::string_view nick, std::string_view text, int colourIndex = -1);

// One line read back. A line without the five fields (torn by a crash, edited by hand) comes back
// whole as `text`, with the other fields empty. The colour is split off the text only when it is an
// index of the palette; anything else after the text stays part of it, as in a line written before
// colours were kept, and the colour stays empty.
struct Record {
    std::string dateTime;
    std::string address;
    std::string kind;
    std::string nick;
    std::string text;
    std::optional<int> colourIndex;
};

// The inverse of appendEscaped; a backslash that starts no escape stays as it is.
void appendUnescaped(std::string& out, std::string_view field);

// Reads one line without its CR LF into `record` (its strings reused).
void parseLine(std::string_view line, Record& record);

} // namespace lirbo::core::history
