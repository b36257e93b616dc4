#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

// Conversion between the program's UTF-16 texts and the 8-bit texts of item
// records, the settings file and the published pages.
namespace wareloom {

// The code page a run converts with: forced when not empty, otherwise the
// Windows ANSI code page of the first locale setting given that is not empty
// (LC_ALL, LC_CTYPE, LANG, in that order), otherwise windows-1252.
QByteArray chooseCodePage(const QByteArray& forced, const QByteArrayList& localeSettings);

// iconv name of the conversion code page; CP1252 until set. Set once at start,
// before any conversion.
QByteArray conversionCodePage();
void setConversionCodePage(const QByteArray& name);

// UTF-16 -> 8-bit. A character the code page lacks becomes '?'. With
// maxBytes >= 0 the text is cut at a character boundary so that it fits in
// maxBytes bytes. A conversion that cannot be made yields no text and sets
// *ok to false.
QByteArray toCodePage(QStringView text, qsizetype maxBytes = -1, bool* ok = nullptr);

// The characters of the texts the code page cannot hold, each once, in order
// of appearance: what toCodePage() would turn into '?'.
QStringList missingFromCodePage(const QStringList& texts);
// 8-bit -> UTF-16. A byte the code page leaves undefined is kept as the
// character of the same number (0x81 -> U+0081), as Windows does.
QString fromCodePage(QByteArrayView bytes, bool* ok = nullptr);

} // namespace wareloom
