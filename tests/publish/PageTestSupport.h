#pragma once

#include "TempDataDirectory.h"
#include "core/store/CategoryStore.h"
#include "core/util/TextConversion.h"

#include <QTest>

// Shared by the page generator tests: item records made by hand, expected
// pages from tests/data/pages.
namespace pagetest {

using wareloom::test::readFile;
using wareloom::test::writeFile;

// A new empty data directory and the Western code page.
struct DataDirectory : wareloom::test::TempDataDirectory
{
    DataDirectory()
    {
        qputenv("WARELOOM_CODEPAGE", "CP1252");
        wareloom::resetConversionCodePage();
    }
};

// An item record in file layout: name 60, code 10, price 10, qty 10. A text
// shorter than its field is followed by a NUL and filler readers must ignore.
inline QByteArray itemRecord(QByteArrayView name, QByteArrayView code, QByteArrayView price,
                             QByteArrayView qty)
{
    QByteArray bytes;
    for (auto [text, width] : {std::pair{name, 60}, {code, 10}, {price, 10}, {qty, 10}})
        bytes += (text.toByteArray() + '\0' + QByteArray(width, 'Z')).left(width);
    return bytes;
}

// The records behind category-books.htm: no code, code A17, a 60-character
// name with a 10-character code, markup in the price.
inline QByteArray threeBooks()
{
    return itemRecord("Lamp", "", "9.99", "2") + itemRecord("Lamp", "A17", "9.99", "2") +
           itemRecord("Salt & Pepper Mill, brushed steel with ceramic grinder, XL60", "ABCDEFGHIJ",
                      "<b>9</b>", "1");
}

// An expected page, without the newline that ends its file.
inline QByteArray expectedPage(const char* name)
{
    return readFile(QStringLiteral(WARELOOM_TEST_DATA "/pages/") + name).chopped(1);
}

inline QByteArray page(const QString& fileName)
{
    return readFile(wareloom::dataFilePath(fileName));
}

// Every entry of the data directory, hidden ones included, by name.
inline QStringList dataFiles()
{
    return QDir(wareloom::dataDirectory())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                   QDir::Name);
}

} // namespace pagetest
