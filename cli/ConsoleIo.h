#pragma once

#include <string>
#include <vector>

// The console programs' edge with the system: arguments, standard input and output, all as UTF-8
// inside the programs whatever the system's encodings are.
namespace lirbo::cli {

// The program's arguments, without the program's name. Windows: from the wide command line.
std::vector<std::string> utf8Arguments(int argc, char** argv);

// The next line of standard input without its line break (LF or CR LF); false at the end of the
// input. Linux: the bytes as they come (UTF-8, a byte-order mark at the start skipped). Windows:
// typed into the console, the console's own characters; from a pipe or a file, bytes in the
// console's input code page.
bool readInputLine(std::string& line);

// One line and a line break on standard output, flushed at once (a reader at the other end of a
// pipe sees every line when it is written). Windows: a console gets the characters themselves.
// False when the line could not be written (the reader at the other end has gone).
bool writeOutputLine(const std::string& utf8);
// The same on standard error.
bool writeErrorLine(const std::string& utf8);

} // namespace lirbo::cli
