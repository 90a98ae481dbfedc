// A minimal X session manager for the end-to-end tests: it accepts clients, and on a line from
// standard input asks them to save ("checkpoint": the session goes on; "shutdown": the session
// ends, followed by Die once they have saved). It reports on standard output: first the address
// for SESSION_MANAGER, then "registered", "saved", "died" and "closed" as they happen.
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::vector<SmsConn> g_clients;
std::vector<IceConn> g_connections;
bool g_shuttingDown = false;

void say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

Bool anyHost(char*) {
    return True;
}

Status registerClient(SmsConn conn, SmPointer, char*) {
    char* id = SmsGenerateClientID(conn);
    const Status status = SmsRegisterClientReply(conn, id);
    std::free(id);
    g_clients.push_back(conn);
    say("registered");
    return status;
}

void saveYourselfDone(SmsConn conn, SmPointer, Bool) {
    say("saved");
    if (g_shuttingDown) {
        SmsDie(conn);
        say("died");
    } else {
        SmsSaveComplete(conn);
    }
}

void closeConnection(SmsConn conn, SmPointer, int count, char** reasons) {
    SmFreeReasons(count, reasons);
    for (auto it = g_clients.begin(); it != g_clients.end(); ++it) {
        if (*it == conn) {
            g_clients.erase(it);
            break;
        }
    }
    IceConn ice = SmsGetIceConnection(conn);
    SmsCleanUp(conn);
    IceSetShutdownNegotiation(ice, False);
    IceCloseConnection(ice);
    for (auto it = g_connections.begin(); it != g_connections.end(); ++it) {
        if (*it == ice) {
            g_connections.erase(it);
            break;
        }
    }
    say("closed");
}

void ignoreProperties(SmsConn, SmPointer, int count, SmProp** props) {
    for (int i = 0; i < count; ++i) {
        SmFreeProperty(props[i]);
    }
    std::free(props);
}

void ignoreDeletes(SmsConn, SmPointer, int count, char** names) {
    for (int i = 0; i < count; ++i) {
        std::free(names[i]);
    }
    std::free(names);
}

void returnNoProperties(SmsConn conn, SmPointer) {
    SmsReturnProperties(conn, 0, nullptr);
}

void interactRequest(SmsConn conn, SmPointer, int) {
    SmsInteract(conn);
}

void ignoreInteractDone(SmsConn, SmPointer, Bool) {}
void ignoreSaveRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}
void ignorePhase2(SmsConn conn, SmPointer) {
    SmsSaveYourselfPhase2(conn);
}

Status newClient(SmsConn, SmPointer, unsigned long* mask, SmsCallbacks* callbacks, char**) {
    std::memset(callbacks, 0, sizeof *callbacks);
    callbacks->register_client.callback = registerClient;
    callbacks->interact_request.callback = interactRequest;
    callbacks->interact_done.callback = ignoreInteractDone;
    callbacks->save_yourself_request.callback = ignoreSaveRequest;
    callbacks->save_yourself_phase2_request.callback = ignorePhase2;
    callbacks->save_yourself_done.callback = saveYourselfDone;
    callbacks->close_connection.callback = closeConnection;
    callbacks->set_properties.callback = ignoreProperties;
    callbacks->delete_properties.callback = ignoreDeletes;
    callbacks->get_properties.callback = returnNoProperties;
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
            SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask | SmsSaveYourselfDoneProcMask |
            SmsCloseConnectionProcMask | SmsSetPropertiesProcMask | SmsDeletePropertiesProcMask |
            SmsGetPropertiesProcMask;
    return 1;
}

void command(const std::string& line) {
    const bool shutdown = line == "shutdown";
    if (!shutdown && line != "checkpoint") {
        return;
    }
    g_shuttingDown = shutdown;
    for (SmsConn conn : g_clients) {
        SmsSaveYourself(conn, SmSaveGlobal, shutdown ? True : False, SmInteractStyleNone, False);
    }
}

} // namespace

int main() {
    char error[256] = {};
    if (!SmsInitialize("lirbo-tests", "1.0", newClient, nullptr, anyHost, sizeof error, error)) {
        std::fprintf(stderr, "SmsInitialize: %s\n", error);
        return 1;
    }
    int count = 0;
    IceListenObj* listeners = nullptr;
    if (!IceListenForConnections(&count, &listeners, sizeof error, error)) {
        std::fprintf(stderr, "IceListenForConnections: %s\n", error);
        return 1;
    }
    for (int i = 0; i < count; ++i) {
        IceSetHostBasedAuthProc(listeners[i], anyHost);
    }
    char* ids = IceComposeNetworkIdList(count, listeners);
    say(ids);
    std::free(ids);

    std::string pending;
    for (;;) {
        std::vector<pollfd> fds;
        fds.push_back({STDIN_FILENO, POLLIN, 0});
        for (int i = 0; i < count; ++i) {
            fds.push_back({IceGetListenConnectionNumber(listeners[i]), POLLIN, 0});
        }
        for (IceConn conn : g_connections) {
            fds.push_back({IceConnectionNumber(conn), POLLIN, 0});
        }
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            continue;
        }
        if (fds[0].revents != 0) {
            char buffer[256];
            const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (got <= 0) {
                return 0; // the test has finished
            }
            pending.append(buffer, static_cast<std::size_t>(got));
            for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
                command(pending.substr(0, end));
            }
        }
        for (int i = 0; i < count; ++i) {
            if (fds[static_cast<std::size_t>(1 + i)].revents != 0) {
                IceAcceptStatus status;
                if (IceConn conn = IceAcceptConnection(listeners[i], &status)) {
                    g_connections.push_back(conn);
                }
            }
        }
        const std::vector<IceConn> connections = g_connections;
        for (std::size_t i = 0; i < connections.size(); ++i) {
            if (fds[1 + static_cast<std::size_t>(count) + i].revents != 0) {
                if (IceProcessMessages(connections[i], nullptr, nullptr) == IceProcessMessagesIOError) {
                    IceCloseConnection(connections[i]);
                    for (auto it = g_connections.begin(); it != g_connections.end(); ++it) {
                        if (*it == connections[i]) {
                            g_connections.erase(it);
                            break;
                        }
                    }
                }
            }
        }
    }
}
