#pragma once

#include "ui/common/FormDescription.h"

namespace lirbo::ui {

// The dialogs, each of a fixed size: controls in keyboard order (a label stands just before the
// control it names), at 96 DPI in the client area.
const FormDescription& nastroyForm();         // "Настройка": nick and colour
const FormDescription& ipEditForm();          // "Редактор IP": add or edit an address
const FormDescription& peerLabelForm();       // "Подпись": the label of a peer row
const FormDescription& optionsForm();         // "Параметры"
const FormDescription& aboutForm();           // "О программе"
const FormDescription& connectionCheckForm(); // "Проверка связи", modeless

} // namespace lirbo::ui
