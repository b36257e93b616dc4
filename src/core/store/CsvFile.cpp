#include "core/store/CsvFile.h"

#include "core/store/CsvRowReader.h"
#include "core/util/TextConversion.h"

#include <QCoreApplication>
#include <QStringDecoder>

#include <array>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(CsvFile)
};

constexpr QByteArrayView Bom = "\xEF\xBB\xBF";

struct Column
{
    const char* header;
    ItemField field;
    const char* what; // in the messages, translated there
};
// In the order of the header we write, which is the order of the dialogs.
constexpr std::array<Column, 4> Columns{
    {{"Name", ItemField::Name, QT_TRANSLATE_NOOP("CsvFile", "name")},
     {"Price", ItemField::Price, QT_TRANSLATE_NOOP("CsvFile", "price")},
     {"Qty", ItemField::Qty, QT_TRANSLATE_NOOP("CsvFile", "qty")},
     {"Code", ItemField::Code, QT_TRANSLATE_NOOP("CsvFile", "code")}}};

// A cell a spreadsheet would run as a formula starts with one of these.
bool startsFormula(QStringView text)
{
    return !text.isEmpty() && QStringView(u"=+-@|\t\r").contains(text.front());
}

// "-2.50", "+3", "1,5": a spreadsheet reads a number, never a formula.
bool isPlainNumber(QStringView text)
{
    const qsizetype signs = text.startsWith(u'-') || text.startsWith(u'+') ? 1 : 0;
    bool digits = false;
    bool point = false;
    for (const QChar c : text.mid(signs)) {
        if (c >= u'0' && c <= u'9')
            digits = true;
        else if ((c == u'.' || c == u',') && !point)
            point = true;
        else
            return false;
    }
    return digits;
}

// A text starting with the ' that spreadsheets take as "this is text", put
// before what would otherwise run as a formula or lose its own first '.
bool hasTextMark(QStringView text)
{
    return text.startsWith(u'\'') && (startsFormula(text.mid(1)) || text.mid(1).startsWith(u'\''));
}

bool needsTextMark(QStringView text)
{
    return hasTextMark(text) || (startsFormula(text) && !isPlainNumber(text));
}

QByteArray cell(const QString& text)
{
    QByteArray bytes = (needsTextMark(text) ? QStringLiteral("'") + text : text).toUtf8();
    if (!bytes.contains(',') && !bytes.contains(';') && !bytes.contains('"') &&
        !bytes.contains('\n') && !bytes.contains('\r'))
        return bytes;
    return '"' + bytes.replace("\"", "\"\"") + '"';
}

using RowTexts = std::array<QString, 4>; // by column

Status checkRow(const RowTexts& texts)
{
    if (texts[0].trimmed().isEmpty())
        return Status::failure(Texts::tr("the name is empty"));
    const QStringList missing = missingFromCodePage({texts.begin(), texts.end()});
    if (!missing.isEmpty())
        return Status::failure(Texts::tr("these characters cannot be stored: ") +
                               missing.join(QLatin1Char(' ')));
    for (size_t c = 0; c < Columns.size(); ++c) {
        const int width = fieldLayout(Columns[c].field).width;
        const qsizetype bytes = toCodePage(texts[c]).size();
        if (bytes > width) {
            return Status::failure(Texts::tr("the %1 takes %2 bytes; at most %3 fit")
                                       .arg(Texts::tr(Columns[c].what))
                                       .arg(bytes)
                                       .arg(width));
        }
    }
    return Status::success();
}

// Which column each field of the header names (an index into Columns).
QStringList headerProblems(const CsvRow& header, std::vector<size_t>& columnOf)
{
    if (!header.quoting)
        return {Texts::tr("Line 1: %1").arg(header.quoting.message())};
    QStringList problems;
    for (qsizetype i = 0; i < header.fields.size(); ++i) {
        const QString name = QString::fromUtf8(header.fields[i]).trimmed();
        const auto column = std::find_if(Columns.begin(), Columns.end(), [&](const Column& c) {
            return name.compare(QLatin1String(c.header), Qt::CaseInsensitive) == 0;
        });
        const auto index = size_t(column - Columns.begin());
        if (column == Columns.end())
            problems << Texts::tr("Line 1: column %1, \"%2\", is not one of Name, Price, "
                                  "Qty, Code")
                            .arg(i + 1)
                            .arg(name);
        else if (std::find(columnOf.begin(), columnOf.end(), index) != columnOf.end())
            problems << Texts::tr("Line 1: the column %1 is named twice").arg(name);
        columnOf.push_back(index);
    }
    if (std::find(columnOf.begin(), columnOf.end(), 0) == columnOf.end())
        problems << Texts::tr("Line 1: the first line must name the columns, "
                              "among them Name: Name,Price,Qty,Code");
    return problems;
}

