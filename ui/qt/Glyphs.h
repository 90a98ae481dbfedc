#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace lirbo::ui {

// The pictures of the buttons and the window, kept as resources. A picture's bottom-left pixel
// colour (magenta in every picture) is drawn transparent.
class Glyphs {
public:
    static QPixmap load(const QString& name);
    static QIcon icon(const QString& name) { return QIcon(load(name)); }
};

} // namespace lirbo::ui
