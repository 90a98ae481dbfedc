#pragma once

class QCoreApplication;

namespace lirbo::ui {

// The toolkit's own texts (file choosers, context menus, standard buttons) in Russian, like the
// rest of the program, whatever the system's language.
class Translations {
public:
    // Loads the toolkit's Russian translation from its translation folder; false when it is not
    // installed, and the toolkit's texts then stay English.
    static bool install(QCoreApplication& app);
};

} // namespace lirbo::ui