// The texts of the row by column; fails when the row cannot be stored.
Result<RowTexts> rowTexts(const CsvRow& row, const std::vector<size_t>& columnOf)
{
    if (!row.quoting)
        return row.quoting;
    if (size_t(row.fieldCount) != columnOf.size())
        return Status::failure(
            Texts::tr("the row has %1 field(s), the first line names %2 column(s)")
                .arg(row.fieldCount)
                .arg(columnOf.size()));
    RowTexts texts;
    for (size_t i = 0; i < columnOf.size(); ++i) {
        const Column& column = Columns[columnOf[i]];
        const QByteArray& bytes = row.fields[qsizetype(i)];
        const QString what = Texts::tr(column.what);
        if (bytes.size() > CsvRowReader::MaxFieldBytes)
            return Status::failure(Texts::tr("the %1 takes more than %2 bytes; at most %3 fit")
                                       .arg(what)
                                       .arg(CsvRowReader::MaxFieldBytes)
                                       .arg(fieldLayout(column.field).width));
        if (bytes.contains('\0'))
            return Status::failure(
                Texts::tr("the %1 holds a NUL byte, which would cut it short").arg(what));
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8(bytes);
        if (utf8.hasError())
            return Status::failure(
                Texts::tr("the %1 is not UTF-8 text (save the file as CSV UTF-8)").arg(what));
        if (hasTextMark(text))
            text.remove(0, 1);
        texts[columnOf[i]] = text;
    }
    if (Status storable = checkRow(texts); !storable)
        return storable;
    return texts;
}

QString readProblem(const Status& read)
{
    return Texts::tr("The file could not be read to its end: %1").arg(read.message());
}

} // namespace

QByteArray exportCsv(const ItemRecords& records)
{
    QByteArray out = Bom.toByteArray() + "Name,Price,Qty,Code\r\n";
    for (const ItemRecord& record : records) {
        QByteArrayList fields;
        for (const Column& column : Columns)
            fields << cell(fieldString(record, column.field));
        out += fields.join(',') + "\r\n";
    }
    return out;
}

CsvImport importCsv(QIODevice& in, int existingCount)
{
    CsvImport result;
    QByteArray start = in.read(CsvRowReader::ChunkBytes);
    if (start.startsWith(Bom))
        start.remove(0, Bom.size());
    const QByteArray firstLine = start.left(start.indexOf('\n'));
    const char separator = firstLine.count(';') > firstLine.count(',') ? ';' : ',';
    CsvRowReader rows(in, separator, start);
    CsvRow header;
    if (const Result<bool> read = rows.next(header); !read || !*read) {
        result.problems << (read ? Texts::tr("Line 1: the file is empty; its first line must "
                                             "name the columns: Name,Price,Qty,Code")
                                 : readProblem(read.status()));
        return result;
    }
    std::vector<size_t> columnOf;
    result.problems = headerProblems(header, columnOf);
    if (!result.problems.isEmpty())
        return result;
    const int room = MaxItems - existingCount;
    int rowCount = 0;
    CsvRow row;
    for (Result<bool> read = rows.next(row);; read = rows.next(row)) {
        if (!read) {
            result.problems << readProblem(read.status());
            break;
        }
        if (!*read)
            break;
        if (row.isBlank())
            continue;
        if (++rowCount > room) {
            result.problems << Texts::tr("Line %1: the category would hold more than %2 "
                                         "items; the file was read no further.")
                                   .arg(row.line)
                                   .arg(MaxItems);
            return result;
        }
        const Result<RowTexts> texts = rowTexts(row, columnOf);
        if (!texts) {
            result.problems << Texts::tr("Line %1: %2").arg(row.line).arg(texts.status().message());
            continue;
        }
        ItemRecord& record = result.records.emplace_back();
        for (size_t c = 0; c < Columns.size(); ++c)
            storeFieldString(record, Columns[c].field, (*texts)[c]);
    }
    return result;
}

} // namespace wareloom
