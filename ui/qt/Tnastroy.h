#pragma once

#include "app/IFrontEnd.h"
#include "ui/qt/FixedDialog.h"

#include <string>

class QComboBox;
class QPushButton;

namespace lirbo::ui {

class AutoSelectLineEdit;

// The settings dialog: the user's nick and nick colour. The caller preselects a colour and reads
// nick() and colourIndex() when exec() returns kResultOk.
class Tnastroy : public FixedDialog {
    Q_OBJECT

public:
    explicit Tnastroy(QWidget* parent = nullptr);

    // Opens the dialog on `nick` (Windows-1251) with `colourIndex` preselected; true and the
    // chosen values on OK, which `checkNick` may refuse (its error shows, the dialog stays open).
    static bool ask(QWidget* parent, std::string& nick, int& colourIndex, const app::IFrontEnd::TextCheck& checkNick);

    void setNick(const QString& nick);
    QString nick() const;
    // The selected list position, which is the colour index (0..7); another index selects 0.
    void setColourIndex(int index);
    int colourIndex() const;

    // Judges the nick when OK is pressed; empty: always taken.
    void setNickCheck(app::IFrontEnd::TextCheck check) { m_checkNick = std::move(check); }

private:
    void BitBtn1Click();

    AutoSelectLineEdit* m_nik = nullptr;
    QComboBox* m_comboBox1 = nullptr;
    QPushButton* m_bitBtn1 = nullptr;
    QPushButton* m_bitBtn2 = nullptr;
    app::IFrontEnd::TextCheck m_checkNick;
};

} // namespace lirbo::ui
