#pragma once

#include <QFont>

class QApplication;

namespace lirbo::ui {

// The program's look: its title, its font and the style hints of its hints and boxes.
class LirboLook {
public:
    // Application title "Lirbo", the font for every control, hints after 0.5 s, centred box buttons.
    static void setUpApplication(QApplication& app);

    // Tahoma 8 pt from the font files that fonts-wine installs, when present; else the system's
    // sans-serif font at the same size.
    static QFont font();

    static constexpr const char* kTahomaFiles[] = {"/usr/share/wine/fonts/tahoma.ttf",
                                                   "/usr/share/wine/fonts/tahomabd.ttf"};
};

} // namespace lirbo::ui
