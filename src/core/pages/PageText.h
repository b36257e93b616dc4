#pragma once

#include <QByteArray>
#include <QStringView>

namespace wareloom {

// A program text (category name, time stamp) as the 8-bit text of a page, in
// the conversion code page. Should the conversion be impossible (a code page
// iconv cannot use), ASCII characters are kept and every other character
// becomes '?', as a character the code page lacks would.
QByteArray pageText(QStringView text);

} // namespace wareloom
