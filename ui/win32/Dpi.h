#pragma once

#include <windows.h>

namespace lirbo::win32 {

// The one way every geometry of the program, given in pixels at 96 dots per inch, becomes pixels
// at a window's own scaling (per-monitor: a window on a 150% monitor has 144 dots per inch).
class Dpi {
public:
    static constexpr int kDefault = 96;

    explicit Dpi(int dotsPerInch = kDefault) : m_dotsPerInch(dotsPerInch > 0 ? dotsPerInch : kDefault) {}
    // The scaling of the monitor `window` is on; the system's when the system cannot say.
    static Dpi of(HWND window);

    int value() const { return m_dotsPerInch; }
    // A length of the layout at 96 dots per inch, rounded to the nearest pixel.
    int operator()(int pixelsAt96) const { return MulDiv(pixelsAt96, m_dotsPerInch, kDefault); }
    // A font height in points as a character height in pixels for CreateFont.
    int fontHeight(int points) const { return -MulDiv(points, m_dotsPerInch, 72); }
    // The frame size for a client size, with the frame's own metrics at this scaling.
    RECT frameFor(int clientWidth, int clientHeight, DWORD style, bool menu, DWORD exStyle) const;

private:
    int m_dotsPerInch;
};

// Tahoma 8 points at this scaling, the font of every control.
HFONT createTahoma(const Dpi& dpi);

} // namespace lirbo::win32
