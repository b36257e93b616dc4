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
// The new page is exchanged with the old one and the old one is then deleted,
// rather than renamed over: on ext4 renaming over a file makes the kernel
// write the new data out at once, which costs more than the rest of the run.
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
    int putInPlace();
    Status failure(int error) const;

    QString m_path;
    QByteArray m_nativePath;
    QByteArray m_temporary;
    int m_fd = -1;
    int m_writeError = 0;
    unsigned m_nameCounter = 0;
};

} // namespace wareloom
