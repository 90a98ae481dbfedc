#include "app/ConnectionVerdict.h"

#include "core/CodePage1251.h"
#include "core/Texts.h"

namespace lirbo::app {

std::string verdictText(ConnectionVerdict verdict) {
    switch (verdict) {
    case ConnectionVerdict::NotFound:
        return core::cp1251::fromUtf8Once<text::kVerdictNotFound>();
    case ConnectionVerdict::NoRoute:
        return core::cp1251::fromUtf8Once<text::kVerdictNoRoute>();
    case ConnectionVerdict::OtherAddress:
        return core::cp1251::fromUtf8Once<text::kVerdictOtherAddress>();
    case ConnectionVerdict::FirewallSuspected:
        return core::cp1251::fromUtf8Once<text::kVerdictFirewallSuspected>();
    case ConnectionVerdict::Answers:
        return core::cp1251::fromUtf8Once<text::kVerdictAnswers>();
    case ConnectionVerdict::Quiet:
        return core::cp1251::fromUtf8Once<text::kVerdictQuiet>();
    case ConnectionVerdict::NotYetWritten:
        return core::cp1251::fromUtf8Once<text::kVerdictNotYetWritten>();
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
