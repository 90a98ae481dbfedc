#pragma once

#include "app/InputRules.h"

#include <QObject>
#include <functional>

class QLineEdit;
class QPushButton;
class QWidget;

namespace lirbo::app {
class ChatSession;
}

namespace lirbo::ui {

class DescribedForm;

// The input line `messaga` and the send button `bsend`. Enter in the line and a click on the button
// send to everyone; Ctrl+Up and Ctrl+Down recall the lines sent before; a paste of several lines
// shows the one line that goes out. The rules are the session's: this forwards and draws.
class InputLine : public QObject {
    Q_OBJECT
public:
    // Makes both widgets in `parent`, adopted by `form`.
    InputLine(app::ChatSession& session, DescribedForm& form, QWidget* parent);

    QLineEdit& edit() const { return *m_messaga; }

    app::TypedText text() const;
    void setText(const app::TypedText& text);
    void clearAndFocus();
    void focus();
    // Runs `box` (a modal box) so that the keys typed while the command before it held the main
    // thread come back to the line after it.
    void keepTypingAcross(const std::function<void()>& box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void joinPastedLines(const QString& text);

    app::ChatSession& m_session;
    QLineEdit* m_messaga = nullptr;
    QPushButton* m_bsend = nullptr;
};

} // namespace lirbo::ui
