#pragma once

#include "platform/TextConversion.h"
#include "store/CategoryStore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Shared by the page generator tests: a fresh data directory per test, item
// records made by hand, expected pages from tests/data/pages.
namespace pagetest {

// One field of a hand-made record: the text, then a NUL and filler that
// readers must ignore; a text that fills the field has neither.
inline QByteArray field(QByteArrayView text, int width)
{
    QByteArray bytes = text.toByteArray();
    if (bytes.size() < width) {
        bytes.append('\0');
        bytes.append(QByteArray(width - bytes.size(), 'Z'));
    }
    return bytes;
}

// An item record in file layout: name 60, code 10, price 10, qty 10.
inline QByteArray itemRecord(QByteArrayView name, QByteArrayView code, QByteArrayView price,
                             QByteArrayView qty)
{
    return field(name, 60) + field(code, 10) + field(price, 10) + field(qty, 10);
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<cannot read ") + QFile::encodeName(path) + '>';
    return file.readAll();
}

// An expected page, without the newline that ends its file.
inline QByteArray expectedPage(const char* name)
{
    QByteArray page = readFile(QStringLiteral(WARELOOM_TEST_DATA "/pages/") + QLatin1String(name));
    if (page.endsWith('\n'))
        page.chop(1);
    return page;
}

inline void writeCategory(const QString& name, const QByteArray& records)
{
    writeFile(wareloom::categoryFilePath(name), records);
}

inline QByteArray page(const QString& pageFileName)
{
    return readFile(wareloom::dataFilePath(pageFileName));
}

// Every file of the data directory, hidden ones included, sorted.
inline QStringList dataFiles()
{
    QStringList names =
        QDir(wareloom::dataDirectory())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

// Points the program at a new empty data directory and the Western code page.
class DataDirectory
{
public:
    DataDirectory()
    {
        qputenv("WARELOOM_DATA_DIR", QFile::encodeName(m_dir.path()));
        qputenv("WARELOOM_CODEPAGE", "CP1252");
        wareloom::resetConversionCodePage();
    }
    bool isValid() const { return m_dir.isValid(); }

private:
    QTemporaryDir m_dir;
};

} // namespace pagetest
