#include "app/ChatSession.h"
#include "ui/win32/MainMenu.h"
#include "ui/win32/resource.h"

namespace lirbo::win32 {

bool MainMenu::forward(int id, app::ChatSession& session) {
    switch (id) {
    case IDM_N9:
        session.saveConversation();
        return true;
    case IDM_N2:
        session.requestClose();
        return true;
    case IDM_N6:
        session.openSettings();
        return true;
    case IDM_N8:
        session.clearChat();
        return true;
    case IDM_N4:
        session.showAbout();
        return true;
    case IDM_N10:
        session.openHistory();
        return true;
    case IDM_OPTIONS:
        session.showOptions();
        return true;
    case IDM_DONOTDISTURB:
        session.toggleDoNotDisturb();
        return true;
    default:
        return false;
    }
}

} // namespace lirbo::win32
