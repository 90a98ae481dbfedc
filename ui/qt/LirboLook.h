#pragma once

#include <QFont>

class QApplication;

namespace lirbo::ui {

// The program's look: its title, its font and the style hints of its hints and boxes.
class LirboLook {
public:
    // Application title "Lirbo", the font for every control, hints after 0.5 s, centred box buttons,
    // the toolkit's texts in Russian.
    static void setUpApplication(QApplication& app);

    // Tahoma 8 pt from the font files that fonts-wine installs, when present; else the system's
    // sans-serif font at the same size.
    static QFont font();

    // Only the regular face is loaded: the bold file that fonts-wine ships renders thinner than the
    // regular one at 8 pt, so bold headers would not stand out; the toolkit emboldens the regular
    // face instead.
    static constexpr const char* kTahomaFile = "/usr/share/wine/fonts/tahoma.ttf";
};

} // namespace lirbo::ui
