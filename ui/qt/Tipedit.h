#pragma once

#include "ui/qt/FixedDialog.h"

#include <string>

class QEvent;
class QKeyEvent;
class QPushButton;

namespace lirbo::ui {

class AutoSelectLineEdit;

// The address editor for adding and editing one peer address. Enter in the address field
// presses "OK". The caller reads address() when exec() returns kResultOk.
class Tipedit : public FixedDialog {
    Q_OBJECT

public:
    explicit Tipedit(QWidget* parent = nullptr);

    // Opens the editor on `address` (Windows-1251); true and the typed text on OK.
    static bool ask(QWidget* parent, std::string& address);

    void setAddress(const QString& address);
    QString address() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void newipKeyPress(const QKeyEvent& event);

    AutoSelectLineEdit* m_newip = nullptr;
    QPushButton* m_button1 = nullptr;
    QPushButton* m_button2 = nullptr;
};

} // namespace lirbo::ui
