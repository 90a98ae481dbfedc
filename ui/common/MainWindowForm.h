#pragma once

#include "ui/common/FormDescription.h"

namespace lirbo::ui {

// The main window TMainChat: its controls in keyboard order, where they lie in the 614 x 367 client
// area and how they follow its edges, and the main menu.
const FormDescription& mainWindowForm();

} // namespace lirbo::ui
