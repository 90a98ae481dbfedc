#pragma once

#include "ui/FixedDialog.h"

#include <string>

class QComboBox;
class QLabel;
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
    // chosen values on OK.
    static bool ask(QWidget* parent, std::string& nick, int& colourIndex);

    void setNick(const QString& nick);
    QString nick() const;
    // The selected list position, which is the colour index (0..7); another index selects 0.
    void setColourIndex(int index);
    int colourIndex() const;

private:
    QLabel* m_label1 = nullptr;
    AutoSelectLineEdit* m_nik = nullptr;
    QLabel* m_label2 = nullptr;
    QComboBox* m_comboBox1 = nullptr;
    QPushButton* m_bitBtn1 = nullptr;
    QPushButton* m_bitBtn2 = nullptr;
};

} // namespace lirbo::ui
