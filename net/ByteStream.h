#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace lirbo::net {

// A readable stream over a growable byte buffer. The listener reuses one for every datagram:
// it sizes it for the receive, then to the datagram's length, and hands it over positioned at 0.
class TByteStream {
public:
    TByteStream() = default;
    TByteStream(const TByteStream&) = delete;
    TByteStream& operator=(const TByteStream&) = delete;

    const char* data() const { return m_data.get(); }
    std::size_t size() const { return m_size; }
    std::size_t position() const { return m_position; }

    // Copies up to `count` bytes from the position on into `dest`; returns how many it copied.
    std::size_t read(void* dest, std::size_t count);
    // The bytes from the position to the end; the position moves to the end.
    std::string readString();
    // Moves the position, at most to the end.
    void seek(std::size_t position);

    // The writable bytes, size() of them.
    char* buffer() { return m_data.get(); }
    // Sets the size (growing the storage when needed, keeping the bytes in front) and rewinds.
    void setSize(std::size_t size);

private:
    std::unique_ptr<char[]> m_data;
    std::size_t m_capacity = 0;
    std::size_t m_size = 0;
    std::size_t m_position = 0;
};

} // namespace lirbo::net
