#include "app/Attention.h"

namespace lirbo::app {

namespace {

const char* const kNewOne = "\xED\xEE\xE2\xEE\xE5";                               // "новое"
const char* const kNewMany = "\xED\xEE\xE2\xFB\xF5";                              // "новых"
const char* const kLastFrom = ", \xEF\xEE\xF1\xEB\xE5\xE4\xED\xE5\xE5 \xEE\xF2 "; // ", последнее от "
const char* const kPrivateAmong = " (\xE5\xF1\xF2\xFC \xEB\xE8\xF7\xED\xEE\xE5)"; // " (есть личное)"

// A nick longer than this is cut in the hint (ending in "…"), so that a sender cannot fill the
// screen with a tooltip; 40 characters keep every usual nick whole.
constexpr std::size_t kHintNickLength = 40;

// Russian agreement with a count: 1, 21, 101 новое; 11, 2, 5 новых.
const char* newWord(int count) {
    return count % 10 == 1 && count % 100 != 11 ? kNewOne : kNewMany;
}

} // namespace

bool Attention::messageShown(const std::string& nick, bool isPrivate, bool active) {
    if (active) {
        return false;
    }
    ++m_unread;
    m_private = m_private || isPrivate;
    m_lastNick = nick;
    return true;
}

bool Attention::activated() {
    const bool had = m_unread > 0;
    m_unread = 0;
    m_private = false;
    m_lastNick.clear();
    return had;
}

std::string Attention::hint() const {
    if (m_unread == 0) {
        return "Lirbo";
    }
    std::string text = std::to_string(m_unread) + " " + newWord(m_unread) + kLastFrom;
    if (m_lastNick.size() > kHintNickLength) {
        text.append(m_lastNick, 0, kHintNickLength - 1) += '\x85'; // …
    } else {
        text += m_lastNick;
    }
    if (m_private) {
        text += kPrivateAmong;
    }
    return text;
}

} // namespace lirbo::app
