#pragma once

#include "core/util/TextConversion.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace wareloom::fuzz {

// A data directory of the fuzzer's own, made once per process and removed
// when it ends.
inline QString fuzzDataDirectory()
{
    static const QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/wareloom-fuzz-XXXXXX"));
    static const bool set = qputenv("WARELOOM_DATA_DIR", QFile::encodeName(dir.path()));
    (void)set;
    return dir.path();
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
