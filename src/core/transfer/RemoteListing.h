#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

namespace wareloom {

// The plain files of a directory listing and their sizes in bytes. Reads
// MLSD lines ("type=file;size=12; name"), Unix "ls -l" lines (LIST, and
// SFTP listings) and DOS lines ("12-31-24  10:00AM  12 name"). Nothing when
// a line fits none of them: a listing misread would make present files look
// missing.
std::optional<QHash<QString, qint64>> parseListing(const QByteArray& listing);

} // namespace wareloom
