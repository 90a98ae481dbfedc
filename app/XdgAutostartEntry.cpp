#include "app/XdgAutostartEntry.h"

#include "core/AppendFile.h"
#include "core/CodePage1251.h"
#include "core/Exception.h"
#include "core/FileSystem.h"
#include "core/SystemText.h"
#include "core/Texts.h"

#include <cstdlib>

namespace lirbo::app {

namespace {

const char* const kGroup = "[Desktop Entry]";

// A value of type string: backslash and the control characters a line cannot hold are escaped.
std::string escapedValue(const std::string& value) {
    std::string out;
    for (const char c : value) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string unescapedValue(const std::string& value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const char next = value[++i];
        switch (next) {
        case 's':
            out += ' ';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            out += next; // "\\" and anything unknown: the character itself
        }
    }
    return out;
}

// One argument of Exec, always quoted: the characters that keep a meaning inside quotes take a
// backslash, and "%" (a field code's mark) is doubled.
std::string quotedArgument(const std::string& argument) {
    std::string out = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            out += '\\';
        }
        out += c;
        if (c == '%') {
            out += '%';
        }
    }
    return out + "\"";
}

// Exec's first argument, quoted or not, after the value's own escapes are undone.
std::string firstArgument(const std::string& exec) {
    std::string out;
    std::size_t i = exec.find_first_not_of(' ');
    if (i == std::string::npos) {
        return out;
    }
    const bool quoted = exec[i] == '"';
    for (i += quoted ? 1 : 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (quoted ? c == '"' : c == ' ') {
            break;
        }
        if (quoted && c == '\\' && i + 1 < exec.size()) {
            out += exec[++i];
        } else if (c == '%' && i + 1 < exec.size() && exec[i + 1] == '%') {
            out += exec[++i];
        } else {
            out += c;
        }
    }
    return out;
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    const std::size_t last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

core::Exception failure(const std::string& what, const std::string& path, int error) {
    const std::string reason = core::fs::isRefusal(error) ? core::cp1251::fromUtf8Once<text::kAutostartNotRegularFile>()
                                                          : core::fs::systemErrorText(error);
    return core::Exception(what + " \"" + core::sys::pathToCp1251(path) + "\": " + reason);
}

} // namespace

XdgAutostartEntry::XdgAutostartEntry(std::string program, std::string configHome)
    : m_program(std::move(program)), m_configHome(std::move(configHome)) {}

std::string XdgAutostartEntry::configHomeFromEnvironment() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        return config;
    }
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] == '/' ? std::string(home) + "/.config" : std::string();
}

std::string XdgAutostartEntry::location() const {
    return m_configHome + "/autostart/lirbo.desktop";
}

std::string XdgAutostartEntry::text(const StartupTarget& target) {
    return std::string(kGroup) +
           "\n"
           "Type=Application\n"
           "Name=Lirbo\n"
           "Exec=" +
           escapedValue(quotedArgument(target.program)) + "\nPath=" + escapedValue(target.folder) +
           "\n"
           "Icon=lirbo\n"
           "Terminal=false\n";
}

StartupTarget XdgAutostartEntry::parse(const std::string& text) {
    StartupTarget target;
    bool inGroup = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string line = trimmed(text.substr(start, end - start));
        start = end + 1;
        if (!line.empty() && line.front() == '[') {
            inGroup = line == kGroup;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inGroup || equals == std::string::npos) {
            continue;
        }
        const std::string key = trimmed(line.substr(0, equals));
        const std::string value = unescapedValue(trimmed(line.substr(equals + 1)));
        if (key == "Exec") {
            target.program = firstArgument(value);
        } else if (key == "Path") {
            target.folder = value;
        }
    }
    return target;
}

std::optional<StartupTarget> XdgAutostartEntry::read() const {
    if (m_configHome.empty()) {
        return std::nullopt; // nowhere to look, and write says why
    }
    std::string bytes;
    const int error = core::fs::readFile(location(), bytes);
    if (error != 0) {
        if (core::fs::isNotFoundError(error)) {
            return std::nullopt;
        }
        if (core::fs::isRefusal(error)) {
            return StartupTarget{}; // a folder or a huge file under that name: no entry of ours
        }
        throw failure(core::cp1251::fromUtf8Once<text::kAutostartReadFailed>(), location(), error);
    }
    return parse(bytes);
}

void XdgAutostartEntry::write(const StartupTarget& target) {
    if (m_configHome.empty()) {
        throw core::Exception(core::cp1251::fromUtf8Once<text::kAutostartNoHome>());
    }
    const std::string folder = m_configHome + "/autostart";
    if (const int error = core::fs::createFolders(folder)) {
        throw failure(core::cp1251::fromUtf8Once<text::kAutostartFolderFailed>(), folder, error);
    }
    const core::fs::WriteResult result = core::fs::writeFileAtomically(location(), text(target));
    if (!result.ok()) {
        throw failure(core::cp1251::fromUtf8Once<text::kAutostartWriteFailed>(), location(), result.error);
    }
}

void XdgAutostartEntry::remove() {
    if (!core::fs::removeFile(location())) {
        const int error = core::fs::lastError();
        if (!core::fs::isNotFoundError(error)) {
            throw failure(core::cp1251::fromUtf8Once<text::kAutostartRemoveFailed>(), location(), error);
        }
    }
}

} // namespace lirbo::app
