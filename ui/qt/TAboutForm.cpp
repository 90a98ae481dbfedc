#include "ui/qt/TAboutForm.h"

#include "ui/common/DialogForms.h"
#include "ui/qt/JpegImage.h"

#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

// The resource initialiser has to be named outside any namespace; calling it keeps the linker from
// dropping the banner out of the static library.
static void initAboutResources() {
    Q_INIT_RESOURCE(about);
}

namespace lirbo::ui {

namespace {

const QString kBannerResource = QStringLiteral(":/about/banner.jpg");

QImage loadBanner() {
    QFile file(kBannerResource);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return JpegImage::decode(file.readAll());
}

} // namespace

TAboutForm::TAboutForm(QWidget* parent, UrlOpener openUrl)
    : FixedDialog(parent, aboutForm()), m_openUrl(std::move(openUrl)) {
    initAboutResources();
    if (!m_openUrl) {
        m_openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    }

    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    // Drawn unscaled from its top-left corner; QLabel clips what passes its right edge. Label6,
    // made after it, is drawn over its lower edge.
    m_image1 = control<QLabel>("Image1");
    const QImage banner = loadBanner();
    if (!banner.isNull()) {
        m_image1->setPixmap(QPixmap::fromImage(banner));
    }

    m_label3 = control<QLabel>("Label3");
    m_label4 = control<QLabel>("Label4");
    m_label3->installEventFilter(this);
    m_label4->installEventFilter(this);

    m_button1 = control<QPushButton>("Button1");
    connect(m_button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    setInitialFocus(m_button1);
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    // A link acts as a button does: on the release of the left button over it.
    if ((watched == m_label3 || watched == m_label4) && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* label = static_cast<QLabel*>(watched);
        if (mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint())) {
            if (watched == m_label3) {
                Label3Click();
            } else {
                Label4Click();
            }
            return true;
        }
    }
    return FixedDialog::eventFilter(watched, event);
}

void TAboutForm::Label3Click() {
    m_openUrl(QUrl(QStringLiteral("mailto:") + m_label3->text()));
}

void TAboutForm::Label4Click() {
    m_openUrl(QUrl(QStringLiteral("http://") + m_label4->text()));
}

void TAboutForm::Button1Click() {
    done(kResultOk);
}

} // namespace lirbo::ui
