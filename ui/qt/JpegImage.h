#pragma once

#include "ui/common/JpegPicture.h"

#include <QByteArray>
#include <QImage>

namespace lirbo::ui {

// Decodes JPEG data with libjpeg. Anything libjpeg would complain about, a warning included
// (a truncated file, corrupt entropy data), gives a null image instead of a partial picture.
class JpegImage {
public:
    // Pictures with more pixels than this are refused rather than allocated.
    static constexpr long long kMaxPixels = jpeg::kMaxPixels;

    static QImage decode(const QByteArray& data);
};

} // namespace lirbo::ui
