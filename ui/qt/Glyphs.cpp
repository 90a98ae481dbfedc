#include "ui/qt/Glyphs.h"

#include <QBitmap>
#include <QImage>

// Resources of a static library must be registered by hand; outside any namespace.
static void registerMainChatResources() {
    Q_INIT_RESOURCE(mainchat);
}

namespace lirbo::ui {

QPixmap Glyphs::load(const QString& name) {
    static const bool registered = (registerMainChatResources(), true);
    (void)registered;
    QImage image(QStringLiteral(":/lirbo/") + name + QStringLiteral(".png"));
    if (image.isNull()) {
        return QPixmap();
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == transparent) {
                line[x] = qRgba(0, 0, 0, 0);
            }
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace lirbo::ui
