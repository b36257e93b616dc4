#pragma once

#include "core/store/CategoryStore.h"

#include <QByteArray>
#include <QIODevice>
#include <QStringList>

// Items as a spreadsheet reads and writes them: comma-separated values as
// RFC 4180 has them, in UTF-8.
namespace wareloom {

// A UTF-8 byte order mark (so that spreadsheets read accents right), the
// header Name,Price,Qty,Code, then one row per item in file order; CRLF line
// ends; a field holding a separator, a quote or a line break is quoted. A
// text a spreadsheet would run as a formula (=, +, -, @, | and a few more at
// its start, unless it is a number such as -2.50) gets a leading ', as does
// a text that itself starts with ' before one of those; import takes it away.
QByteArray exportCsv(const ItemRecords& records);

struct CsvImport
{
    ItemRecords records;
    QStringList problems; // "Line 4: the name is empty", one per bad row
};

// Reads rows written by a spreadsheet, a part at a time: with or without a
// byte order mark, ',' or ';' as the separator (whichever the header line
// uses), quoted fields with separators, quotes and line breaks. The header
// names the columns (Name is required; Price, Qty and Code may be missing;
// any other name is refused). Every row that cannot be stored is a problem:
// broken quoting, another number of fields than the header, a NUL byte, text
// that is not UTF-8, an empty name, a text longer than its field in the code
// page, characters the code page lacks. Reading stops at the row that would
// make more than MaxItems items with the existingCount already there.
CsvImport importCsv(QIODevice& in, int existingCount);

} // namespace wareloom
