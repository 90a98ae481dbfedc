#pragma once

#include <QDialog>
#include <QRect>

class QKeyEvent;
class QLabel;
class QPushButton;
class QShowEvent;

namespace lirbo::ui {

// Base of the program's modal dialogs. It gives them what they share: a fixed client size, a title
// bar with only the close button, a place in the middle of the screen, the program's 8 pt font, and
// the keyboard rules: Esc does nothing, Enter presses only the button that has the focus, and no
// button is ever a default button. Every way out other than an OK button ends with kResultCancel.
class FixedDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kResultOk = 1;
    static constexpr int kResultCancel = 2;

    // The title bar's close button and Alt+F4 arrive here through the close event.
    void reject() override;

protected:
    FixedDialog(QWidget* parent, const QString& caption, QSize clientSize);

    QLabel* addLabel(const QString& objectName, const QString& text, QPoint position);
    // A push button that never becomes a default button.
    QPushButton* addButton(const QString& objectName, const QString& text, const QRect& geometry);
    // The widget that has the focus when the dialog opens; a line edit there starts fully selected.
    void setInitialFocus(QWidget* widget) { m_initialFocus = widget; }

    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* m_initialFocus = nullptr;
};

} // namespace lirbo::ui
