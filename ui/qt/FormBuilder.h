#pragma once

#include "ui/common/FormDescription.h"

class QWidget;

namespace lirbo::ui {

// Makes the bare widget of a control's kind for a dialog: a label shows its caption as plain text
// (a link one underlined in blue under a pointing hand), an edit is one line or several, read-only
// or not, and no button is a default one. DescribedForm gives it the rest of its description. The
// list and the transcript are the main window's views and are made by it, not here.
class FormBuilder {
public:
    // The height of a closed drop-down; a description gives it with its open list.
    static constexpr int kDropDownHeight = 21;

    // The widget made on `parent` for `control`, or nullptr for a list or a transcript.
    static QWidget* make(QWidget& parent, const ControlDescription& control);
};

} // namespace lirbo::ui
