#include "app/IFirewallStatus.h"

namespace lirbo::app {

FirewallReport FirewallAdvice::read() {
    FirewallReport report;
    report.lines = {
        "\xD1\xEE\xF1\xF2\xEE\xFF\xED\xE8\xE5 \xE1\xF0\xE0\xED\xE4\xEC\xE0\xF3\xFD\xF0\xE0 \xE7\xE4\xE5\xF1\xFC "
        "\xED\xE5 \xEF\xF0\xEE\xE2\xE5\xF0\xFF\xE5\xF2\xF1\xFF. \xC5\xF1\xEB\xE8 \xEE\xED "
        "\xE2\xEA\xEB\xFE\xF7\xB8\xED, \xEE\xF2\xEA\xF0\xEE\xE9\xF2\xE5 \xE2\xF5\xEE\xE4\xFF\xF9\xE8\xE5 UDP 8800:", // "Состояние брандмауэра здесь не проверяется. Если он включён, откройте входящие UDP 8800:"
        "ufw: sudo ufw allow 8800/udp",
        "firewalld: sudo firewall-cmd --add-port=8800/udp --permanent && sudo firewall-cmd --reload",
    };
    return report;
}

} // namespace lirbo::app
