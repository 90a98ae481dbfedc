#pragma once

#include "core/Exception.h"

#include <string>

namespace lirbo::net {

// The base of every endpoint error (spelled out: the declaring macro needs an unqualified base).
class EIdException : public core::Exception {
public:
    using Exception::Exception;
    const char* className() const override { return "EIdException"; }
};

LIRBO_DECLARE_EXCEPTION(EIdSocketHandleError, EIdException);
LIRBO_DECLARE_EXCEPTION(EIdStackError, EIdException);
LIRBO_DECLARE_EXCEPTION(EIdInvalidSocket, EIdException);              // "Cannot allocate socket."
LIRBO_DECLARE_EXCEPTION(EIdCouldNotBindSocket, EIdSocketHandleError); // address and port in use
LIRBO_DECLARE_EXCEPTION(EIdPackageSizeTooBig, EIdSocketHandleError);  // "Package Size Too Big."
LIRBO_DECLARE_EXCEPTION(EIdNotAllBytesSent, EIdSocketHandleError);    // "Not all bytes sent."
LIRBO_DECLARE_EXCEPTION(EIdInvalidIPAddress, EIdStackError);          // "%s is not a valid IP address."
LIRBO_DECLARE_EXCEPTION(EIdStackSetSizeExceeded, EIdStackError);      // "Set Size Exceeded."
LIRBO_DECLARE_EXCEPTION(EIdStackInitializationFailed, EIdStackError); // "Winsock Initialization Error."
LIRBO_DECLARE_EXCEPTION(EIdWS2StubError, EIdException);

// A failed socket operation or name lookup, with its Windows Sockets error number.
// Message: "Socket Error # %d\r\n%s", the text from the table (empty for unknown numbers).
class EIdSocketError : public EIdException {
public:
    explicit EIdSocketError(int lastError);
    const char* className() const override { return "EIdSocketError"; }
    int lastError() const { return m_lastError; }

private:
    int m_lastError;
};

// The errors with their fixed messages.
EIdInvalidSocket invalidSocketError();
EIdCouldNotBindSocket couldNotBindError();
EIdPackageSizeTooBig packageSizeTooBigError();
EIdNotAllBytesSent notAllBytesSentError();
EIdInvalidIPAddress invalidIPAddressError(const std::string& text);
EIdStackSetSizeExceeded setSizeExceededError();
EIdStackInitializationFailed stackInitializationError();
// "Error on loading Winsock2 library (WS2_32.DLL): <system text>"
EIdWS2StubError libraryLoadError(const std::string& systemText);
// "Error on call Winsock2 library function <name>: <system text>"
EIdWS2StubError libraryFunctionError(const std::string& functionName, const std::string& systemText);

} // namespace lirbo::net
