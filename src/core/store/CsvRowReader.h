#pragma once

#include <QByteArrayList>
#include <QIODevice>

namespace wareloom {

// One row of a CSV file as bytes, its fields unquoted.
struct CsvRow
{
    qint64 line = 0;       // where the row starts, from 1
    QByteArrayList fields; // the first MaxFields; a field cut at MaxFieldBytes holds one more
    qint64 fieldCount = 0; // all of them, also those not kept
    QString malformed;     // why the quoting is broken; empty when it is not

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

    // False at the end of the file or when the device fails (see readError).
    bool next(CsvRow& row);
    QString readError() const { return m_readError; }

private:
    int peek();
    int take();

    QIODevice& m_device;
    char m_separator;
    QByteArray m_buffer;
    qsizetype m_at = 0;
    qint64 m_line = 1;
    bool m_ended = false;
    QString m_readError;
};

} // namespace wareloom
