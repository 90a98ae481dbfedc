#pragma once

#include "ui/qt/FixedDialog.h"

#include <QUrl>
#include <functional>

class QEvent;
class QLabel;
class QPushButton;

namespace lirbo::ui {

// The About window: the banner picture, the contact links and the credits. The links hand
// "mailto:" and "http://" targets to the opener; the window stays open after either.
class TAboutForm : public FixedDialog {
    Q_OBJECT

public:
    using UrlOpener = std::function<void(const QUrl&)>;

    // An empty opener means the desktop's (QDesktopServices::openUrl).
    explicit TAboutForm(QWidget* parent = nullptr, UrlOpener openUrl = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Label3Click();
    void Label4Click();
    void Button1Click();

    UrlOpener m_openUrl;
    QLabel* m_image1 = nullptr;
    QLabel* m_label3 = nullptr;
    QLabel* m_label4 = nullptr;
    QPushButton* m_button1 = nullptr;
};

} // namespace lirbo::ui
