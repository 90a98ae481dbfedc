#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lirbo::cli {

// The command line of lirbo-send, as given (UTF-8):
// lirbo-send [-p|--private] [-n NICK] [-c COLOUR] [--ini FILE] [ADDRESS...] [-- TEXT]
struct SendOptions {
    bool help = false;
    bool privateMessage = false;
    std::optional<std::string> nick;
    std::optional<std::string> colour;
    std::optional<std::string> iniPath; // none: lirbo.ini in the current folder
    std::vector<std::string> addresses; // none: the peer list of the settings file
    // The words after "--", joined by single spaces; none: one message per line of standard input.
    std::optional<std::string> text;

    // Throws UsageError for an unknown option or an option without its value.
    static SendOptions parse(const std::vector<std::string>& arguments);
};

// A colour index from the command line: a digit 0 to 8, or the name the settings dialog gives the
// colour, in any letter case, "ё" as "е". Throws UsageError for anything else.
int parseColour(const std::string& utf8);

} // namespace lirbo::cli
