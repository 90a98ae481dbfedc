#pragma once

#include "ui/common/FormDescription.h"

#include <vector>
#include <windows.h>

namespace lirbo::win32 {

// How a dialog is framed: a modal one with a dialog frame, centred; the connection check's window
// is modeless and may be minimised.
enum class DialogFrame { Modal, Modeless };

// A dialog template built in memory from a form's description: a DLGTEMPLATEEX with the form's
// caption in Tahoma 8, then one DLGITEMTEMPLATEEX per control in keyboard order, which is also the
// order Tab follows. Lengths are the description's 96-DPI pixels; DialogGeometry places every
// control in pixels at the dialog's scaling once the dialog exists.
class DialogTemplate {
public:
    DialogTemplate(const ui::FormDescription& form, DialogFrame frame);

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }
    std::size_t byteCount() const { return m_words.size() * sizeof(WORD); }

private:
    void addWord(WORD word) { m_words.push_back(word); }
    void addDword(DWORD dword);
    void addRect(const ui::Rect& rect);
    void addText(std::string_view utf8);
    void alignToDword();

    std::vector<WORD> m_words;
};

DWORD dialogStyle(DialogFrame frame);

// The dialog of `form`, run modally; what EndDialog was given.
INT_PTR showDialog(HINSTANCE instance, HWND owner, const ui::FormDescription& form, DLGPROC procedure,
                   LPARAM parameter);
// The dialog of `form`, modeless and not yet shown; nullptr when it could not be made.
HWND createModelessDialog(HINSTANCE instance, HWND owner, const ui::FormDescription& form, DLGPROC procedure,
                          LPARAM parameter);

} // namespace lirbo::win32
