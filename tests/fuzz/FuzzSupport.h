#pragma once

#include "../support/TestFiles.h"
#include "core/store/DataDirectory.h"
#include "core/util/TextConversion.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace wareloom::fuzz {

// The fuzzer's own data directory, made once per process, removed at its end.
inline DataDirectory fuzzDataDirectory()
{
    static const QTemporaryDir dir(QDir::tempPath() + "/wareloom-fuzz-XXXXXX");
    return DataDirectory(dir.path());
}

// Fixes the conversion code page for the whole run, whatever the locale.
inline void useCodePage(const char* codePage)
{
    if (conversionCodePage() != codePage)
        setConversionCodePage(codePage);
}

inline void writeFile(const QString& path, const uint8_t* data, size_t size)
{
    test::writeFile(path, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
}

} // namespace wareloom::fuzz
