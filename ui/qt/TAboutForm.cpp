#include "ui/qt/TAboutForm.h"

#include "ui/qt/JpegImage.h"

#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
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
const QString kEmail = QStringLiteral("lirbo@example.org");
const QString kWebAddress = QStringLiteral("www.example.org/lirbo");

QImage loadBanner() {
    QFile file(kBannerResource);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return JpegImage::decode(file.readAll());
}

void makeLink(QLabel* label) {
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
    label->adjustSize();
}

} // namespace

TAboutForm::TAboutForm(QWidget* parent, UrlOpener openUrl)
    : FixedDialog(parent, QStringLiteral("О программе"), QSize(417, 184)), m_openUrl(std::move(openUrl)) {
    initAboutResources();
    setObjectName(QStringLiteral("AboutForm"));
    if (!m_openUrl) {
        m_openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    }

    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    // Drawn unscaled from its top-left corner; QLabel clips what passes its right edge.
    m_image1 = new QLabel(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setGeometry(0, 0, 417, 128);
    m_image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QImage banner = loadBanner();
    if (!banner.isNull()) {
        m_image1->setPixmap(QPixmap::fromImage(banner));
    }

    addLabel(QStringLiteral("Label1"), QStringLiteral("E-mail:"), QPoint(8, 128));
    addLabel(QStringLiteral("Label2"), QStringLiteral("URL:"), QPoint(8, 144));
    m_label3 = addLabel(QStringLiteral("Label3"), kEmail, QPoint(48, 128));
    m_label4 = addLabel(QStringLiteral("Label4"), kWebAddress, QPoint(48, 144));
    makeLink(m_label3);
    makeLink(m_label4);
    m_label3->installEventFilter(this);
    m_label4->installEventFilter(this);
    addLabel(QStringLiteral("Label5"), QStringLiteral("© 2026 Разработчики Lirbo. Все права защищены."),
             QPoint(8, 168));
    // Created after Image1, so it is drawn over the picture's lower edge.
    addLabel(QStringLiteral("Label6"), QStringLiteral("Сделано в локальной сети"), QPoint(264, 120));
    addLabel(QStringLiteral("Label7"), QStringLiteral("Разработка: команда Lirbo"), QPoint(264, 136));

    // "ОК" in Cyrillic letters.
    m_button1 = addButton(QStringLiteral("Button1"), QStringLiteral("\u041E\u041A"), QRect(336, 152, 75, 25));
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
