#pragma once

#include <string>

namespace lirbo::net {

// Error numbers of Windows Sockets, which every socket error of the endpoint carries on every
// platform (the platform layer maps its own numbers onto them).
namespace wsa {
constexpr int Interrupted = 10004;
constexpr int AccessDenied = 10013;
constexpr int InvalidArgument = 10022;
constexpr int WouldBlock = 10035;
constexpr int MessageTooLong = 10040;
constexpr int AddressFamilyNotSupported = 10047;
constexpr int AddressInUse = 10048;
constexpr int NoBufferSpace = 10055;
constexpr int SocketTypeNotSupported = 10044;
constexpr int HostNotFound = 11001;
constexpr int TryAgain = 11002;
constexpr int NoRecovery = 11003;
constexpr int TypeNotFound = 10109;
} // namespace wsa

// The fixed text for a Windows Sockets error number; empty for numbers the table does not list.
std::string socketErrorText(int error);

} // namespace lirbo::net
