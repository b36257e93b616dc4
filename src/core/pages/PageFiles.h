#pragma once

#include "core/util/Status.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace wareloom {

// Writes the pages of one run, one after the other. Each page goes to a
// temporary file in the page's directory, which replaces the page only when
// it is complete: a page that cannot be written leaves the old one whole.
//
// The file a page replaces is kept as the temporary file of the next page
// instead of being deleted, so rewriting every page neither deletes nor
// creates files one by one; on file systems that avoid reusing recently
// deleted inodes that churn costs more than writing the pages. A kept file
// is reused only while nothing else links to it.
//
// A kept file is overwritten, not emptied first, and the new page is
// exchanged with the old one rather than renamed over it: on ext4 both
// emptying a file and renaming over one make the kernel write the new data
// out at once, which costs more than the rest of the run.
class PageFiles
{
public:
    PageFiles() = default;
    ~PageFiles();
    PageFiles(const PageFiles&) = delete;
    PageFiles& operator=(const PageFiles&) = delete;

    // Starts the page at path with an empty temporary file.
    Status begin(const QString& path);
    // Appends to the page; a failure is kept for commit() to report.
    void write(QByteArrayView bytes);
    // Puts the finished page in place.
    Status commit();

private:
    bool reuseSpare();
    bool createTemporary();
    int putInPlace();
    int replaceByLink();
    QByteArray unusedName();
    void dropSpare();
    Status failure(int error) const;

    QString m_path;
    QByteArray m_nativePath;
    QByteArray m_temporary;
    int m_fd = -1;
    int m_writeError = 0;
    qint64 m_written = 0;
    qint64 m_oldSize = 0; // of the reused file, before this page overwrote it
    QByteArray m_spare;   // the file the last page replaced, ready for reuse
    QByteArray m_namePrefix;
    unsigned m_nameCounter = 0;
};

} // namespace wareloom
