#pragma once

#include "core/pages/MainPage.h"
#include "core/pages/PageCache.h"
#include "core/pages/SitePlan.h"
#include "core/publish/Thumbnails.h"
#include "core/publish/UploadFolder.h"
#include "core/transfer/UploadPool.h"

#include <QHash>
#include <QMetaType>
#include <QObject>
#include <QSet>
#include <QString>

#include <optional>
#include <vector>

namespace wareloom {

class FtpSettings;
class PublishRecord;

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
        NoSettings,   // the settings file cannot be opened: nothing generated or sent
        Failed,       // every page was tried; failedPages says which failed
        Cancelled,    // cancel() ended the run; failedPages names every page not sent
        UntrustedKey, // the host showed a key not trusted (new or changed): nothing sent
        Done,
    };
    Result result = Result::Done;
    std::vector<FailedPage> failedPages; // in the order the run takes the pages
    // Why the host ended the run at once (login refused, untrusted key...).
    QString stopReason;
    std::optional<HostKey> untrustedKey;
    int sent = 0;      // files the host confirmed
    int unchanged = 0; // pages the host has as they are
    // Pages the host received from us whose categories are gone; deleted
    // only when asked (PublishOptions::deleteStalePages, deleteStalePages()).
    QStringList stalePages;
};

struct PublishOptions
{
    bool sendAll = false;          // also what the host has already
    bool deleteStalePages = false; // delete the stale pages at the end
};

// The publish run: regenerates the main page and every category page in the
// data directory and uploads what the web host does not have yet, telling
// what it does through its signals. Needs no window: run() works on the
// calling thread, so the command line calls it directly and the publish
// dialog calls it on a worker thread and takes the signals queued.
//
// Publishing sets the progress range to 1..categoryCount + 1, loads the
// settings, writes the pages and lists the upload directory (which is also
// the login). A page goes out when its bytes differ from what the
// PublishRecord says this destination received, or the listing misses it or
// shows another size; the main page always goes. The new thumbnails go
// first, then the category pages (in parallel when there are many), then
// the main page, so it never links to a page not there yet. Every file the
// pages link to that the data directory holds (pictures, the banner, in the
// modern style thumbnails) travels with them, before them, changed-only as
// the pages are. A file the host
// has is replaced by a rename. Each page, sent or not, takes the next
// progress position; failures do not stop the run. When the first
// connection stops (a refused login, a refused AUTH TLS, an untrusted key)
// the rest are not tried: each is noted with that reason. A page the
// generator could not write, or whose local path, remote name or status text
// does not fit a name buffer, is a failed upload. The record is written at
// the end, also after a cancel, with exactly the files the host confirmed.
// "Done" is the last status only when nothing failed. Generating only writes
// the pages: no settings, no FTP.
class PublishRun : public QObject
{
    Q_OBJECT

public:
    enum class Mode { Publish, GenerateOnly };

    // categoryCount: the main window's count of the categories; none: the
    // number of category files the run finds.
    PublishRun(DataDirectory store, std::optional<int> categoryCount, Mode mode = Mode::Publish,
               PageClock clock = localClock, QObject* parent = nullptr);

    // In the modern style the run makes the missing thumbnails with maker and
    // sends the new and changed ones, with the other files the pages link to,
    // before the pages.
    void setThumbnailMaker(ThumbnailMaker maker) { m_makeThumbnail = std::move(maker); }
    void setOptions(PublishOptions options) { m_options = options; }

    // Runs to the end on the calling thread; returns what finished() carries.
    PublishOutcome run();

    // Deletes those of pages the record says this destination received from
    // us (an earlier run's stalePages), on the calling thread; no pages are
    // written. finished() carries the outcome, as after run().
    PublishOutcome deleteStalePages(const QStringList& pages);

    // Thread-safe: the uploads under way end within about a second and no
    // other starts. Pages are written whole all the same.
    void cancel() { m_pool.cancel(); }
    bool isCancelled() const { return m_pool.isCancelled(); }

Q_SIGNALS:
    void statusChanged(const QString& status);
    void progressRangeChanged(int minimum, int maximum);
    // Set before each upload; may lie beyond the maximum when categories
    // were added since they were counted.
    void progressChanged(int position);
    // The last signal of a run; the FTP connection is closed by then.
    void finished(const wareloom::PublishOutcome& outcome);

private:
    struct PlannedFile;

    bool loadSettings(FtpSettings& settings, PublishOutcome& outcome);
    void saveRecord(PublishRecord& record, PublishOutcome& outcome);
    std::vector<FailedPage> createPages();
    void saveCache();
    void uploadFiles(const FtpSettings& settings, const std::vector<FailedPage>& notWritten,
                     PublishRecord& record, PublishOutcome& outcome);
    Status prepare(PlannedFile& file, const QString& uploadPath,
                   QHash<QString, QString>& unwritten);
    void addLinkedFiles(std::vector<PlannedFile>& linked,
                        const std::vector<const std::vector<PlannedFile>*>& pages,
                        const QHash<QString, QString>& unwritten);
    bool hostHasIt(const PlannedFile& file, const UploadFolder& folder,
                   const PublishRecord& record) const;
    UploadFolder listUploadDirectory(const QString& uploadPath);
    void sendPhase(const std::vector<PlannedFile>& files, PublishRecord& record,
                   PublishOutcome& outcome);
    QStringList findStalePages(const QString& uploadPath, const UploadFolder& folder,
                               PublishRecord& record) const;
    void deletePages(const QStringList& pages, const QString& uploadPath,
                     const UploadFolder& folder, PublishRecord& record, PublishOutcome& outcome);
    void removeLeftovers(const QString& uploadPath, const UploadFolder& folder,
                         const QSet<QString>& sentNow);
    PublishOutcome finish(PublishOutcome outcome);

    int categoryCount() const { return m_categoryCount.value_or(m_plan->reachableCount()); }

    DataDirectory m_store;
    std::optional<int> m_categoryCount;
    std::optional<SitePlan> m_plan; // made at the start of each run
    Mode m_mode;
    PageClock m_clock;
    PublishOptions m_options;
    UploadPool m_pool; // the run's connections; cancel() reaches them from any thread
    int m_position = 0;
    QSet<QString> m_noticesSaid; // each once a run
    ThumbnailMaker m_makeThumbnail;
    // Of the modern pages written, to send: thumbnails, picture pages, favicon...
    QStringList m_siteFiles;
    QByteArray m_pageCharset; // as the pages declare it to a host that asks
    PageCache m_cache;        // what the pages were made from, what the files hold
};

} // namespace wareloom

Q_DECLARE_METATYPE(wareloom::PublishOutcome)
