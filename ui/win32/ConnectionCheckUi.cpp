#include "ui/win32/ConnectionCheckUi.h"

#include "core/Texts.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

namespace lirbo::win32 {

ConnectionCheckUi::ConnectionCheckUi(HINSTANCE instance, std::function<void()> layout)
    : m_instance(instance), m_bar([this] { openWindow(); }, std::move(layout)),
      m_window([this] { return shown(); }, [this] { m_session->allowInFirewall(); }) {}

void ConnectionCheckUi::start(HWND window, app::ChatSession& session) {
    m_main = window;
    m_session = &session;
    session.setConnectionProbes(nullptr, m_firewall); // the system's own probe of interfaces and routes
    m_firewall->start(window);
}

void ConnectionCheckUi::setFont(HFONT font, const Dpi& dpi) {
    m_font = font;
    m_bar.setFont(font, dpi);
}

void ConnectionCheckUi::openWindow() {
    m_window.open(m_instance, m_main);
}

ConnectionCheckWindow::Shown ConnectionCheckUi::shown() {
    const app::ConnectionSnapshot snapshot = m_session->connectionSnapshot();
    return {app::connectionReportText(snapshot), snapshot.firewall.canAddRule};
}

bool ConnectionCheckUi::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LIRBO_FIREWALL:
        if (m_firewall->take(lParam)) {
            m_bar.show(m_main, m_instance, m_font, wide(app::firewall::noticeText(FirewallStatusWin32::kPort)),
                       uiText(text::kCheckCaption));
        } else if (!m_firewall->blocksChat()) {
            m_bar.close(); // the rule was added meanwhile: the bar would say what is no longer so
        }
        m_window.refresh();
        return true;
    case WM_LIRBO_ALLOW_RULE:
        m_firewall->allowFinished(static_cast<AllowOutcome>(wParam), static_cast<DWORD>(lParam));
        m_window.refresh();
        return true;
    default:
        return false;
    }
}

} // namespace lirbo::win32
