#pragma once

#include "ui/FixedDialog.h"

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

namespace lirbo::ui {

class AutoSelectLineEdit;

// The settings dialog: the user's nick and nick colour. Every opening preselects a colour at
// random; the caller reads nick() and colourIndex() when exec() returns kResultOk.
class Tnastroy : public FixedDialog {
    Q_OBJECT

public:
    // Picks a number in 0..count-1.
    using ColourPicker = std::function<int(int count)>;

    explicit Tnastroy(QWidget* parent = nullptr);

    void setNick(const QString& nick);
    QString nick() const;
    // The selected list position, which is the colour index (0..7).
    int colourIndex() const;

    // Replaces the random choice of the preselected colour (for tests); an empty function restores
    // the default uniform generator.
    static void setColourPicker(ColourPicker picker);

private:
    void FormCreate();

    QLabel* m_label1 = nullptr;
    AutoSelectLineEdit* m_nik = nullptr;
    QLabel* m_label2 = nullptr;
    QComboBox* m_comboBox1 = nullptr;
    QPushButton* m_bitBtn1 = nullptr;
    QPushButton* m_bitBtn2 = nullptr;
};

} // namespace lirbo::ui
