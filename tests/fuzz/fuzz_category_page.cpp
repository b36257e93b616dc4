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

using namespace wareloom;

namespace {

void checkPage(const QString& fileName, QByteArrayView end)
{
    const QByteArray page = fuzz::readFile(dataFilePath(fileName));
    if (!page.startsWith("<html>") || !page.endsWith(end))
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QDir directory(fuzz::fuzzDataDirectory());
    fuzz::useCodePage("CP1252");
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\xff');
    const QString name = QString::fromUtf8(split < 0 ? input : input.first(split));
    const QByteArrayView records = split < 0 ? QByteArrayView() : input.sliced(split + 1);
    // Only a name the directory listing can give, that the file system takes.
    const QString fileName = name + ".dat";
    if (!isPlainFileName(name) || QFile::encodeName(fileName).size() > 250)
        return 0;
    fuzz::writeFile(categoryFilePath(name), reinterpret_cast<const uint8_t*>(records.data()),
                    size_t(records.size()));
    if (!QFile::exists(categoryFilePath(name)))
        abort();

    const QString pageName = categoryPageFileName(fileName);
    const bool isMainPageName = pageName.compare(MainPageFileName, Qt::CaseInsensitive) == 0;
    const QByteArrayView pageEnd(
        "</TABLE><BR><P align=center><font size=20><A HREF=inventory.htm>-Back-</A></FONT></P>"
        "<P STYLE=margin-bottom: 0in><BR></body></html>");
    if (CreateCategoryPage(fileName).ok() == isMainPageName)
        abort(); // the main page's name is refused, every other name written
    if (!isMainPageName)
        checkPage(pageName, pageEnd);
    const CreatedPages pages = CreateHTML(1, localClock);
    if (pages.size() != 2 || !pages.front().ok() || pages.back().ok() == isMainPageName)
        abort();
    if (!isMainPageName)
        checkPage(pageName, pageEnd);
    checkPage(MainPageFileName, "</TABLE></p></body></html>");

    // Empty for the next input; by full path, as a name may start with ':'.
    for (const QString& file : directory.entryList(QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(directory.path() + '/' + file);
    return 0;
}
