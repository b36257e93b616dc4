#include "core/pages/MainPage.h"

#include "core/pages/CategoryPage.h"
#include "core/pages/PageCache.h"
#include "core/pages/PageFiles.h"
#include "core/pages/PageText.h"
#include "core/pages/PercentEncode.h"
#include "core/pages/SitePlan.h"
#include "core/pages/WebsiteSettings.h"
#include "core/store/CategoryStore.h"
#include "core/util/TextConversion.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace wareloom {
namespace {

constexpr QByteArrayView TitleStart = "<html><head><title>";
constexpr QByteArrayView PageStart =
    "</title></head><body>"
    "<p align=center><img src=banner.gif></p><p align=center><font size=10>"
    "<BR><P align=center><A HREF=";
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

// A text of the website settings as 8-bit text for the markup, also inside a
// quoted attribute: escaped, and a character the code page lacks or a
// control character (the page is one line) as a character reference.
QByteArray markupText(const QString& text)
{
    const QStringList missing = missingFromCodePage({text});
    QString escaped;
    for (const char32_t c : text.toUcs4()) {
        const QString ch = QString::fromUcs4(&c, 1);
        if (c == U'&' || c == U'<' || c == U'>' || c == U'"' || c == U'\'' || c < U' ' ||
            c == U'\x7F' || missing.contains(ch))
            escaped += QStringLiteral("&#%1;").arg(quint32(c));
        else
            escaped += ch;
    }
    return pageText(escaped);
}

// Without the website settings every byte stays as it always was.
void appendPageHead(QByteArray& page, QByteArrayView timeStamp, const WebsiteSettings& site)
{
    page.append(TitleStart).append(markupText(site.shopNameShown()));
    // A set address is quoted, whatever a hand-edited Website.ini holds;
    // the classic one stays as it always was.
    const bool classic = site.contactEmail.isEmpty();
    const QByteArray address =
        classic ? QByteArray(SalesEmailAddress) : markupText(site.contactEmail);
    const QByteArray link = classic ? "mailto:" + address : "\"mailto:" + address + '"';
    page.append(PageStart).append(link).append(BetweenAddresses).append(address);
    page.append(BeforeTimeStamp).append(timeStamp).append(TableStart);
}

void appendCategoryRow(QByteArray& page, const DataDirectory& store,
                       const PlannedCategory& category, int row, int categoryCount)
{
    page.append(row == 1 ? FirstRowStart : FurtherRowStart);
    page.append(pageLink(category.name)).append(AfterLinkTarget).append(pageText(category.name));
    page.append(BeforeItemCount);
    page.append(QByteArray::number(countItems(store.filePath(category.categoryFileName))));
    page.append(row < categoryCount ? RowEndBeforeNextRow : RowEndLast);
}

Status writeMainPage(const DataDirectory& store, QByteArrayView bytes)
{
    PageFiles pages;
    if (Status started = pages.begin(store.filePath(QLatin1String(MainPageFileName))); !started)
        return started;
    pages.write(bytes);
    return pages.commit();
}

// Writes the pages of created at toWrite, each from its category file, and
// notes how each went there; returns the category files as the writers read
// them (nothing for a page not written). Spread over the cores: a first run
// writes every page, and building each is work for a core of its own. The
// threads share nothing but the next page to take; each sets only its own
// pages' outcomes.
std::vector<std::optional<PageCache::Source>>
writeCategoryPages(const DataDirectory& store, CreatedPages& created,
                   const std::vector<std::size_t>& toWrite)
{
    std::vector<std::optional<PageCache::Source>> sources(toWrite.size());
    std::atomic<std::size_t> next = 0;
    const auto writeSome = [&] {
        PageFiles pages;
        CategoryPageWriter writer(store);
        for (std::size_t i = next++; i < toWrite.size(); i = next++) {
            PageOutcome& outcome = created[toWrite[i]];
            outcome.written = writer.write(outcome.categoryFileName, pages);
            if (outcome.written)
                sources[i] = writer.source();
        }
    };
    // A page or two is written sooner than a thread is started.
    constexpr std::size_t pagesPerHelper = 8;
    const std::size_t helpers = std::min<std::size_t>(
        std::max(1U, std::thread::hardware_concurrency()) - 1, toWrite.size() / pagesPerHelper);
    {
        std::vector<std::jthread> threads;
        for (std::size_t i = 0; i < helpers; ++i)
            threads.emplace_back(writeSome);
        writeSome();
    }
    return sources;
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

bool isMainPageName(const QString& pageFileName)
{
    return pageFileName.compare(QLatin1String(MainPageFileName), Qt::CaseInsensitive) == 0;
}

CreatedPages writeSite(const SitePlan& plan, int categoryCount, const PageClock& clock,
                       PageCache* cache)
{
    if (cache)
        cache->setSharedInputs("classic");
    const DataDirectory& store = plan.store();
    const QByteArray timeStamp = pageText(pageTimeStamp(clock()));
    const WebsiteSettings site = WebsiteSettings::load(store);
    CreatedPages created{{QLatin1String(MainPageFileName), QString()}};

    // Even with no category: a page of the head alone would replace a good one.
    QByteArray page;
    appendPageHead(page, timeStamp, site);
    int row = 0;
    std::vector<std::size_t> toWrite; // in created
    for (const PlannedCategory& category : plan.categories()) {
        if (category.reachable)
            appendCategoryRow(page, store, category, ++row, categoryCount);
        // Reported by category file: no page of its own goes out for it.
        if (!category.hasPage()) {
            created.push_back({category.categoryFileName, category.categoryFileName,
                               Status::failure(category.reason)});
            continue;
        }
        if (!cache || !cache->isCurrent(category.pageFileName, category.categoryFileName))
            toWrite.push_back(created.size());
        created.push_back({category.pageFileName, category.categoryFileName});
    }
    page.append(PageEnd);

    const std::vector<std::optional<PageCache::Source>> sources =
        writeCategoryPages(store, created, toWrite);
    for (std::size_t i = 0; cache && i < toWrite.size(); ++i) {
        const PageOutcome& outcome = created[toWrite[i]];
        cache->noteWritten(outcome.pageFileName, outcome.categoryFileName, sources[i]);
    }
    created.front().written = writeMainPage(store, page);
    return created;
}

CreatedPages writeSite(const DataDirectory& store, int categoryCount, const PageClock& clock,
                       PageCache* cache)
{
    return writeSite(SitePlan::make(store), categoryCount, clock, cache);
}

} // namespace wareloom
