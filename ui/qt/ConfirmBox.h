#pragma once

#include <QMessageBox>

namespace lirbo::ui {

// A warning box with "OK" and "Cancel", in English whatever the toolkit's language, centred on
// the screen. Ctrl+C beeps and copies the caption, the text and the button captions to the
// clipboard, the way a system box does.
class ConfirmBox : public QMessageBox {
    Q_OBJECT
public:
    ConfirmBox(const QString& caption, const QString& text, QWidget* parent);

    // The clipboard text of Ctrl+C.
    QString copyText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

} // namespace lirbo::ui
