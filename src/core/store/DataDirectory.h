#pragma once

#include "core/util/Status.h"

#include <QString>

namespace wareloom {

// The folder that holds the categories, pictures, pages and settings. Made
// once at start and handed to everything that reads or writes there.
class DataDirectory
{
public:
    // path is made absolute and clean, without a trailing separator.
    explicit DataDirectory(const QString& path);

    const QString& path() const { return m_path; }
    // path() + "/" + fileName.
    QString filePath(const QString& fileName) const;
    // The file of a category: filePath(name + ".dat").
    QString categoryFilePath(const QString& categoryName) const;

    // Makes the folder when it is missing.
    Status create() const;

private:
    QString m_path;
};

} // namespace wareloom
