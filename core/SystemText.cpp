#include "core/SystemText.h"

namespace lirbo::core::sys {

std::string trimmedErrorText(std::string text) {
    while (!text.empty()) {
        const auto last = static_cast<unsigned char>(text.back());
        if (last <= ' ' || last == '.') {
            text.pop_back();
        } else {
            break;
        }
    }
    return text;
}

} // namespace lirbo::core::sys
