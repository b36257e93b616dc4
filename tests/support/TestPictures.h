#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRect>

namespace wareloom::test {

// A picture of one colour, encoded in format ("PNG", "JPEG", "BMP"...).
inline QByteArray solidPicture(QSize size, QColor colour, const char* format = "PNG")
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// True when every pixel of rect has the colour.
inline bool colourFills(const QImage& shown, const QRect& rect, QColor colour)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (shown.pixelColor(x, y) != colour)
                return false;
        }
    }
    return true;
}

// True when a pixel of the ring just around rect has the colour.
inline bool colourAround(const QImage& shown, const QRect& rect, QColor colour)
{
    const QRect ring = rect.adjusted(-1, -1, 1, 1);
    for (int x = ring.left(); x <= ring.right(); ++x) {
        if (shown.pixelColor(x, ring.top()) == colour ||
            shown.pixelColor(x, ring.bottom()) == colour)
            return true;
    }
    for (int y = ring.top(); y <= ring.bottom(); ++y) {
        if (shown.pixelColor(ring.left(), y) == colour ||
            shown.pixelColor(ring.right(), y) == colour)
            return true;
    }
    return false;
}

} // namespace wareloom::test
