#include "ui/win32/FirewallStatusWin32.h"

#include "core/CodePage1251.h"
#include "core/Texts.h"
#include "ui/win32/FirewallComReader.h"
#include "ui/win32/resource.h"

#include <memory>

namespace lirbo::win32 {

namespace {
constexpr DWORD kRereadMs = 10000;
} // namespace

void FirewallStatusWin32::start(HWND window) {
    m_window = window;
    readInBackground();
}

void FirewallStatusWin32::readInBackground() {
    if (!m_reading && m_window != nullptr) {
        m_reading = true;
        m_lastRead = GetTickCount();
        readFirewallInBackground(m_window, WM_LIRBO_FIREWALL);
    }
}

bool FirewallStatusWin32::take(LPARAM snapshot) {
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

void FirewallStatusWin32::allowFinished(AllowOutcome outcome, DWORD detail) {
    m_adding = false;
    showAllowFailure(outcome, detail);
    readInBackground(); // the window shows the rule once it is read back
}

app::FirewallReport FirewallStatusWin32::read() {
    if (GetTickCount() - m_lastRead >= kRereadMs) {
        readInBackground();
    }
    if (!m_taken) {
        return {{core::cp1251::fromUtf8Once<text::kFirewallReading>()}, false, false};
    }
    return {app::firewall::reportLines(m_snapshot, m_verdict, kPort), app::firewall::noticeDue(m_verdict),
            app::firewall::allowRuleHelps(m_verdict) && !m_adding};
}

void FirewallStatusWin32::addRule() {
    if (!m_adding && m_window != nullptr) {
        m_adding = true;
        addAllowRuleElevated(m_window, WM_LIRBO_ALLOW_RULE);
    }
}

} // namespace lirbo::win32
