#include "core/pages/MainPage.h"

#include "core/pages/CategoryPage.h"
#include "core/pages/PageFiles.h"
#include "core/pages/PageText.h"
#include "core/pages/URLEncode.h"
#include "core/store/CategoryStore.h"

namespace wareloom {
namespace {

constexpr QByteArrayView PageStart =
    "<html><head><title>Wareloom - Publisher</title></head><body>"
    "<p align=center><img src=banner.gif></p><p align=center><font size=10>"
    "<BR><P align=center><A HREF=mailto:";
constexpr QByteArrayView BetweenAddresses = ">Sales Email: ";
constexpr QByteArrayView BeforeTimeStamp = "</A></P><BR><P align=center>";
constexpr QByteArrayView TableStart =
    "</font></p><p align=center><TABLE border=1<TR><TH colspan=1><font size=10>Category"
    "<TH><font size=10>Items<TR><TD><font size=10>";
constexpr QByteArrayView FirstRowStart = "<a href=";
constexpr QByteArrayView FurtherRowStart = "<font size=10><a href=";
constexpr QByteArrayView AfterLinkTarget = ".htm>";
constexpr QByteArrayView BeforeItemCount = "<TD><p align=right><font size=10>";
constexpr QByteArrayView RowEndBeforeNextRow = "</p><TR><TD>";
constexpr QByteArrayView RowEndLast = "</p><TR>";
constexpr QByteArrayView PageEnd = "</TABLE></p></body></html>";

void appendPageHead(QByteArray& page, QByteArrayView timeStamp)
{
    const QByteArrayView address(SalesEmailAddress);
    page.append(PageStart).append(address).append(BetweenAddresses).append(address);
    page.append(BeforeTimeStamp).append(timeStamp).append(TableStart);
}

void appendCategoryRow(QByteArray& page, const FoundCategory& category, int row, int categoryCount)
{
    const QByteArray name = pageText(category.name);
    page.append(row == 1 ? FirstRowStart : FurtherRowStart);
    page.append(URLEncode(name)).append(AfterLinkTarget).append(name);
    page.append(BeforeItemCount);
    page.append(QByteArray::number(countItems(dataFilePath(category.fileName))));
    page.append(row < categoryCount ? RowEndBeforeNextRow : RowEndLast);
}

Status writeMainPage(QByteArrayView bytes, PageFiles& pages)
{
    if (Status started = pages.begin(dataFilePath(QLatin1String(MainPageFileName))); !started)
        return started;
    pages.write(bytes);
    return pages.commit();
}

} // namespace

QDateTime localClock()
{
    return QDateTime::currentDateTime();
}

QString pageTimeStamp(const QDateTime& time)
{
    const QDateTime local = time.toLocalTime();
    const QDate date = local.date();
    const QTime clock = local.time();
    return QString::asprintf("Updated: Date: %d-%.2d-%.2d  Time: %.2d:%.2d:%.2d", date.year(),
                             date.month(), date.day(), clock.hour(), clock.minute(),
                             clock.second());
}

CreatedPages CreateHTML(int categoryCount, const PageClock& clock)
{
    const QByteArray timeStamp = pageText(pageTimeStamp(clock()));
    CreatedPages created{{QLatin1String(MainPageFileName), QString(), QString()}};

    PageFiles pages;
    CategoryPageWriter categoryPages;
    QByteArray page;
    int row = 0;
    for (const FoundCategory& category : listCategories()) {
        ++row;
        if (row == 1)
            appendPageHead(page, timeStamp);
        appendCategoryRow(page, category, row, categoryCount);

        const Status written = categoryPages.write(category.fileName, pages);
        created.push_back({categoryPageFileName(category.fileName), category.fileName,
                           written ? QString() : written.message()});
    }
    page.append(PageEnd);
    if (Status written = writeMainPage(page, pages); !written)
        created.front().failure = written.message();
    return created;
}

} // namespace wareloom
