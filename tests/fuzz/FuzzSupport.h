#pragma once

#include "platform/TextConversion.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace wareloom::fuzz {

// A data directory of the fuzzer's own, made once per process.
inline QString fuzzDataDirectory()
{
    static const QString dir = [] {
        const QString path = QDir::tempPath() + QStringLiteral("/wareloom-fuzz-%1").arg(getpid());
        QDir().mkpath(path);
        qputenv("WARELOOM_DATA_DIR", QFile::encodeName(path));
        return path;
    }();
    return dir;
}

// Fixes the conversion code page for the whole run, whatever the locale.
inline void useCodePage(const char* codePage)
{
    static const bool set = [codePage] {
        qputenv("WARELOOM_CODEPAGE", codePage);
        resetConversionCodePage();
        return true;
    }();
    (void)set;
}

inline void writeFile(const QString& path, const uint8_t* data, size_t size)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(reinterpret_cast<const char*>(data), qint64(size));
}

} // namespace wareloom::fuzz
