#include "Pictures.h"

#include "pictures/icon_pixels.h"
#include "pictures/logo_pixels.h"

#include <QImage>

namespace {

QPixmap pixmapOf(const std::uint32_t* pixels, int width, int height) {
    // The image only reads the pixels; the pixmap is a copy of its own.
    const QImage image(reinterpret_cast<const uchar*>(pixels), width, height, width * 4,
                       QImage::Format_ARGB32);
    return QPixmap::fromImage(image);
}

} // namespace

namespace pictures {

QPixmap logo() {
    return pixmapOf(logoPixels, logoWidth, logoHeight);
}

QIcon windowIcon() {
    return QIcon(pixmapOf(iconPixels, iconWidth, iconHeight));
}

} // namespace pictures
