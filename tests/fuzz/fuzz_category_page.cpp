// A category of any name and any category file bytes through the page
// generators: CreateCategoryPage and CreateHTML write whole pages (the fixed
// start and end around whatever the store holds) and never crash.
//
// Input: the category name as UTF-8 up to the first 0xFF byte, then the
// category file.
#include "FuzzSupport.h"
#include "core/pages/CategoryPage.h"
#include "core/pages/MainPage.h"
#include "core/store/CategoryStore.h"

#include <QDirIterator>

using namespace wareloom;

namespace {

constexpr QByteArrayView PageStart("<html>");
constexpr QByteArrayView CategoryPageEnd(
    "</TABLE><BR><P align=center><font size=20><A HREF=inventory.htm>-Back-</A></FONT></P>"
    "<P STYLE=margin-bottom: 0in><BR></body></html>");
constexpr QByteArrayView MainPageEnd("</TABLE></p></body></html>");

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void checkPage(const QString& path, QByteArrayView end)
{
    const QByteArray page = readFile(path);
    if (!page.startsWith(PageStart) || !page.endsWith(end))
        abort();
}

// Leaves the data directory empty for the next input.
void clearDataDirectory()
{
    QDirIterator it(fuzz::fuzzDataDirectory(), QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext())
        QFile::remove(it.next());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::fuzzDataDirectory();
    fuzz::useCodePage("CP1252");
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\xff');
    const QString name = QString::fromUtf8(split < 0 ? input : input.first(split));
    const QByteArrayView records = split < 0 ? QByteArrayView() : input.sliced(split + 1);
    // Only a name the directory listing can give: one plain file name that
    // the file system takes.
    const QString fileName = name + QStringLiteral(".dat");
    if (!isPlainFileName(name) || QFile::encodeName(fileName).size() > 250)
        return 0;
    fuzz::writeFile(categoryFilePath(name), reinterpret_cast<const uint8_t*>(records.data()),
                    size_t(records.size()));
    if (!QFile::exists(categoryFilePath(name)))
        abort();

    const bool isMainPageName = categoryPageFileName(fileName).compare(
                                    QLatin1String(MainPageFileName), Qt::CaseInsensitive) == 0;
    const QString pagePath = dataFilePath(categoryPageFileName(fileName));
    const Status written = CreateCategoryPage(fileName);
    if (written.ok() == isMainPageName)
        abort();
    if (!isMainPageName)
        checkPage(pagePath, CategoryPageEnd);

    const CreatedPages pages =
        CreateHTML(1, [] { return QDateTime(QDate(2024, 3, 7), QTime(9, 5, 2)); });
    if (pages.size() != 2 || !pages.front().ok() || pages.back().ok() == isMainPageName)
        abort();
    checkPage(dataFilePath(QLatin1String(MainPageFileName)), MainPageEnd);
    if (!isMainPageName)
        checkPage(pagePath, CategoryPageEnd);

    clearDataDirectory();
    return 0;
}
