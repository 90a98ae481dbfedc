#include "ui/win32/WindowText.h"

#include "core/CodePage1251.h"
#include "core/WidePath.h"

namespace lirbo::win32 {

namespace {

std::wstring wideText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::u16string_view units(const std::wstring& text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

} // namespace

std::wstring wide(const std::string& cp1251) {
    const std::u16string text = core::cp1251::toUtf16(cp1251);
    return {text.begin(), text.end()};
}

std::string cp1251(const std::wstring& text) {
    return core::cp1251::fromUtf16(units(text)).bytes;
}

std::string windowText(HWND window) {
    return cp1251(wideText(window));
}

void setWindowText(HWND window, const std::string& text) {
    SetWindowTextW(window, wide(text).c_str());
}

app::TypedText typedText(HWND edit) {
    const std::wstring text = wideText(edit);
    core::cp1251::Encoded encoded = core::cp1251::fromUtf16(units(text));
    app::TypedText typed;
    typed.text = std::move(encoded.bytes);
    typed.lacking = std::move(encoded.lacking);
    typed.original.assign(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return typed;
}

void setTypedText(HWND edit, const app::TypedText& text) {
    if (text.original.empty()) {
        setWindowText(edit, text.text);
        return;
    }
    std::wstring shown(text.original.size() / sizeof(wchar_t), L'\0');
    text.original.copy(reinterpret_cast<char*>(shown.data()), shown.size() * sizeof(wchar_t));
    SetWindowTextW(edit, shown.c_str());
}

} // namespace lirbo::win32
