#include "cli/ListenProgram.h"

#include "cli/ConsoleIo.h"
#include "cli/ConsoleText.h"
#include "cli/ListenLine.h"
#include "core/ChatDatagram.h"
#include "core/Exception.h"
#include "core/Texts.h"
#include "net/HandOver.h"
#include "net/IdUDPServer.h"

#include <condition_variable>
#include <ctime>
#include <mutex>

namespace lirbo::cli {

namespace {

struct ListenOptions {
    bool help = false;
    bool json = false;
    int port = 8800;
};

ListenOptions parse(const std::vector<std::string>& arguments) {
    ListenOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "-h" || argument == "--help") {
            options.help = true;
        } else if (argument == "--json") {
            options.json = true;
        } else if (argument == "--port" && i + 1 < arguments.size()) {
            const std::string& value = arguments[++i];
            const bool digits =
                !value.empty() && value.size() <= 5 && value.find_first_not_of("0123456789") == std::string::npos;
            options.port = digits ? std::stoi(value) : 0;
            if (options.port < 1 || options.port > 65535) {
                throw UsageError(std::string(text::kCliPort) + value + std::string(text::kCliPortWrong));
            }
        } else {
            throw UsageError(std::string(text::kCliUnknownOption) + argument);
        }
    }
    return options;
}

// Local date and time to the second, as the conversation's log writes them.
std::string now() {
    const std::time_t seconds = std::time(nullptr);
    const std::tm* local = std::localtime(&seconds); // the listener thread is the only caller
    char text[32];
    const std::size_t length = local != nullptr ? std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local) : 0;
    return std::string(text, length);
}

// Set by the listener thread when standard output is gone; the main thread then ends the run.
class OutputGone {
public:
    void set() {
        std::lock_guard<std::mutex> lock(m_lock);
        m_gone = true;
        m_changed.notify_all();
    }
    void wait() {
        std::unique_lock<std::mutex> lock(m_lock);
        m_changed.wait(lock, [this] { return m_gone; });
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_gone = false;
};

int listen(const ListenOptions& options) {
    OutputGone outputGone;
    net::THandOver handOver; // served only while the listener closes: every datagram is handled on its thread
    net::TIdUDPServer server(handOver);
    server.DefaultPort = options.port;
    server.ThreadedEvent = true; // nothing else runs: the listener thread prints each message itself
    server.OnUDPRead = [json = options.json, &outputGone](net::TIdUDPServer&, net::TByteStream& data,
                                                          net::TIdSocketHandle& binding) {
        const std::optional<core::TChatDatagram> message =
            core::TChatDatagram::decode(std::string_view(data.data(), data.size()));
        if (message && !writeOutputLine(json ? ListenLine::json(now(), binding.SenderAddress, *message)
                                             : ListenLine::plain(now(), binding.SenderAddress, *message))) {
            outputGone.set();
        }
    };
    server.setActive(true);
    // Runs until the process is ended (Ctrl+C, a signal) or the reader of its output goes away.
    outputGone.wait();
    return 1;
}

} // namespace

int runListen(const std::vector<std::string>& arguments) {
    try {
        const ListenOptions options = parse(arguments);
        if (options.help) {
            writeOutputLine(std::string(text::kListenHelp));
            return 0;
        }
        return listen(options);
    } catch (const UsageError& error) {
        writeErrorLine(std::string("lirbo-listen: ") + error.what());
        return 2;
    } catch (const core::Exception& error) {
        writeErrorLine("lirbo-listen: " + messageLine(error.message()));
        return 1;
    }
}

} // namespace lirbo::cli
