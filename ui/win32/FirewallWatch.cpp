#include "ui/win32/FirewallWatch.h"

#include "ui/win32/FirewallStatus.h"
#include "ui/win32/resource.h"

#include <memory>

namespace lirbo::win32 {

void FirewallWatch::read(HWND window) {
    if (!m_reading) {
        m_reading = true;
        readFirewallInBackground(window, WM_LIRBO_FIREWALL);
    }
}

bool FirewallWatch::take(LPARAM snapshot) {
    std::unique_ptr<app::firewall::Snapshot> read(reinterpret_cast<app::firewall::Snapshot*>(snapshot));
    m_reading = false;
    if (m_program.empty()) {
        m_program = runningProgram();
    }
    m_snapshot = std::move(*read);
    m_verdict = app::firewall::judge(m_snapshot, m_program, kPort);
    const bool first = !m_taken;
    m_taken = true;
    return first && app::firewall::noticeDue(m_verdict);
}

std::vector<std::string> FirewallWatch::reportLines() const {
    if (!m_taken) {
        return {"\xC1\xF0\xE0\xED\xE4\xEC\xE0\xF3\xFD\xF0 Windows: ..."}; // "Брандмауэр Windows: ..."
    }
    return app::firewall::reportLines(m_snapshot, m_verdict, kPort);
}

} // namespace lirbo::win32
