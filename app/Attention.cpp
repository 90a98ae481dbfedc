#include "app/Attention.h"

#include "core/CodePage1251.h"
#include "core/Texts.h"

namespace lirbo::app {

namespace {

using core::cp1251::fromUtf8Once;

// A nick longer than this is cut in the hint (ending in "…"), so that a sender cannot fill the
// screen with a tooltip; 40 characters keep every usual nick whole.
constexpr std::size_t kHintNickLength = 40;

// Russian agreement with a count: 1, 21, 101 новое; 11, 2, 5 новых.
const std::string& newWord(int count) {
    return count % 10 == 1 && count % 100 != 11 ? fromUtf8Once<text::kAttentionNewOne>()
                                                : fromUtf8Once<text::kAttentionNewMany>();
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
        return std::string(text::kProgramTitle);
    }
    std::string text = std::to_string(m_unread) + " " + newWord(m_unread) + fromUtf8Once<text::kAttentionLastFrom>();
    if (m_lastNick.size() > kHintNickLength) {
        text.append(m_lastNick, 0, kHintNickLength - 1) += fromUtf8Once<text::kAttentionNickCut>();
    } else {
        text += m_lastNick;
    }
    if (m_private) {
        text += fromUtf8Once<text::kAttentionPrivateAmong>();
    }
    return text;
}

} // namespace lirbo::app
