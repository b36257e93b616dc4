#include "core/pages/PictureSize.h"

#include "core/util/RegularFile.h"

#include <QFile>

namespace wareloom {
namespace {

// Enough for the markers a camera writes before the frame header.
constexpr qint64 HeaderBytes = qint64(256) * 1024;

int bigEndian(const QByteArray& bytes, qsizetype at, int size)
{
    int value = 0;
    for (int i = 0; i < size; ++i)
        value = value << 8 | quint8(bytes[at + i]);
    return value;
}

std::optional<QSize> jpegSize(const QByteArray& bytes)
{
    qsizetype at = 2;
    while (at + 9 <= bytes.size() && quint8(bytes[at]) == 0xFF) {
        const int marker = quint8(bytes[at + 1]);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        // Start of frame: every SOFn but DHT (C4), JPG (C8) and DAC (CC).
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return QSize(bigEndian(bytes, at + 7, 2), bigEndian(bytes, at + 5, 2));
        at += 2 + bigEndian(bytes, at + 2, 2);
    }
    return std::nullopt;
}

} // namespace

std::optional<QSize> pictureSize(const QString& path)
{
    QFile file(path);
    if (!openRegularFile(file))
        return std::nullopt;
    const QByteArray bytes = file.read(HeaderBytes);
    std::optional<QSize> size;
    if (bytes.startsWith("\xFF\xD8"))
        size = jpegSize(bytes);
    else if (bytes.startsWith("\x89PNG\r\n\x1a\n") && bytes.size() >= 24)
        size = QSize(bigEndian(bytes, 16, 4), bigEndian(bytes, 20, 4));
    if (size && !size->isEmpty())
        return size;
    return std::nullopt;
}

} // namespace wareloom
