#pragma once

#include "ui/common/FormDescription.h"

#include <functional>
#include <string_view>
#include <vector>

class QAction;
class QMenuBar;
class QObject;

namespace lirbo::ui {

// The main menu built from the form's description: its menus, items and separators in the
// description's order, each carrying its name as object name, the check-mark items checkable, no
// shortcuts. Each item runs the command the window's table gives for its name.
namespace MainMenu {

struct Command {
    std::string_view name;
    std::function<void()> run;
};

// Fills `bar`; an item without a command in `commands` is a fault of the program, reported as
// std::logic_error. `context` ends the connections when it goes.
void build(QMenuBar& bar, const FormDescription& form, const std::vector<Command>& commands, QObject* context);

} // namespace MainMenu

} // namespace lirbo::ui
