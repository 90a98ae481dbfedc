#include "app/ConnectionVerdict.h"

namespace lirbo::app {

const char* verdictText(ConnectionVerdict verdict) {
    switch (verdict) {
    case ConnectionVerdict::NotFound:
        return "\xED\xE5 \xED\xE0\xE9\xE4\xE5\xED"; // "не найден"
    case ConnectionVerdict::NoRoute:
        return "\xED\xE5\xF2 \xEC\xE0\xF0\xF8\xF0\xF3\xF2\xE0"; // "нет маршрута"
    case ConnectionVerdict::OtherAddress:
        return "\xEF\xE8\xF8\xE5\xF2 \xF1 \xE4\xF0\xF3\xE3\xEE\xE3\xEE \xE0\xE4\xF0\xE5\xF1\xE0"; // "пишет с другого
                                                                                                  // адреса"
    case ConnectionVerdict::FirewallSuspected:
        // "похоже, входящие закрыты брандмауэром"
        return "\xEF\xEE\xF5\xEE\xE6\xE5, \xE2\xF5\xEE\xE4\xFF\xF9\xE8\xE5 \xE7\xE0\xEA\xF0\xFB\xF2\xFB "
               "\xE1\xF0\xE0\xED\xE4\xEC\xE0\xF3\xFD\xF0\xEE\xEC";
    case ConnectionVerdict::Answers:
        return "\xEE\xF2\xE2\xE5\xF7\xE0\xE5\xF2"; // "отвечает"
    case ConnectionVerdict::Quiet:
        // "не писал больше 10 минут"
        return "\xED\xE5 \xEF\xE8\xF1\xE0\xEB \xE1\xEE\xEB\xFC\xF8\xE5 10 \xEC\xE8\xED\xF3\xF2";
    case ConnectionVerdict::NotYetWritten:
        return "\xE5\xF9\xB8 \xED\xE5 \xEF\xE8\xF1\xE0\xEB"; // "ещё не писал"
    case ConnectionVerdict::Unknown:
        break;
    }
    return "";
}

bool verdictIsProblem(ConnectionVerdict verdict) {
    switch (verdict) {
    case ConnectionVerdict::NotFound:
    case ConnectionVerdict::NoRoute:
    case ConnectionVerdict::OtherAddress:
    case ConnectionVerdict::FirewallSuspected:
        return true;
    default:
        return false;
    }
}

} // namespace lirbo::app
