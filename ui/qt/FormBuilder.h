#pragma once

#include "ui/common/FormDescription.h"

#include <QList>

class QWidget;

namespace lirbo::ui {

// Makes a form's widgets from its description: per control the object name, the place in the
// client area at 96 DPI, the caption, the hint, the accessible name and the flags, and Tab visits
// them in the description's order. A group box is drawn behind the controls it frames, which are
// the form's own children at their own places. The list and the transcript are the main window's
// views and are made by it, not here.
class FormBuilder {
public:
    // The height of a closed drop-down; a description gives it with its open list.
    static constexpr int kDropDownHeight = 21;

    // The widgets made on `parent`, in the description's order.
    static QList<QWidget*> build(QWidget& parent, const FormDescription& form);
};

} // namespace lirbo::ui
