#include "ui/qt/MainMenu.h"

#include "ui/qt/UiText.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <stdexcept>
#include <string>

namespace lirbo::ui::MainMenu {

namespace {

const std::function<void()>& commandFor(const std::vector<Command>& commands, std::string_view name) {
    for (const Command& command : commands) {
        if (command.name == name) {
            return command.run;
        }
    }
    throw std::logic_error("no command for the menu item " + std::string(name));
}

} // namespace

void build(QMenuBar& bar, const FormDescription& form, const std::vector<Command>& commands, QObject* context) {
    bar.setObjectName(QStringLiteral("MainMenu"));
    QMenu* menu = nullptr;
    for (const MenuEntry& entry : form.menu) {
        if (entry.kind == MenuEntryKind::Menu) {
            menu = bar.addMenu(uiText(entry.caption));
            menu->setObjectName(uiText(entry.name));
            menu->menuAction()->setObjectName(uiText(entry.name));
            continue;
        }
        if (menu == nullptr) {
            throw std::logic_error("the menu item " + std::string(entry.name) + " stands before any menu");
        }
        if (entry.kind == MenuEntryKind::Separator) {
            menu->addSeparator()->setObjectName(uiText(entry.name));
            continue;
        }
        QAction* action = menu->addAction(uiText(entry.caption));
        action->setObjectName(uiText(entry.name));
        action->setCheckable(entry.kind == MenuEntryKind::CheckItem);
        QObject::connect(action, &QAction::triggered, context, commandFor(commands, entry.name));
    }
}

} // namespace lirbo::ui::MainMenu
