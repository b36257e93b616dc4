#pragma once

#include "core/pages/MainPage.h"

#include <QString>

#include <vector>

// The publish run: regenerates the main page and every category page in the
// data directory and uploads them over one FTP connection, telling an
// observer what it does. Needs no window: the publish dialog and the command
// line watch it through their own observers.
namespace wareloom {

// A page that did not reach the web host (or, generating only, the data
// directory), and why.
struct FailedPage
{
    QString pageFileName; // "inventory.htm" or "<category>.htm"
    QString reason;
};

struct PublishOutcome
{
    enum class Result {
        NoSettings, // the settings file cannot be opened: nothing generated or sent
        Failed,     // every page was tried; failedPages says which failed
        Done,
    };
    Result result = Result::Done;
    std::vector<FailedPage> failedPages;
};

class PublishObserver
{
public:
    virtual ~PublishObserver() = default;

    virtual void statusChanged(const QString& status) = 0;
    virtual void progressRangeChanged(int minimum, int maximum) = 0;
    // Set before each upload; may lie beyond the maximum when categories
    // were added since they were counted.
    virtual void progressChanged(int position) = 0;
    // The run's outcome, before its FTP connection is closed.
    virtual void runEnded(const PublishOutcome& outcome) = 0;
};

// Status texts of the run.
inline constexpr char16_t CreatingHtmlStatus[] = u"Creating HTML";
inline constexpr char16_t DoneStatus[] = u"Done";

// Sets the progress range to 1..categoryCount + 1, then loads the settings,
// writes the pages (CreateHTML with categoryCount) and uploads the main page
// at position 1 and the k-th category found at position k + 1, in ASCII,
// going on after a failed upload. A page the generator could not write, or
// whose local path, remote name or status text does not fit a name buffer,
// is a failed upload. "Done" is the last status only when nothing failed.
PublishOutcome runPublish(int categoryCount, PublishObserver& observer,
                          const PageClock& clock = localClock);

// Writes the pages only: no settings, no FTP.
PublishOutcome runGeneratePages(int categoryCount, PublishObserver& observer,
                                const PageClock& clock = localClock);

} // namespace wareloom
