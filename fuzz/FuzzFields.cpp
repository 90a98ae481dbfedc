#include "FuzzFields.h"

namespace lirbo::fuzz {

std::string FuzzFields::next() {
    if (m_finished) {
        return {};
    }
    const std::size_t end = m_rest.find(kSeparator);
    if (end == std::string_view::npos) {
        std::string field(m_rest);
        m_rest = {};
        m_finished = true;
        return field;
    }
    std::string field(m_rest.substr(0, end));
    m_rest.remove_prefix(end + 1);
    return field;
}

unsigned char FuzzFields::nextByte() {
    const std::string field = next();
    return field.empty() ? 0 : static_cast<unsigned char>(field[0]);
}

} // namespace lirbo::fuzz
