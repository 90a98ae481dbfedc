#include "app/RedrawPacing.h"

#include <algorithm>

namespace lirbo::app {

// Never drawn counts as long ago; a clock that went back as just now.
std::int64_t RedrawPacing::sinceDraw(std::int64_t now) const {
    return m_lastDraw ? std::max<std::int64_t>(now - *m_lastDraw, 0) : m_period;
}

std::optional<std::int64_t> RedrawPacing::changed(std::int64_t now) {
    if (m_pending) {
        return std::nullopt;
    }
    m_pending = true;
    return std::max<std::int64_t>(m_period - sinceDraw(now), 0);
}

bool RedrawPacing::due(std::int64_t now) const {
    return m_pending && sinceDraw(now) >= m_period;
}

void RedrawPacing::drew(std::int64_t started, std::int64_t finished) {
    m_pending = false;
    m_lastDraw = started;
    m_period = std::clamp<std::int64_t>((finished - started) * kDrawShare, kFrame, kLongestPeriod);
}

} // namespace lirbo::app
