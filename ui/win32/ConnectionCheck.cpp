#include "ui/win32/ConnectionCheck.h"

#include "ui/win32/FirewallAllowRule.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

namespace lirbo::win32 {

namespace {
// While the check window is open, the firewall is read again this often.
constexpr DWORD kFirewallRereadMs = 10000;
} // namespace

ConnectionCheck::ConnectionCheck(HINSTANCE instance, std::function<void()> layout)
    : m_instance(instance), m_bar([this] { openWindow(); }, std::move(layout)),
      m_window([this] { return report(); }, [this] { return m_firewall.allowRuleHelps() && !m_allowRunning; },
               [this] { allow(); }, [this] { tick(); }) {}

void ConnectionCheck::start(HWND window) {
    m_main = window;
    m_lastRead = GetTickCount();
    m_firewall.read(window);
}

void ConnectionCheck::setFont(HFONT font, const Dpi& dpi) {
    m_font = font;
    m_bar.setFont(font, dpi);
}

void ConnectionCheck::openWindow() {
    m_window.open(m_instance, m_main);
}

std::string ConnectionCheck::report() const {
    std::string text;
    for (const std::string& line : m_firewall.reportLines()) {
        text += line + "\r\n";
    }
    return text;
}

void ConnectionCheck::tick() {
    if (GetTickCount() - m_lastRead >= kFirewallRereadMs) {
        m_lastRead = GetTickCount();
        m_firewall.read(m_main);
    }
}

void ConnectionCheck::allow() {
    if (!m_allowRunning) {
        m_allowRunning = true;
        m_window.setAllowBusy(true);
        addAllowRuleElevated(m_main, WM_LIRBO_ALLOW_RULE);
    }
}

bool ConnectionCheck::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LIRBO_FIREWALL:
        if (m_firewall.take(lParam)) {
            m_bar.show(m_main, m_instance, m_font, wide(app::firewall::noticeText(FirewallWatch::kPort)),
                       L"Проверка связи");
        }
        m_window.refresh();
        return true;
    case WM_LIRBO_ALLOW_RULE:
        m_allowRunning = false;
        m_window.setAllowBusy(false);
        showAllowFailure(static_cast<AllowOutcome>(wParam), static_cast<DWORD>(lParam));
        m_lastRead = GetTickCount();
        m_firewall.read(m_main); // the window shows the rule once it is read back
        return true;
    default:
        return false;
    }
}

} // namespace lirbo::win32
