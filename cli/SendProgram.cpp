#include "cli/SendProgram.h"

#include "app/InputRules.h"
#include "cli/ConsoleIo.h"
#include "cli/ConsoleText.h"
#include "cli/SendOptions.h"
#include "core/ChatController.h"
#include "core/ChatSettings.h"
#include "core/Exception.h"
#include "core/SystemText.h"
#include "core/Texts.h"
#include "net/IdUDPClient.h"

#include <utility>

namespace lirbo::cli {

namespace {

void report(const std::string& utf8) {
    writeErrorLine("lirbo-send: " + utf8);
}

// Windows-1251 from a command-line text; a character the code page lacks is a usage error.
std::string cp1251Argument(const std::string& utf8, const std::string& what) {
    const app::TypedText typed = typedFromUtf8(utf8);
    const std::string error = app::InputRules::lackingCharactersError(typed.lacking);
    if (!error.empty()) {
        throw UsageError(what + ": " + core::sys::cp1251ToUtf8(error));
    }
    return typed.text;
}

struct Destination {
    std::string shown; // as given, for the messages (UTF-8)
    std::string dotted;
};

class Sender {
public:
    Sender(core::TChatDatagram::Kind kind, std::string nick, int colourIndex)
        : m_kind(kind), m_nick(std::move(nick)), m_colourIndex(colourIndex) {}

    // Each name is looked up once, as the window caches its answers; a failed entry is reported
    // once and left out.
    void resolve(const std::vector<std::string>& entries) {
        for (const std::string& entry : entries) {
            try {
                m_destinations.push_back({core::sys::cp1251ToUtf8(entry), net::TIdUDPClient::resolveHost(entry)});
            } catch (const core::Exception& error) {
                fail(core::sys::cp1251ToUtf8(entry), error);
            }
        }
    }

    // One message; `where` names it in an error ("строка 3: "), empty for the command line's.
    void send(const std::string& utf8, const std::string& where) {
        try {
            const app::TypedText line = typedFromUtf8(utf8);
            const std::string refusal = app::InputRules::outgoingError(m_nick, line);
            if (!refusal.empty()) {
                throw UsageError(core::sys::cp1251ToUtf8(refusal));
            }
            const std::string bytes = core::TChatController::outgoingDatagram(m_kind, m_nick, m_colourIndex, line.text);
            for (const Destination& destination : m_destinations) {
                try {
                    m_client.Host = destination.dotted;
                    m_client.Send(bytes);
                } catch (const core::Exception& error) {
                    fail(destination.shown, error);
                }
            }
        } catch (const UsageError& error) {
            report(where + error.what());
            m_refused = true;
        }
    }

    int status() const { return m_refused ? 2 : m_failed ? 1 : 0; }

private:
    void fail(const std::string& shownAddress, const core::Exception& error) {
        report(shownAddress + ": " + messageLine(error.message()));
        m_failed = true;
    }

    core::TChatDatagram::Kind m_kind;
    std::string m_nick;
    int m_colourIndex;
    net::TIdUDPClient m_client;
    std::vector<Destination> m_destinations;
    bool m_failed = false;
    bool m_refused = false;
};

int send(const SendOptions& options) {
    const core::TChatSettings settings =
        options.iniPath ? core::TChatSettings(*options.iniPath) : core::TChatSettings();
    core::TPeerList peers;
    const core::TUserSettings user = settings.load(peers);
    const std::string nick = options.nick ? cp1251Argument(*options.nick, std::string(text::kCliNick)) : user.nick;
    const int colourIndex = options.colour ? parseColour(*options.colour) : user.colourIndex;
    std::vector<std::string> entries;
    for (const std::string& address : options.addresses) {
        entries.push_back(cp1251Argument(address, address));
    }
    if (entries.empty()) {
        entries = peers.entries();
    }
    if (entries.empty()) {
        throw UsageError(std::string(text::kCliNoAddresses) + settings.path());
    }
    const auto kind = options.privateMessage ? core::TChatDatagram::Kind::Private : core::TChatDatagram::Kind::Public;
    if (options.text && options.text->empty() && kind == core::TChatDatagram::Kind::Public) {
        throw UsageError(std::string(text::kCliEmptyMessage)); // the window only beeps
    }
    Sender sender(kind, nick, colourIndex);
    sender.resolve(entries);
    if (options.text) {
        sender.send(app::InputRules::joinLines(*options.text), {});
        return sender.status();
    }
    std::string line;
    for (int number = 1; readInputLine(line); ++number) {
        if (!line.empty()) {
            sender.send(line, std::string(text::kCliInputLine) + std::to_string(number) + ": ");
        }
    }
    return sender.status();
}

} // namespace

int runSend(const std::vector<std::string>& arguments) {
    try {
        const SendOptions options = SendOptions::parse(arguments);
        if (options.help) {
            writeOutputLine(std::string(text::kSendHelp));
            return 0;
        }
        return send(options);
    } catch (const UsageError& error) {
        report(error.what());
        return 2;
    } catch (const core::Exception& error) {
        report(messageLine(error.message()));
        return 1;
    }
}

} // namespace lirbo::cli
