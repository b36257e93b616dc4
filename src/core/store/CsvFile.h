#pragma once

#include "core/store/CategoryStore.h"

#include <QByteArray>
#include <QStringList>

// Items as a spreadsheet reads and writes them: comma-separated values as
// RFC 4180 has them, in UTF-8.
namespace wareloom {

// A UTF-8 byte order mark (so that spreadsheets read accents right), the
// header Name,Price,Qty,Code, then one row per item in file order; CRLF line
// ends; a field holding a separator, a quote or a line break is quoted.
QByteArray exportCsv(const ItemRecords& records);

struct CsvImport
{
    ItemRecords records;
    QStringList problems; // "Line 4: the name is empty", one per bad row
};

// Reads rows written by a spreadsheet: with or without a byte order mark,
// ',' or ';' as the separator (whichever the header line uses), quoted
// fields with separators, quotes and line breaks. The header names the
// columns (Name is required; Price, Qty and Code may be missing). Every row
// that cannot be stored is a problem: an empty name, a text longer than its
// field in the code page, characters the code page lacks, and more than
// MaxItems items with the existingCount already in the category.
CsvImport importCsv(const QByteArray& bytes, int existingCount);

} // namespace wareloom
