#include "cli/SendOptions.h"

#include "cli/ConsoleText.h"
#include "core/NickPalette.h"
#include "core/SystemText.h"
#include "core/Texts.h"

namespace lirbo::cli {

namespace {

// Windows-1251 lower case, with "ё" folded into "е" (the palette writes "Желтый").
std::string folded(std::string text) {
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 0xC0 && byte <= 0xDF) || (byte >= 'A' && byte <= 'Z')) {
            c = static_cast<char>(byte + 0x20);
        } else if (byte == 0xA8 || byte == 0xB8) { // Ё, ё
            c = static_cast<char>(0xE5);           // е, a byte of the code page rather than a text
        }
    }
    return text;
}

} // namespace

SendOptions SendOptions::parse(const std::vector<std::string>& arguments) {
    SendOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= arguments.size()) {
                throw UsageError(std::string(text::kCliAfter) + argument + std::string(text::kCliNeedsValue));
            }
            return arguments[++i];
        };
        if (argument == "--") {
            if (i + 1 < arguments.size()) {
                std::string text;
                for (std::size_t j = i + 1; j < arguments.size(); ++j) {
                    text += (j > i + 1 ? " " : "") + arguments[j];
                }
                options.text = std::move(text);
            }
            break;
        } else if (argument == "-h" || argument == "--help") {
            options.help = true;
        } else if (argument == "-p" || argument == "--private") {
            options.privateMessage = true;
        } else if (argument == "-n" || argument == "--nick") {
            options.nick = value();
        } else if (argument == "-c" || argument == "--colour") {
            options.colour = value();
        } else if (argument == "--ini") {
            options.iniPath = value();
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw UsageError(std::string(text::kCliUnknownOption) + argument);
        } else {
            options.addresses.push_back(argument);
        }
    }
    return options;
}

int parseColour(const std::string& utf8) {
    if (utf8.size() == 1 && utf8[0] >= '0' && utf8[0] < '0' + core::TNickPalette::kColourCount) {
        return utf8[0] - '0';
    }
    const std::string name = folded(core::sys::utf8ToCp1251(utf8));
    for (int index = 0; index < core::TNickPalette::nameCount(); ++index) {
        if (folded(core::TNickPalette::name(index)) == name) {
            return index;
        }
    }
    throw UsageError(std::string(text::kCliColour) + utf8 + std::string(text::kCliColourUnknown));
}

} // namespace lirbo::cli
