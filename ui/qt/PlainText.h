#pragma once

#include <QString>

// Text from the network or from files (nicks, addresses, message text, paths) must reach the screen
// as the characters it holds: Qt guesses rich text in tooltips and boxes, and takes "&" in menu
// items for a keyboard mark. These set such text so that it is shown literally.
namespace lirbo::ui {

// A tooltip that shows `text` as it is: left alone unless Qt would take it for rich text, else
// turned into rich text that reads as the plain one (escaped, lines and spaces kept).
QString plainToolTip(const QString& text);

// A menu item's caption that shows `text` as it is: each "&" doubled.
QString plainMenuText(const QString& text);

} // namespace lirbo::ui
