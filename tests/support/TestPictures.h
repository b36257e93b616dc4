#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

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

} // namespace wareloom::test
