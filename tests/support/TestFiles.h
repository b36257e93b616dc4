#pragma once

#include "core/store/ItemRecord.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace wareloom::test {

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Empty when the file cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A 90-byte record built byte by byte, fields in file order: name (60), code,
// price, qty (10 each); each text ends in a NUL (unless it fills its field),
// then filler standing for whatever the bytes held before.
inline QByteArray recordBytes(const QByteArray& name, const QByteArray& code = {},
                              const QByteArray& price = {}, const QByteArray& qty = {},
                              char filler = '\0')
{
    QByteArray bytes;
    for (auto [text, width] : {std::pair{name, 60}, {code, 10}, {price, 10}, {qty, 10}})
        bytes += (text + '\0' + QByteArray(width, filler)).left(width);
    return bytes;
}

inline ItemRecord recordOf(const QByteArray& bytes)
{
    ItemRecord r;
    std::copy_n(bytes.constData(), qMin<qsizetype>(bytes.size(), ItemRecord::Size),
                r.bytes.begin());
    return r;
}

inline QByteArray bytesOf(const ItemRecord& r)
{
    return QByteArray(r.bytes.data(), ItemRecord::Size);
}

} // namespace wareloom::test
