#pragma once

#include "core/store/DataDirectory.h"
#include "core/util/Status.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace wareloom {

// A thumbnail that could not be made, and why.
struct ThumbnailFailure
{
    QString fileName;
    QString reason;
};

// Makes the thumbnail file of a picture. Decoding and scaling images needs
// QtGui, which this library does not link: the program passes the maker in.
using ThumbnailMaker =
    std::function<Status(const QString& picturePath, const QString& thumbnailPath)>;

// The thumbnails beside the item pictures of the data directory: <code>.jpg
// has <code>.thumb.jpg.
class Thumbnails
{
public:
    static QString fileName(const QString& code);

    // Makes every thumbnail that is missing or older than its picture; returns
    // the thumbnail file names there are now. What could not be made is added
    // to failures.
    static QStringList refresh(const DataDirectory& store, const ThumbnailMaker& maker,
                               std::vector<ThumbnailFailure>& failures);

    // Whether refresh would make one.
    static bool anyToMake(const DataDirectory& store);
};

} // namespace wareloom
