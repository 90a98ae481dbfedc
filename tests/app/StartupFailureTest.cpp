#include "app/StartupFailure.h"

#include "net/IdExceptions.h"

#include <gtest/gtest.h>
#include <regex>

using lirbo::app::StartupFailure;

TEST(StartupFailureTest, EndsTheMessageWithOneFullStop) {
    const lirbo::core::ModuleOrigin origin{"lirbo", 0x1A2B};
    EXPECT_EQ(StartupFailure::text("EIdSocketError", origin, "Socket Error # 10013\r\nAccess denied."),
              "Exception EIdSocketError in module lirbo at 00001A2B.\nSocket Error # 10013\r\nAccess denied.\n");
    EXPECT_EQ(StartupFailure::text("EIdInvalidSocket", origin, "Cannot allocate socket"),
              "Exception EIdInvalidSocket in module lirbo at 00001A2B.\nCannot allocate socket.\n");
    EXPECT_EQ(StartupFailure::text("E", origin, ""), "Exception E in module lirbo at 00001A2B.\n.\n");
}

TEST(StartupFailureTest, NamesTheProgramFileAndWhereTheErrorWasRaised) {
    try {
        throw lirbo::net::EIdCouldNotBindSocket("Could not bind socket. Address and port are already in use.");
    } catch (const lirbo::core::Exception& error) {
        const std::string text = StartupFailure::text(error);
        const std::regex pattern("Exception EIdCouldNotBindSocket in module app_tests(\\.exe)? at [0-9A-F]{8}\\.\\n"
                                 "Could not bind socket\\. Address and port are already in use\\.\\n");
        EXPECT_TRUE(std::regex_match(text, pattern)) << text;
        EXPECT_NE(lirbo::core::moduleOrigin(error.raiseAddress()).offset, 0u);
    }
}

TEST(StartupFailureTest, OutOfMemoryIsNotSaidInTheLibrarysWords) {
    EXPECT_EQ(StartupFailure::text(std::bad_alloc()).find("bad_alloc"), std::string::npos);
}
