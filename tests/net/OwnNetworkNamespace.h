#pragma once

#include <string>

// Running this test program again inside a network namespace of its own, where the real port
// 8800 and addresses outside 127.0.0.0/8 can be used without anything leaving the machine.
namespace lirbo::net::test {

// Whether this process is the copy that runSelfInOwnNetworkNamespace started.
bool insideOwnNetworkNamespace();

// nullptr when this machine can create a network namespace, else the reason why it cannot.
const char* cannotCreateNetworkNamespace();

// Runs this program again in a fresh network namespace whose loopback device also carries
// 10.0.0.1 and 192.168.0.1 and takes the default route, with the given test filter. Returns the
// exit status (0 when every case passed) and sets `command` to what was run.
int runSelfInOwnNetworkNamespace(const std::string& filter, std::string& command);

} // namespace lirbo::net::test
