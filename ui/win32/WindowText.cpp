#include "ui/win32/WindowText.h"

namespace lirbo::win32 {

namespace {
constexpr UINT kCodePage = 1251;
} // namespace

std::string windowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void setWindowText(HWND window, const std::string& text) {
    SetWindowTextA(window, text.c_str());
}

app::TypedText typedText(HWND edit) {
    const int length = GetWindowTextLengthW(edit);
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    wide.resize(static_cast<std::size_t>(GetWindowTextW(edit, wide.data(), length + 1)));

    app::TypedText typed;
    typed.original.assign(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t point = wide[i];
        std::size_t units = 1;
        if (point >= 0xD800 && point < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000) {
            point = 0x10000 + ((point - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            units = 2;
        }
        char byte = '?';
        BOOL lacking = FALSE;
        const int made = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data() + i, static_cast<int>(units),
                                             &byte, 1, nullptr, &lacking);
        if (made != 1 || lacking) {
            byte = '?';
            typed.lacking.push_back(point);
        }
        typed.text.push_back(byte);
        i += units - 1;
    }
    return typed;
}

void setTypedText(HWND edit, const app::TypedText& text) {
    if (text.original.empty()) {
        SetWindowTextA(edit, text.text.c_str());
        return;
    }
    std::wstring wide(text.original.size() / sizeof(wchar_t), L'\0');
    text.original.copy(reinterpret_cast<char*>(wide.data()), wide.size() * sizeof(wchar_t));
    SetWindowTextW(edit, wide.c_str());
}

} // namespace lirbo::win32
