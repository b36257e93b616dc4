#pragma once

#include "core/util/Status.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace wareloom {

// Writes the pages of one run, one after the other. Each page goes to a new
// temporary file in the page's directory, which replaces the page whole only
// when it is complete: a page that cannot be written leaves the old one as it
// was, and a page once in place is never written again, so a reader that has
// it open (an upload, a web server) reads it whole.
//
// The new page is exchanged with the old one rather than renamed over it: on
// ext4 renaming over a file makes the kernel write the new data out at once.
// The old page, no longer visible as a page, becomes the next page's
// temporary file when nothing has it open and no other name links to it (a
// write lease proves the first); otherwise it is deleted. Freeing and
// allocating every page's blocks again costs several times the writing on
// disks mounted with discard.
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

    // Deletes the temporary files that runs ended by force left in directory.
    // Only for a run that holds the run lock: others' files are in use.
    static void removeLeftovers(const QString& directory);

private:
    void discard();
    bool reuseSpare();
    int putInPlace();
    Status failure(int error) const;

    QString m_path;
    QByteArray m_nativePath;
    QByteArray m_temporary;
    int m_fd = -1;
    int m_writeError = 0;
    qint64 m_written = 0;
    qint64 m_oldSize = 0; // of the reused file, before this page overwrote it
    QByteArray m_spare;   // the page the last one replaced, under a temporary name
    unsigned m_nameCounter = 0;
};

} // namespace wareloom
