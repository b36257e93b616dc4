#pragma once

#include <QByteArray>
#include <QStringView>

namespace wareloom {

// A program text (category name, time stamp) as the 8-bit text of a page, in
// the conversion code page. A character the code page lacks is written as a
// numeric character reference ("&#321;"), so the browser shows it all the
// same; should the conversion be impossible (a code page iconv cannot use),
// so is every character outside ASCII.
QByteArray pageText(QStringView text);

// The link target of a category on the main page: the name as pageText()
// writes it, the converted parts URL-encoded; the references stay as they
// are, so the browser asks for the file by its real name.
QByteArray pageLink(QStringView categoryName);

} // namespace wareloom
