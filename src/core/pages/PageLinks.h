#pragma once

#include <QByteArrayView>
#include <QStringList>

namespace wareloom {

// The files beside a page that a page of ours links to or shows: the targets
// of its href and src attributes, as a browser asks the host for them, in
// the order they first appear, each once. Links with a scheme (https:,
// mailto:), to a folder or above it, and fragments alone are not files of
// the site and are left out. Modern pages (marked utf-8) are read as UTF-8,
// classic ones in the conversion code page; character references and
// percent-escapes are decoded.
QStringList pageLinks(QByteArrayView page);

// Whether a file name is one a page's link may bring to the host: a picture,
// a page, a script or a style sheet; never one of the program's own files.
bool isSiteFileName(const QString& fileName);

// Whether a file name is a page's (".htm", ".html"), whose links lead on.
bool isPageFileName(const QString& fileName);

} // namespace wareloom
