#pragma once

#include "core/pages/MainPage.h"
#include "core/publish/Thumbnails.h"
#include "core/transfer/FtpConnection.h"

#include <QMetaType>
#include <QObject>
#include <QString>

#include <optional>
#include <vector>

namespace wareloom {

class FtpSettings;

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
};

// Status texts of the run.
inline constexpr char16_t CreatingHtmlStatus[] = u"Creating HTML";
inline constexpr char16_t DoneStatus[] = u"Done";
inline constexpr char16_t CancelledStatus[] = u"Cancelled";

// The publish run: regenerates the main page and every category page in the
// data directory and uploads them over one FTP connection, telling what it
// does through its signals. Needs no window: run() works on the calling
// thread, so the command line calls it directly and the publish dialog calls
// it on a worker thread and takes the signals queued.
//
// Publishing sets the progress range to 1..categoryCount + 1, loads the
// settings, writes the pages (CreateHTML with categoryCount) and uploads the
// main page at position 1 and the k-th category found at position k + 1, in
// ASCII, going on after a failed upload. When the connection stops (a
// refused login, a refused AUTH TLS, an untrusted key) the rest are not
// tried: each is noted with that reason. A page the generator could not
// write, or whose local path, remote name or status text does not fit a name
// buffer, is a failed upload. "Done" is the last status only when nothing
// failed. Generating only writes the pages: no settings, no FTP.
class PublishRun : public QObject
{
    Q_OBJECT

public:
    enum class Mode { Publish, GenerateOnly };

    explicit PublishRun(int categoryCount, Mode mode = Mode::Publish, PageClock clock = localClock,
                        QObject* parent = nullptr);

    // In the modern style the run makes the missing thumbnails with maker and
    // sends the new and changed ones before the pages.
    void setThumbnailMaker(ThumbnailMaker maker) { m_makeThumbnail = std::move(maker); }

    // Runs to the end on the calling thread; returns what finished() carries.
    PublishOutcome run();

    // Thread-safe: the upload under way ends within about a second and no
    // other starts. Pages are written whole all the same.
    void cancel() { m_connection.cancel(); }
    bool isCancelled() const { return m_connection.isCancelled(); }

Q_SIGNALS:
    void statusChanged(const QString& status);
    void progressRangeChanged(int minimum, int maximum);
    // Set before each upload; may lie beyond the maximum when categories
    // were added since they were counted.
    void progressChanged(int position);
    // The last signal of a run; the FTP connection is closed by then.
    void finished(const wareloom::PublishOutcome& outcome);

private:
    std::vector<FailedPage> createPages();
    std::vector<FailedPage> uploadPages(const FtpSettings& settings,
                                        const std::vector<FailedPage>& notWritten);
    PublishOutcome finish(std::vector<FailedPage> failedPages);

    int m_categoryCount;
    Mode m_mode;
    PageClock m_clock;
    FtpConnection m_connection; // the run's one connection; cancel() reaches it from any thread
    ThumbnailMaker m_makeThumbnail;
    QStringList m_thumbnails; // of the modern pages written, to send
};

} // namespace wareloom

Q_DECLARE_METATYPE(wareloom::PublishOutcome)
