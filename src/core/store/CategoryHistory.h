#pragma once

#include "core/util/Status.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

namespace wareloom {

// One earlier state of a category file.
struct HistoryVersion
{
    int number = 0; // counts up from 1 within its category, never reused
    QDateTime time; // when it was replaced or deleted (UTC)
    QString action; // what replaced or deleted it
    int itemCount = 0;
    qint64 fileSize = 0; // of the version file, header included
};

// Oldest first out beyond either.
struct HistoryLimits
{
    int versionsPerCategory = 100;
    qint64 totalBytes = qint64(50) * 1024 * 1024;
};

// Where the earlier bytes of every category file are kept: the ".history"
// folder of the data directory, a folder per category, a file per version.
// Never a category itself: the listing takes files ending in ".dat" only.
class CategoryHistory
{
public:
    explicit CategoryHistory(const QString& dataDirectory, HistoryLimits limits = {});

    // Keeps bytes as the newest version of the category, then lets the oldest
    // versions go until the limits hold again.
    Status keep(const QString& categoryName, QByteArrayView bytes, const QString& action);

    // Oldest first.
    std::vector<HistoryVersion> versions(const QString& categoryName) const;
    Status read(const QString& categoryName, int number, QByteArray& bytes) const;
    // Categories with versions kept whose file is gone.
    QStringList deletedCategories() const;

private:
    QString categoryFolder(const QString& categoryName) const;
    void trim(const QString& categoryName) const;

    QString m_folder;
    HistoryLimits m_limits;
};

} // namespace wareloom
