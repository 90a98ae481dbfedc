#include "net/IdExceptions.h"

#include "net/SocketErrors.h"

namespace lirbo::net {

EIdSocketError::EIdSocketError(int lastError)
    : EIdException("Socket Error # " + std::to_string(lastError) + "\r\n" + socketErrorText(lastError)),
      m_lastError(lastError) {}

EIdInvalidSocket invalidSocketError() {
    return EIdInvalidSocket("Cannot allocate socket.");
}

EIdCouldNotBindSocket couldNotBindError() {
    return EIdCouldNotBindSocket("Could not bind socket. Address and port are already in use.");
}

EIdPackageSizeTooBig packageSizeTooBigError() {
    return EIdPackageSizeTooBig("Package Size Too Big.");
}

EIdNotAllBytesSent notAllBytesSentError() {
    return EIdNotAllBytesSent("Not all bytes sent.");
}

EIdInvalidIPAddress invalidIPAddressError(const std::string& text) {
    return EIdInvalidIPAddress(text + " is not a valid IP address.");
}

EIdStackSetSizeExceeded setSizeExceededError() {
    return EIdStackSetSizeExceeded("Set Size Exceeded.");
}

EIdStackInitializationFailed stackInitializationError() {
    return EIdStackInitializationFailed("Winsock Initialization Error.");
}

EIdWS2StubError libraryLoadError(const std::string& systemText) {
    return EIdWS2StubError("Error on loading Winsock2 library (WS2_32.DLL): " + systemText);
}

EIdWS2StubError libraryFunctionError(const std::string& functionName, const std::string& systemText) {
    return EIdWS2StubError("Error on call Winsock2 library function " + functionName + ": " + systemText);
}

} // namespace lirbo::net
