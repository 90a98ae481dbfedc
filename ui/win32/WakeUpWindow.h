#pragma once

#include <functional>
#include <windows.h>

namespace lirbo::win32 {

// The hidden application window: the listener's wake-up (an empty message posted to it) runs
// `onWake` on the window's thread, in the main loop and in every modal loop alike.
class WakeUpWindow {
public:
    WakeUpWindow(HINSTANCE instance, const wchar_t* title, std::function<void()> onWake);
    ~WakeUpWindow();
    WakeUpWindow(const WakeUpWindow&) = delete;
    WakeUpWindow& operator=(const WakeUpWindow&) = delete;

    HWND handle() const { return m_window; }
    // Callable from any thread.
    void wake() const { PostMessageW(m_window, WM_NULL, 0, 0); }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::function<void()> m_onWake;
    HWND m_window = nullptr;
};

} // namespace lirbo::win32
