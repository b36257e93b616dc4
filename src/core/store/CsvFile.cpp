#include "core/store/CsvFile.h"

#include "core/util/TextConversion.h"

#include <array>

namespace wareloom {
namespace {

constexpr QByteArrayView Bom = "\xEF\xBB\xBF";

struct Column
{
    const char* header;
    ItemField field;
    const char* what;
};
// In the order of the header we write, which is the order of the dialogs.
constexpr std::array<Column, 4> Columns{{{"Name", ItemField::Name, "name"},
                                         {"Price", ItemField::Price, "price"},
                                         {"Qty", ItemField::Qty, "qty"},
                                         {"Code", ItemField::Code, "code"}}};

QByteArray quoted(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.contains(',') && !bytes.contains(';') && !bytes.contains('"') &&
        !bytes.contains('\n') && !bytes.contains('\r'))
        return bytes;
    return '"' + bytes.replace("\"", "\"\"") + '"';
}

struct Row
{
    int line = 0; // where the row starts, from 1
    QStringList fields;
};

// Splits the text into rows of fields; a quoted field may hold anything.
std::vector<Row> splitRows(const QString& text, QChar separator)
{
    std::vector<Row> rows;
    Row row{1, {}};
    QString field;
    bool inQuotes = false;
    bool fieldStarted = false;
    int line = 1;
    auto endRow = [&] {
        row.fields << field;
        rows.push_back(row);
        row = Row{line, {}};
        field.clear();
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (inQuotes) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += c;
                ++i;
            } else if (c == u'"') {
                inQuotes = false;
            } else {
                if (c == u'\n')
                    ++line;
                field += c;
            }
        } else if (c == u'"' && !fieldStarted) {
            inQuotes = true;
            fieldStarted = true;
        } else if (c == separator) {
            row.fields << field;
            field.clear();
            fieldStarted = false;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            ++line;
            endRow();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (fieldStarted || !field.isEmpty() || !row.fields.isEmpty())
        endRow();
    return rows;
}

QString checkRow(const std::array<QString, 4>& texts)
{
    if (texts[0].trimmed().isEmpty())
        return QStringLiteral("the name is empty");
    const QStringList missing = missingFromCodePage({texts.begin(), texts.end()});
    if (!missing.isEmpty())
        return QStringLiteral("these characters cannot be stored: ") +
               missing.join(QLatin1Char(' '));
    for (size_t c = 0; c < Columns.size(); ++c) {
        const int width = fieldLayout(Columns[c].field).width;
        const qsizetype bytes = toCodePage(texts[c]).size();
        if (bytes > width) {
            return QStringLiteral("the %1 takes %2 bytes; at most %3 fit")
                .arg(QLatin1String(Columns[c].what))
                .arg(bytes)
                .arg(width);
        }
    }
    return {};
}

} // namespace

QByteArray exportCsv(const ItemRecords& records)
{
    QByteArray out = Bom.toByteArray() + "Name,Price,Qty,Code\r\n";
    for (const ItemRecord& record : records) {
        QByteArrayList fields;
        for (const Column& column : Columns)
            fields << quoted(fieldString(record, column.field));
        out += fields.join(',') + "\r\n";
    }
    return out;
}

CsvImport importCsv(const QByteArray& bytes, int existingCount)
{
    CsvImport result;
    QString text = QString::fromUtf8(bytes.startsWith(Bom) ? bytes.mid(Bom.size()) : bytes);
    const QString header = text.section(QLatin1Char('\n'), 0, 0);
    const QChar separator = header.count(u';') > header.count(u',') ? u';' : u',';
    std::vector<Row> rows = splitRows(text, separator);
    if (rows.empty()) {
        result.problems << QStringLiteral("Line 1: the file is empty; its first line must name "
                                          "the columns: Name,Price,Qty,Code");
        return result;
    }
    std::array<qsizetype, 4> at{-1, -1, -1, -1};
    for (size_t c = 0; c < Columns.size(); ++c) {
        for (qsizetype i = 0; i < rows[0].fields.size(); ++i) {
            if (rows[0].fields[i].trimmed().compare(QLatin1String(Columns[c].header),
                                                    Qt::CaseInsensitive) == 0)
                at[c] = i;
        }
    }
    if (at[0] < 0) {
        result.problems << QStringLiteral("Line 1: the first line must name the columns, "
                                          "among them Name: Name,Price,Qty,Code");
        return result;
    }
    for (size_t r = 1; r < rows.size(); ++r) {
        const Row& row = rows[r];
        if (row.fields.join(QString()).trimmed().isEmpty())
            continue; // a blank line
        std::array<QString, 4> texts;
        for (size_t c = 0; c < Columns.size(); ++c)
            texts[c] = at[c] >= 0 ? row.fields.value(at[c]) : QString();
        if (const QString why = checkRow(texts); !why.isEmpty()) {
            result.problems << QStringLiteral("Line %1: %2").arg(row.line).arg(why);
            continue;
        }
        ItemRecord& record = result.records.emplace_back();
        for (size_t c = 0; c < Columns.size(); ++c)
            storeFieldString(record, Columns[c].field, texts[c]);
    }
    const qsizetype total = existingCount + qsizetype(result.records.size());
    if (total > MaxItems) {
        result.problems << QStringLiteral("The category would hold %1 items; at most %2 fit.")
                               .arg(total)
                               .arg(MaxItems);
    }
    return result;
}

} // namespace wareloom
