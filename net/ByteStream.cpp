#include "net/ByteStream.h"

#include <algorithm>
#include <cstring>

namespace lirbo::net {

std::size_t TByteStream::read(void* dest, std::size_t count) {
    const std::size_t n = std::min(count, m_size - m_position);
    if (n > 0) {
        std::memcpy(dest, m_data.get() + m_position, n);
        m_position += n;
    }
    return n;
}

std::string TByteStream::readString() {
    if (m_position == m_size) {
        return {};
    }
    std::string bytes(m_data.get() + m_position, m_data.get() + m_size);
    m_position = m_size;
    return bytes;
}

void TByteStream::seek(std::size_t position) {
    m_position = std::min(position, m_size);
}

void TByteStream::setSize(std::size_t size) {
    if (size > m_capacity) {
        auto grown = std::make_unique<char[]>(size);
        if (m_size > 0) {
            std::memcpy(grown.get(), m_data.get(), m_size);
        }
        m_data = std::move(grown);
        m_capacity = size;
    }
    m_size = size;
    m_position = 0;
}

} // namespace lirbo::net
