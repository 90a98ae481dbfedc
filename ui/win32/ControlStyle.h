#pragma once

#include "ui/common/FormDescription.h"

#include <windows.h>

namespace lirbo::win32 {

// Where a described control is made: as a child of the main window with CreateWindowExW, or from
// a dialog template.
enum class ControlHost { Window, Dialog };

// The system's control a described control is made as. A template names the class by its atom,
// CreateWindowExW by its name.
struct ControlStyle {
    const wchar_t* className;
    WORD classAtom;
    DWORD style;
    DWORD exStyle;
};

// The class and styles of `control`: its kind's class style, what its flags ask for, and what the
// host adds. The window's transcript is its own control; in a template it is the plain
// multi-line edit.
ControlStyle controlStyle(const ui::ControlDescription& control, ControlHost host);

} // namespace lirbo::win32
