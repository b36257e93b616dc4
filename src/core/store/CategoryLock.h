#pragma once

#include "core/util/Status.h"

#include <QString>

namespace wareloom {

// Keeps read-modify-writes of category files apart, between windows and
// command-line runs alike: each reads the file and writes it back whole, so
// two at once would lose what the other added. Held from a successful
// acquire() until destroyed; the system lets it go when the process ends.
class CategoryLock
{
public:
    // directory: the folder of the category files.
    explicit CategoryLock(const QString& directory);
    ~CategoryLock();
    CategoryLock(const CategoryLock&) = delete;
    CategoryLock& operator=(const CategoryLock&) = delete;

    // Waits for the one holding it; the failure says why it cannot be had.
    Status acquire();

private:
    QString m_path;
    int m_fd = -1;
};

} // namespace wareloom
