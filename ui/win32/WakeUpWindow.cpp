#include "ui/win32/WakeUpWindow.h"

namespace lirbo::win32 {

namespace {

constexpr wchar_t kClass[] = L"TLirboApplication";

} // namespace

WakeUpWindow::WakeUpWindow(HINSTANCE instance, const wchar_t* title, std::function<void()> onWake)
    : m_onWake(std::move(onWake)) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &WakeUpWindow::windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClass;
    RegisterClassExW(&windowClass);
    m_window = CreateWindowExW(0, kClass, title, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, this);
}

WakeUpWindow::~WakeUpWindow() {
    DestroyWindow(m_window);
}

LRESULT CALLBACK WakeUpWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<WakeUpWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NULL && self != nullptr) {
        self->m_onWake();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace lirbo::win32
