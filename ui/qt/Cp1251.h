#pragma once

#include "app/InputRules.h"

#include <QString>
#include <string>

// The program's text is Windows-1251 bytes everywhere outside the user interface; these convert
// at the edge between those bytes and Qt's strings.
namespace lirbo::ui {

// Every byte becomes one character; 0x98, which the code page leaves unassigned, maps to U+0098.
QString fromCp1251(const std::string& bytes);

// Every character becomes one byte; a character the code page lacks becomes "?", once per code
// point, as an ANSI program receives it.
std::string toCp1251(const QString& text);

// The text as toCp1251 gives it, with the code points that came out as "?" because the code page
// lacks them.
app::TypedText toTypedText(const QString& text);

} // namespace lirbo::ui
