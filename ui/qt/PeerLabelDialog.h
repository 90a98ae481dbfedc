#pragma once

#include "app/IFrontEnd.h"
#include "ui/qt/FixedDialog.h"

#include <string>

class QEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lirbo::ui {

// The label dialog, from a peer row's menu: the label shown beside one peer address. Enter in the
// field presses OK; OK first asks the check (characters Windows-1251 lacks are refused with the
// error box, and the dialog stays open). An empty field removes the label.
class PeerLabelDialog : public FixedDialog {
    Q_OBJECT

public:
    PeerLabelDialog(QWidget* parent, const QString& address);

    // Opens the dialog for `address` on `label` (both Windows-1251); true and the typed label on OK.
    static bool ask(QWidget* parent, const std::string& address, std::string& label,
                    const app::IFrontEnd::TextCheck& checkLabel);

    void setLabelCheck(app::IFrontEnd::TextCheck check) { m_checkLabel = std::move(check); }
    void setPeerLabel(const QString& label);
    QString peerLabel() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void okClick();

    QLineEdit* m_label = nullptr;
    QPushButton* m_ok = nullptr;
    app::IFrontEnd::TextCheck m_checkLabel;
};

} // namespace lirbo::ui
