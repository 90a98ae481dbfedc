#include "ui/qt/JpegImage.h"

#include "ui/common/JpegPicture.h"

#include <cstring>

namespace lirbo::ui {

QImage JpegImage::decode(const QByteArray& data) {
    const jpeg::Picture picture =
        jpeg::decode(reinterpret_cast<const unsigned char*>(data.constData()), static_cast<std::size_t>(data.size()));
    if (picture.empty()) {
        return {};
    }
    QImage image(picture.width, picture.height, QImage::Format_RGB888);
    if (image.isNull()) {
        return {};
    }
    const std::size_t stride = 3 * static_cast<std::size_t>(picture.width);
    for (int y = 0; y < picture.height; ++y) {
        std::memcpy(image.scanLine(y), picture.rgb.data() + stride * static_cast<std::size_t>(y), stride);
    }
    return image;
}

} // namespace lirbo::ui
