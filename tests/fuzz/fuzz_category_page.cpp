// Any category name and file bytes through the page generators: writeCategoryPage
// and writeSite write whole pages (fixed start and end around what the store holds),
// a category named like the main page is refused and reported, nothing crashes.
// Input: the category name as UTF-8 up to the first 0xFF byte, then the file.
#include "FuzzSupport.h"
#include "core/pages/CategoryPage.h"
#include "core/pages/MainPage.h"
#include "core/store/CategoryStore.h"

using namespace wareloom;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const DataDirectory store = fuzz::fuzzDataDirectory();
    const QDir directory(store.path());
    fuzz::useCodePage("CP1252");
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\xff');
    const QString name = QString::fromUtf8(split < 0 ? input : input.first(split));
    const QByteArray records = split < 0 ? QByteArray() : input.sliced(split + 1).toByteArray();
    // Only a name the directory listing can give, that the file system takes.
    const QString fileName = name + ".dat";
    if (!isPlainFileName(name) || QFile::encodeName(fileName).size() > 250)
        return 0;
    test::writeFile(store.categoryFilePath(name), records);
    const QString pageName = categoryPageFileName(fileName);
    const bool refused = isMainPageName(pageName);
    const QByteArray pageEnd = "<A HREF=inventory.htm>-Back-</A></FONT></P>"
                               "<P STYLE=margin-bottom: 0in><BR></body></html>";
    const QByteArray page = writeCategoryPage(store, fileName).ok()
                                ? test::readFile(store.filePath(pageName))
                                : QByteArray();
    const CreatedPages pages = writeSite(store, 1, localClock);
    const QByteArray mainPage = test::readFile(store.filePath(MainPageFileName));
    if (page.startsWith("<html>") == refused || !page.endsWith(pageEnd) != refused ||
        pages.size() != 2 || !pages.front().written || pages.back().written.ok() == refused ||
        (!refused && test::readFile(store.filePath(pageName)) != page) ||
        !mainPage.startsWith("<html>") || !mainPage.endsWith("</TABLE></p></body></html>"))
        abort();
    // Empty for the next input; by full path, as a name may start with ':'.
    for (const QString& file : directory.entryList(QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(directory.path() + '/' + file);
    return 0;
}
