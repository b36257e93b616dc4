#include "core/pages/CategoryPage.h"

#include "core/pages/MainPage.h"
#include "core/pages/PageFiles.h"
#include "core/pages/PageText.h"
#include "core/store/CategoryStore.h"
#include "core/store/ItemRecord.h"
#include "core/util/ContentHash.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(CategoryPage)
};

constexpr QByteArrayView BeforeTitle = "<html><head><title>";
constexpr QByteArrayView BeforeHeading =
    "</title></head><body><BR><p align=center><font size=6 + Chr(34) + >  </font></p>"
    "<p align=center + ><TABLE border=1<TR><TH colspan=4><font size=10>";
constexpr QByteArrayView ColumnHeadings = "<TR><TH><font size=10>Item<TH><font size=10>Qty"
                                          "<TH><font size=10>Price<TH><font size=10>Code";
constexpr QByteArrayView RowStart = "<TR><TD><font size=10>";
constexpr QByteArrayView NextCell = "<TD><font size=10><p align=right>";
constexpr QByteArrayView RowEnd = "</TR>";
constexpr QByteArrayView PageEnd =
    "</TABLE><BR><P align=center><font size=20><A HREF=inventory.htm>-Back-</A></FONT></P>"
    "<P STYLE=margin-bottom: 0in><BR></body></html>";

// The picture paragraph, around the three places of the item code.
constexpr QByteArrayView PictureLinkStart = "<p align=center><a href = \"";
constexpr QByteArrayView PictureLinkEnd = ".jpg\">";
constexpr QByteArrayView PictureImageStart = "<img src=\"";
constexpr QByteArrayView PictureImageEnd = ".jpg\" width=\"50\" height=\"50\"></a> </p>";

constexpr qsizetype RecordSize = ItemRecord::Size;
// Records read from the category file at once: a whole category, normally.
constexpr qsizetype RecordsPerRead = MaxItems + 1;
// A page that grows past this goes to its file in parts, so memory stays small
// whatever the size of the category file.
constexpr qsizetype PagePartSize = qsizetype(1) << 20;
// Longest item row: the fixed pieces, three full fields and the picture
// paragraph of a full code.
constexpr qsizetype LongestRow =
    RowStart.size() + 3 * NextCell.size() + RowEnd.size() + fieldLayout(ItemField::Name).width +
    fieldLayout(ItemField::Qty).width + fieldLayout(ItemField::Price).width +
    PictureLinkStart.size() + PictureLinkEnd.size() + PictureImageStart.size() +
    PictureImageEnd.size() + 3 * qsizetype(fieldLayout(ItemField::Code).width);

char* put(char* out, QByteArrayView piece)
{
    std::memcpy(out, piece.data(), size_t(piece.size()));
    return out + piece.size();
}

// Writes one item row at out, which has room for LongestRow bytes; returns its end.
char* putItemRow(char* out, const ItemRecord& item)
{
    out = put(out, RowStart);
    out = put(out, fieldText(item, ItemField::Name));
    out = put(out, NextCell);
    out = put(out, fieldText(item, ItemField::Qty));
    out = put(out, NextCell);
    out = put(out, fieldText(item, ItemField::Price));
    out = put(out, NextCell);
    const QByteArrayView code = fieldText(item, ItemField::Code);
    if (!code.isEmpty()) {
        out = put(out, PictureLinkStart);
        out = put(out, code);
        out = put(out, PictureLinkEnd);
        out = put(out, code);
        out = put(out, PictureImageStart);
        out = put(out, code);
        out = put(out, PictureImageEnd);
    }
    return put(out, RowEnd);
}

// The category file name less its ".dat".
QStringView categoryName(const QString& categoryFileName)
{
    return QStringView(categoryFileName).chopped(qMin<qsizetype>(4, categoryFileName.size()));
}

} // namespace

Status unreadableCategoryFile(const QString& categoryPath, const QString& reason)
{
    return Status::failure(Texts::tr("The category file %1 cannot be read: %2")
                               .arg(QDir::toNativeSeparators(categoryPath), reason));
}

QString categoryPageFileName(const QString& categoryFileName)
{
    return categoryName(categoryFileName).toString() + QStringLiteral(".htm");
}

Status writeCategoryPage(const DataDirectory& store, const QString& categoryFileName)
{
    PageFiles pages;
    return CategoryPageWriter(store).write(categoryFileName, pages);
}

Status CategoryPageWriter::write(const QString& categoryFileName, PageFiles& pages)
{
    const QString pageFileName = categoryPageFileName(categoryFileName);
    if (isMainPageName(pageFileName)) {
        return Status::failure(Texts::tr("The category %1 cannot have a page: %2 is the main page.")
                                   .arg(categoryName(categoryFileName), pageFileName));
    }
    m_source.reset();
    if (Status started = pages.begin(m_store.filePath(pageFileName)); !started)
        return started;

    const QByteArray name = pageText(categoryName(categoryFileName));
    m_page.resize(0);
    m_page.append(BeforeTitle).append(name).append(BeforeHeading).append(name);
    m_page.append(ColumnHeadings);
    Status read = appendItemRows(m_store.filePath(categoryFileName), pages);
    m_page.append(PageEnd);
    pages.write(m_page);
    if (Status written = pages.commit(); !written)
        return written;
    return read;
}

Status CategoryPageWriter::appendItemRows(const QString& categoryPath, PageFiles& pages)
{
    // Only a regular file: opening a pipe would wait for a writer.
    if (!QFileInfo(categoryPath).isFile())
        return unreadableCategoryFile(categoryPath, Texts::tr("it is not a regular file"));
    QFile file(categoryPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return unreadableCategoryFile(categoryPath, file.errorString());
    const std::optional<FileState> opened = FileState::ofOpenFile(file.handle());
    ContentHash hash;

    qint64 remaining = file.size() / RecordSize;
    m_page.reserve(qMin(m_page.size() + remaining * LongestRow + PageEnd.size(),
                        PagePartSize + RecordsPerRead * LongestRow + PageEnd.size()));
    ItemRecord record;
    while (remaining > 0) {
        const qint64 wanted = qMin<qint64>(remaining, RecordsPerRead) * RecordSize;
        m_records.resize(wanted);
        const qint64 got = file.read(m_records.data(), wanted);
        if (got < 0)
            return unreadableCategoryFile(categoryPath, file.errorString());
        hash.add(QByteArrayView(m_records.constData(), got));
        // Room for the longest rows first; the page is cut to what they took.
        const qsizetype start = m_page.size();
        m_page.resize(start + (got / RecordSize) * LongestRow);
        char* out = m_page.data() + start;
        for (qint64 offset = 0; offset + RecordSize <= got; offset += RecordSize) {
            std::memcpy(record.bytes.data(), m_records.constData() + offset, RecordSize);
            out = putItemRow(out, record);
        }
        m_page.resize(out - m_page.constData());
        if (m_page.size() >= PagePartSize) {
            pages.write(m_page);
            m_page.resize(0);
        }
        if (got < wanted) // the file became shorter while it was read
            break;
        remaining -= wanted / RecordSize;
    }
    if (opened)
        m_source = PageCache::Source{*opened, hash.result()};
    return Status::success();
}

} // namespace wareloom
