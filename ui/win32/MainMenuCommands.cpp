#include "ui/win32/MainMenu.h"
#include "ui/win32/SessionCommands.h"
#include "ui/win32/resource.h"

namespace lirbo::win32 {

namespace {

using app::ChatSession;

constexpr SessionCommand kMenuCommands[] = {
    {IDM_N9, &ChatSession::saveConversation}, {IDM_N2, &ChatSession::requestClose},
    {IDM_N6, &ChatSession::openSettings},     {IDM_N8, &ChatSession::clearChat},
    {IDM_N4, &ChatSession::showAbout},        {IDM_N10, &ChatSession::openHistory},
    {IDM_OPTIONS, &ChatSession::showOptions}, {IDM_DONOTDISTURB, &ChatSession::toggleDoNotDisturb},
};

} // namespace

bool MainMenu::forward(int id, app::ChatSession& session) {
    return runSessionCommand(kMenuCommands, id, session);
}

} // namespace lirbo::win32
