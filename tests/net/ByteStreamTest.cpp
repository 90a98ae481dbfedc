#include "net/ByteStream.h"

#include <cstring>
#include <gtest/gtest.h>

namespace lirbo::net {
namespace {

TEST(ByteStream, ReadsFromItsPositionAndStopsAtTheEnd) {
    TByteStream stream;
    stream.setSize(6);
    std::memcpy(stream.buffer(), "abcdef", 6);
    char part[4] = {};
    EXPECT_EQ(stream.read(part, 4), 4u);
    EXPECT_EQ(std::string(part, 4), "abcd");
    EXPECT_EQ(stream.position(), 4u);
    EXPECT_EQ(stream.read(part, 4), 2u);
    EXPECT_EQ(stream.read(part, 4), 0u);
    stream.seek(100);
    EXPECT_EQ(stream.position(), 6u);
    stream.seek(1);
    EXPECT_EQ(stream.readString(), "bcdef");
    EXPECT_EQ(stream.readString(), "");
}

TEST(ByteStream, ResizingKeepsTheBytesInFrontAndRewinds) {
    TByteStream stream;
    EXPECT_EQ(stream.readString(), "");
    stream.setSize(3);
    std::memcpy(stream.buffer(), "xyz", 3);
    stream.seek(2);
    stream.setSize(8192); // as before a receive
    EXPECT_EQ(stream.position(), 0u);
    EXPECT_EQ(std::string(stream.data(), 3), "xyz");
    const char* storage = stream.data();
    stream.setSize(2); // as after receiving two bytes: the storage is reused
    EXPECT_EQ(stream.data(), storage);
    EXPECT_EQ(stream.readString(), "xy");
    stream.setSize(0);
    EXPECT_EQ(stream.size(), 0u);
    EXPECT_EQ(stream.readString(), "");
}

} // namespace
} // namespace lirbo::net
