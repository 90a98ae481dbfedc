#include "app/IFirewallStatus.h"
#include "core/CodePage1251.h"
#include "core/Texts.h"

namespace lirbo::app {

FirewallReport FirewallAdvice::read() {
    FirewallReport report;
    report.lines = {
        core::cp1251::fromUtf8Once<text::kFirewallNotChecked>(),
        "ufw: sudo ufw allow 8800/udp",
        "firewalld: sudo firewall-cmd --add-port=8800/udp --permanent && sudo firewall-cmd --reload",
    };
    return report;
}

} // namespace lirbo::app
