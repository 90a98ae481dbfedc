#include "OwnNetworkNamespace.h"

#include <cstdlib>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace lirbo::net::test {

namespace {

constexpr const char* kInNamespace = "LIRBO_NET_TEST_IN_NAMESPACE";

} // namespace

bool insideOwnNetworkNamespace() {
    return std::getenv(kInNamespace) != nullptr;
}

#ifdef _WIN32

const char* cannotCreateNetworkNamespace() {
    return "network namespaces exist on Linux only, so the cases on the real port 8800 run there";
}

int runSelfInOwnNetworkNamespace(const std::string&, std::string& command) {
    command.clear();
    return -1;
}

#else

namespace {

std::string ownExecutable() {
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string();
}

int exitStatus(int systemResult) {
    return WIFEXITED(systemResult) ? WEXITSTATUS(systemResult) : -1;
}

} // namespace

const char* cannotCreateNetworkNamespace() {
    if (exitStatus(std::system("unshare -n true >/dev/null 2>&1")) != 0) {
        return "this machine refuses to create network namespaces (unshare -n), so the cases on the real port "
               "8800 cannot run";
    }
    return nullptr;
}

int runSelfInOwnNetworkNamespace(const std::string& filter, std::string& command) {
    const std::string self = ownExecutable();
    if (self.empty()) {
        command.clear();
        return -1;
    }
    // A mount namespace too, with an empty resolver configuration: the name server is then this
    // namespace's own loopback, where nothing listens, so a lookup is refused at once instead of
    // waiting out the resolver's timeouts.
    command = "unshare -n -m sh -c '"
              "mount --bind /dev/null /etc/resolv.conf && "
              "ip link set lo up && "
              "ip addr add 10.0.0.1/32 dev lo && "
              "ip addr add 192.168.0.1/32 dev lo && "
              "ip route add default dev lo && " +
              std::string(kInNamespace) + "=1 exec \"$0\" --gtest_also_run_disabled_tests " + "--gtest_filter=\"" +
              filter + "\"' \"" + self + "\"";
    return exitStatus(std::system(command.c_str()));
}

#endif

} // namespace lirbo::net::test
