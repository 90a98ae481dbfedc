#pragma once

#include <cstdint>
#include <optional>

namespace lirbo::app {

// When a view of the transcript catches up with the model. A flood changes the model once per
// datagram; the view draws one batch at most once per period, never once per datagram. The period
// is one frame, or five times what the last batch took to draw when that is longer (at most 2 s):
// drawing then keeps under a fifth of the time, so the hand-over keeps up with the flood even when
// a batch rebuilds a full transcript on a slow machine. Times are milliseconds of a steady clock
// the front-end reads.
class RedrawPacing {
public:
    static constexpr std::int64_t kFrame = 16;
    static constexpr std::int64_t kLongestPeriod = 2000;
    static constexpr std::int64_t kDrawShare = 5;

    // The model changed at `now`: how long to wait before drawing (0: at once), or nothing when a
    // draw is already pending.
    std::optional<std::int64_t> changed(std::int64_t now);
    // Whether the pending draw is due at `now`: a flood keeps the event queue busy, so the
    // front-end also asks between hand-overs instead of waiting for its timer alone.
    bool due(std::int64_t now) const;
    bool pending() const { return m_pending; }
    // A batch was drawn from `started` to `finished`: nothing is pending any more.
    void drew(std::int64_t started, std::int64_t finished);
    std::int64_t period() const { return m_period; }

private:
    std::int64_t sinceDraw(std::int64_t now) const;

    bool m_pending = false;
    std::optional<std::int64_t> m_lastDraw;
    std::int64_t m_period = kFrame;
};

} // namespace lirbo::app
