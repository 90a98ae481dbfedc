#pragma once

#include "ui/common/FormDescription.h"
#include "ui/win32/Dpi.h"

#include <functional>
#include <vector>
#include <windows.h>

namespace lirbo::win32 {

// The controls of a described window made as its children with the system's controls, and laid
// out again at every size and scaling the window takes. The window keeps its own behaviour; this
// only makes, names and places.
class FormControls {
public:
    // Makes the transcript, the one kind the system has no plain control for.
    using MakeTranscript = std::function<HWND(const ui::ControlDescription& control)>;

    explicit FormControls(const ui::FormDescription& form) : m_form(form) {}
    ~FormControls();
    FormControls(const FormControls&) = delete;
    FormControls& operator=(const FormControls&) = delete;

    const ui::FormDescription& form() const { return m_form; }

    // Every control as a child of `parent` in the description's order, so that z-order is Tab
    // order. A control with no caption of its own but an accessible name gets the unseen label a
    // screen reader names it by, just before it.
    void create(HWND parent, HINSTANCE instance, const MakeTranscript& makeTranscript);
    // Sizes the window so that its client area is the described one at this scaling.
    void fitClientArea(const Dpi& dpi) const;
    // Each control's hint on the tooltip control `hints`.
    void addHints(HWND hints) const;
    // The glyphs at this scaling (the resource named as the glyph); the last ones are deleted.
    void setGlyphs(HINSTANCE instance, const Dpi& dpi);
    // Where each control lies in a client area of `client` at `dpi`; `room` may change a place
    // before it is taken. Moved controls repaint whole.
    using Room = std::function<void(const ui::ControlDescription& control, ui::Rect& at, HDWP& moves)>;
    void layout(ui::Size client, int dpi, const Room& room) const;

private:
    const ui::FormDescription& m_form;
    HWND m_parent = nullptr;
    std::vector<HBITMAP> m_glyphs;
};

} // namespace lirbo::win32
