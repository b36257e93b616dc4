#pragma once

#include "core/store/DataDirectory.h"
#include "core/util/Status.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <vector>

namespace wareloom {

class PageCache;
class SitePlan;

// The main page, in the data directory and on the web host.
inline constexpr char MainPageFileName[] = "inventory.htm";
// The address the main page offers for sales questions.
inline constexpr char SalesEmailAddress[] = "sales@example.com";

// Where the page time stamp comes from; tests fix the time with their own.
using PageClock = std::function<QDateTime()>;
QDateTime localClock();

// "Updated: Date: 2024-03-07  Time: 09:05:02" for that local time.
QString pageTimeStamp(const QDateTime& time);

// Whether a page of that name would replace the main page, here or on a web
// host that ignores case.
bool isMainPageName(const QString& pageFileName);

// What became of one page.
struct PageOutcome
{
    // "inventory.htm" or "<category>.htm"; the category file when it can have
    // no page of its own (named like the main page or another category's)
    QString pageFileName;
    QString categoryFileName; // the category file it shows; empty for the main page
    // Fails when the page must not be published as it stands.
    Status written = Status::success();
};

// Every page writeSite wrote or tried to write: the main page first, then one
// per category file in listing order.
using CreatedPages = std::vector<PageOutcome>;

// Writes the main page, inventory.htm, listing every category file of the
// plan's data directory with its item count, and the page of every category
// that has one. Rows end by comparing their number with categoryCount, the
// number of categories last listed by the main window (the number of
// category files elsewhere). The clock is read once. Each page replaces its
// old one only when complete; a page that cannot be written, or whose
// category file cannot be read (its page then lists no items), has a
// failure. So has each category the plan gives no page, with the plan's
// reason, in the plan's order. With a cache, a category page that would come
// out as it is stays as it is.
CreatedPages writeSite(const SitePlan& plan, int categoryCount, const PageClock& clock = localClock,
                       PageCache* cache = nullptr);
// The same with a plan made now.
CreatedPages writeSite(const DataDirectory& store, int categoryCount,
                       const PageClock& clock = localClock, PageCache* cache = nullptr);

} // namespace wareloom
