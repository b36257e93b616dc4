#pragma once

#include "core/util/Result.h"
#include "core/util/Status.h"

#include <QByteArrayList>
#include <QIODevice>

namespace wareloom {

// One row of a CSV file as bytes, its fields unquoted.
struct CsvRow
{
    qint64 line = 0;       // where the row starts, from 1
    QByteArrayList fields; // the first MaxFields; a field cut at MaxFieldBytes holds one more
    qint64 fieldCount = 0; // all of them, also those not kept
    Status quoting = Status::success(); // fails when the quoting is broken

    bool isBlank() const;
};

// Reads the rows of a CSV file one at a time, a chunk of the device at a
// time: a file of any size takes little memory, and the caller stops when it
// has seen enough. Quoted fields may hold separators, doubled quotes and line
// breaks; a quote that is never closed, or text after a closing quote, makes
// the row malformed rather than swallowing the rows after it unnoticed.
class CsvRowReader
{
public:
    // More than any field of an item can take in any code page.
    static constexpr qsizetype MaxFieldBytes = 1024;
    static constexpr int MaxFields = 64;
    static constexpr qsizetype ChunkBytes = qsizetype(64) << 10;

    // start: bytes already read from the device, which come first.
    CsvRowReader(QIODevice& device, char separator, QByteArray start);

    // Reads the next row; false at the end of the file, a failure when the
    // device fails (and at every call after).
    Result<bool> next(CsvRow& row);

private:
    int peek();
    int take();

    QIODevice& m_device;
    char m_separator;
    QByteArray m_buffer;
    qsizetype m_at = 0;
    qint64 m_line = 1;
    bool m_ended = false;
    Status m_read = Status::success(); // fails once the device has failed
};

} // namespace wareloom
