#pragma once

#include "ui/common/FormDescription.h"

#include <QDialog>

class QKeyEvent;
class QShowEvent;

namespace lirbo::ui {

// Base of the program's modal dialogs, each built from its description. It gives them what they
// share: a fixed client size, a title bar with only the close button, a place in the middle of the
// screen, the program's 8 pt font, and the keyboard rules: Esc does nothing, Enter presses only the
// button that has the focus, and no button is ever a default button. Every way out other than an
// OK button ends with kResultCancel.
class FixedDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kResultOk = 1;
    static constexpr int kResultCancel = 2;

    // The title bar's close button and Alt+F4 arrive here through the close event.
    void reject() override;

protected:
    // The form's name, caption, client size and controls (ui/qt/DescribedForm.h).
    FixedDialog(QWidget* parent, const FormDescription& form);

    // The control of that name in the description; a name it lacks is a fault of the program.
    template <typename Widget> Widget* control(const char* name) const {
        return checked(findChild<Widget*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly), name);
    }

    // The widget that has the focus when the dialog opens; a line edit there starts fully selected.
    void setInitialFocus(QWidget* widget) { m_initialFocus = widget; }

    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    template <typename Widget> static Widget* checked(Widget* found, const char* name) {
        if (found == nullptr) {
            missingControl(name);
        }
        return found;
    }
    [[noreturn]] static void missingControl(const char* name);

    QWidget* m_initialFocus = nullptr;
};

} // namespace lirbo::ui
