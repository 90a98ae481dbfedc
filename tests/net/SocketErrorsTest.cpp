#include "net/SocketErrors.h"

#include "net/IdExceptions.h"

#include <gtest/gtest.h>
#include <ostream>

namespace lirbo::net {
namespace {

struct MessageCase {
    int error;
    const char* message;
};

std::ostream& operator<<(std::ostream& out, const MessageCase& c) {
    return out << c.error;
}

class SocketErrorMessage : public ::testing::TestWithParam<MessageCase> {};

TEST_P(SocketErrorMessage, NamesTheNumberAndItsText) {
    const EIdSocketError error(GetParam().error);
    EXPECT_EQ(error.message(), GetParam().message);
    EXPECT_EQ(error.lastError(), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SocketErrorMessage,
    ::testing::Values(MessageCase{10004, "Socket Error # 10004\r\nInterrupted system call."},
                      MessageCase{10013, "Socket Error # 10013\r\nAccess denied."},
                      MessageCase{10035, "Socket Error # 10035\r\nOperation would block. "},
                      MessageCase{10047, "Socket Error # 10047\r\nAddress family not supported by protocol family."},
                      MessageCase{10048, "Socket Error # 10048\r\nAddress already in use."},
                      MessageCase{10066, "Socket Error # 10066\r\nDirectory not empty"},
                      MessageCase{11001, "Socket Error # 11001\r\nHost not found."},
                      // Numbers outside the table keep an empty second line.
                      MessageCase{11004, "Socket Error # 11004\r\n"}, MessageCase{10005, "Socket Error # 10005\r\n"},
                      MessageCase{10067, "Socket Error # 10067\r\n"}, MessageCase{0, "Socket Error # 0\r\n"},
                      MessageCase{-1, "Socket Error # -1\r\n"}));

template <typename Derived, typename Base> bool derivesFrom(const Derived& e) {
    return dynamic_cast<const Base*>(&e) != nullptr;
}

TEST(EndpointErrors, CarryTheirFixedMessagesAndClassNames) {
    struct Expected {
        const EIdException& error;
        const char* className;
        const char* message;
    };
    const Expected cases[] = {
        {invalidSocketError(), "EIdInvalidSocket", "Cannot allocate socket."},
        {couldNotBindError(), "EIdCouldNotBindSocket", "Could not bind socket. Address and port are already in use."},
        {packageSizeTooBigError(), "EIdPackageSizeTooBig", "Package Size Too Big."},
        {notAllBytesSentError(), "EIdNotAllBytesSent", "Not all bytes sent."},
        {invalidIPAddressError("1.2.3.256"), "EIdInvalidIPAddress", "1.2.3.256 is not a valid IP address."},
        {setSizeExceededError(), "EIdStackSetSizeExceeded", "Set Size Exceeded."},
        {stackInitializationError(), "EIdStackInitializationFailed", "Winsock Initialization Error."},
        {libraryLoadError("The specified module could not be found"), "EIdWS2StubError",
         "Error on loading Winsock2 library (WS2_32.DLL): The specified module could not be found"},
        {libraryFunctionError("sendto", "x"), "EIdWS2StubError", "Error on call Winsock2 library function sendto: x"},
        {EIdSocketError(10048), "EIdSocketError", "Socket Error # 10048\r\nAddress already in use."},
    };
    for (const Expected& c : cases) {
        EXPECT_STREQ(c.error.className(), c.className);
        EXPECT_EQ(c.error.message(), c.message);
        EXPECT_TRUE((derivesFrom<EIdException, core::Exception>(c.error)));
    }
}

TEST(EndpointErrors, FollowTheClassTree) {
    EXPECT_TRUE((derivesFrom<EIdException, EIdSocketHandleError>(couldNotBindError())));
    EXPECT_TRUE((derivesFrom<EIdException, EIdSocketHandleError>(packageSizeTooBigError())));
    EXPECT_TRUE((derivesFrom<EIdException, EIdSocketHandleError>(notAllBytesSentError())));
    EXPECT_TRUE((derivesFrom<EIdException, EIdStackError>(invalidIPAddressError("x"))));
    EXPECT_TRUE((derivesFrom<EIdException, EIdStackError>(setSizeExceededError())));
    EXPECT_TRUE((derivesFrom<EIdException, EIdStackError>(stackInitializationError())));
    EXPECT_FALSE((derivesFrom<EIdException, EIdSocketHandleError>(EIdSocketError(1))));
    EXPECT_FALSE((derivesFrom<EIdException, EIdStackError>(invalidSocketError())));
}

} // namespace
} // namespace lirbo::net
