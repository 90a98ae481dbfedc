#pragma once

#include "app/ConnectionVerdict.h"

#include <QIcon>

namespace lirbo::ui {

// The small mark a peer row shows for its connection verdict: a red dot for a problem, a green
// one for an entry that answers, a hollow grey one otherwise, so every row keeps the same indent.
QIcon verdictMark(app::ConnectionVerdict verdict);

} // namespace lirbo::ui
