#include "core/publish/PublishRun.h"

#include "core/pages/CategoryPage.h"
#include "core/pages/ModernPages.h"
#include "core/pages/PageLinks.h"
#include "core/pages/WebsiteSettings.h"
#include "core/publish/PublishRecord.h"
#include "core/store/CategoryStore.h"
#include "core/transfer/FtpSettings.h"
#include "core/transfer/RemoteName.h"
#include "core/util/TextConversion.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <cctype>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(PublishRun)
};

Status tooLong(const QString& what)
{
    return Status::failure(
        Texts::tr("its %1 is longer than %2 characters").arg(what).arg(NameBufferLimit));
}

QString uploadStatus(const QString& fileName)
{
    return Texts::tr("Upload -> %1").arg(fileName);
}

QString mainPage()
{
    return QLatin1String(MainPageFileName);
}

QString statusOf(const QString& fileName)
{
    return fileName == mainPage() ? Texts::tr("Upload -> %1 (main page)").arg(fileName)
                                  : uploadStatus(fileName);
}

// Names never go out cut.
Status checkSendable(const QString& status, const QString& localPath, const QString& remote)
{
    if (status.size() > NameBufferLimit)
        return tooLong(Texts::tr("status text"));
    if (localPath.size() > NameBufferLimit)
        return tooLong(Texts::tr("local path"));
    if (remote.isEmpty())
        return tooLong(Texts::tr("remote name"));
    return Status::success();
}

// The charset a host that sends a content type declares classic pages in:
// the code page's name as browsers know it.
QByteArray classicPageCharset()
{
    const QByteArray codePage = conversionCodePage().toUpper();
    static const QHash<QByteArray, QByteArray> known{
        {"CP932", "Shift_JIS"}, {"CP936", "GBK"}, {"CP949", "EUC-KR"}, {"CP950", "Big5"}};
    if (const auto found = known.constFind(codePage); found != known.cend())
        return *found;
    if (codePage.startsWith("CP") && codePage.size() > 2 && std::isdigit(uchar(codePage[2])))
        return "windows-" + codePage.mid(2);
    return codePage.toLower();
}

// A name the host resolves inside the upload folder and nowhere else.
bool isPlainName(const QString& name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) &&
           !name.contains(QLatin1Char('\\')) && !name.contains(QLatin1String(".."));
}

} // namespace

// A file of the run, in sending order.
struct PublishRun::PlannedFile
{
    QString fileName;
    TransferType type = TransferType::Ascii;
    bool isPage = true; // takes a progress position
    UploadJob job;
    FileFingerprint content;
};

namespace {

// Ours to delete: a plain name this run's listing shows as the record says
// we sent it; never another's file, never one outside the folder.
bool mayDelete(const UploadFolder& folder, const QString& fileName, const PublishRecord& record)
{
    return isPlainName(fileName) && folder.showsAsSent(fileName, record);
}

} // namespace

PublishRun::PublishRun(DataDirectory store, std::optional<int> categoryCount, Mode mode,
                       PageClock clock, QObject* parent)
    : QObject(parent), m_store(std::move(store)), m_categoryCount(categoryCount), m_mode(mode),
      m_clock(std::move(clock)), m_cache(m_store)
{
    qRegisterMetaType<PublishOutcome>();
}

PublishOutcome PublishRun::run()
{
    PublishOutcome outcome;
    m_position = 0;
    m_noticesSaid.clear();
    m_plan = SitePlan::make(m_store);
    if (m_mode == Mode::GenerateOnly) {
        outcome.failedPages = createPages();
        saveCache();
        return finish(std::move(outcome));
    }

    Q_EMIT progressRangeChanged(1, categoryCount() + 1);
    FtpSettings settings(m_store);
    if (!loadSettings(settings, outcome))
        return outcome;
    const std::vector<FailedPage> notWritten = createPages();
    PublishRecord record = PublishRecord::load(m_store, settings);
    m_pool.open(settings, record.hostNeeds());
    m_pool.setPageCharset(m_pageCharset);
    uploadFiles(settings, notWritten, record, outcome);
    m_pool.close();
    saveCache();
    return finish(std::move(outcome));
}

PublishOutcome PublishRun::deleteStalePages(const QStringList& pages)
{
    PublishOutcome outcome;
    FtpSettings settings(m_store);
    if (!loadSettings(settings, outcome))
        return outcome;
    PublishRecord record = PublishRecord::load(m_store, settings);
    m_pool.open(settings, record.hostNeeds());
    const QString uploadPath = settings.text(SettingsField::UploadPath);
    // Nothing is deleted but what this listing shows as we sent it.
    deletePages(pages, uploadPath, listUploadDirectory(uploadPath), record, outcome);
    m_pool.close();
    saveRecord(record, outcome);
    return finish(std::move(outcome));
}

// Without settings the run ends before it starts, and says so.
bool PublishRun::loadSettings(FtpSettings& settings, PublishOutcome& outcome)
{
    if (settings.load())
        return true;
    outcome.result = PublishOutcome::Result::NoSettings;
    Q_EMIT finished(outcome);
    return false;
}

void PublishRun::saveRecord(PublishRecord& record, PublishOutcome& outcome)
{
    record.setHostNeeds(m_pool.needs());
    if (const Status saved = record.save(); !saved)
        outcome.failedPages.push_back({QLatin1String(PublishRecord::FileName), saved.message()});
}

// Writes the pages, showing "Creating HTML" meanwhile; the pages that must
// not go out as they stand, in the generator's order.
std::vector<FailedPage> PublishRun::createPages()
{
    Q_EMIT statusChanged(tr("Creating HTML"));
    m_cache = PageCache::load(m_store);
    std::vector<FailedPage> failed;
    const WebsiteSettings site = WebsiteSettings::load(m_store);
    CreatedPages created;
    m_pageCharset = site.style == WebsiteSettings::Style::Modern ? "utf-8" : classicPageCharset();
    if (site.style == WebsiteSettings::Style::Modern) {
        std::vector<ThumbnailFailure> notMade;
        m_siteFiles = Thumbnails::refresh(m_store, m_makeThumbnail, notMade);
        for (const ThumbnailFailure& thumbnail : notMade)
            failed.push_back({thumbnail.fileName, thumbnail.reason});
        FtpSettings settings(m_store);
        const QString address =
            settings.load() ? settings.text(SettingsField::HttpServer) : QString();
        ModernPages pages(m_store, site, m_clock(), address);
        created = pages.create(*m_plan, &m_cache);
        m_siteFiles << pages.siteFiles();
    } else {
        created = writeSite(*m_plan, categoryCount(), m_clock, &m_cache);
    }
    for (const PageOutcome& page : created) {
        if (!page.written)
            failed.push_back({page.pageFileName, page.written.message()});
    }
    return failed;
}

// Not a failure of the run: the pages are right.
void PublishRun::saveCache()
{
    if (const Status saved = m_cache.save(); !saved)
        Q_EMIT statusChanged(
            tr("%1 The next run writes again the pages it cannot vouch for.").arg(saved.message()));
}

void PublishRun::uploadFiles(const FtpSettings& settings, const std::vector<FailedPage>& notWritten,
                             PublishRecord& record, PublishOutcome& outcome)
{
    QHash<QString, QString> unwritten; // file name -> why
    for (const FailedPage& page : notWritten)
        unwritten.insert(page.pageFileName, page.reason);
    std::vector<FailedPage>& failed = outcome.failedPages;

    // The pictures and other files before the pages that show them, the
    // main page last. Text goes as text, like the pages; pictures byte for
    // byte, in a list of their own: every list uses one transfer type.
    std::vector<PlannedFile> pictures, texts, categoryPages, main;
    for (const QString& file : m_siteFiles) {
        if (file.endsWith(QLatin1String(".jpg")) || file.endsWith(QLatin1String(".png")))
            pictures.push_back({file, TransferType::Binary, false, {}, {}});
        else
            texts.push_back({file, TransferType::Ascii, false, {}, {}});
    }
    for (const PlannedCategory& category : m_plan->categories()) {
        // Named itself: it has no page of its own to send.
        if (!category.hasPage())
            failed.push_back(
                {category.categoryFileName, unwritten.take(category.categoryFileName)});
        else
            categoryPages.push_back({category.pageFileName, TransferType::Ascii, true, {}, {}});
    }
    main.push_back({mainPage(), TransferType::Ascii, true, {}, {}});

    const QString uploadPath = settings.text(SettingsField::UploadPath);
    addLinkedFiles(pictures, {&texts, &categoryPages, &main}, unwritten);
    const UploadFolder folder = listUploadDirectory(uploadPath);
    QSet<QString> sentNow;
    for (std::vector<PlannedFile>* phase : {&pictures, &texts, &categoryPages, &main}) {
        std::vector<PlannedFile> toSend;
        for (PlannedFile& file : *phase) {
            if (const Status prepared = prepare(file, uploadPath, unwritten); !prepared) {
                failed.push_back({file.fileName, prepared.message()});
            } else if (hostHasIt(file, folder, record)) {
                ++outcome.unchanged;
                if (file.isPage) {
                    Q_EMIT statusChanged(tr("%1 unchanged").arg(file.fileName));
                    Q_EMIT progressChanged(++m_position);
                }
            } else {
                // Also a new file: a failed transfer leaves nothing cut under its name.
                file.job.replace = true;
                sentNow.insert(file.fileName);
                toSend.push_back(file);
            }
        }
        sendPhase(toSend, record, outcome);
    }

    // Judged only by a host that answered.
    const QStringList stale = m_pool.first().stopReason().isEmpty()
                                  ? findStalePages(uploadPath, folder, record)
                                  : QStringList();
    if (m_options.deleteStalePages)
        deletePages(stale, uploadPath, folder, record, outcome);
    else
        outcome.stalePages = stale;
    removeLeftovers(uploadPath, folder, sentNow);
    // Also after a cancel: what the host confirmed stays known.
    saveRecord(record, outcome);
    // What the generator reported beyond the files sent (a thumbnail not made).
    for (const FailedPage& page : notWritten) {
        if (unwritten.contains(page.pageFileName))
            failed.push_back({page.pageFileName, unwritten.take(page.pageFileName)});
    }
}

// The files the pages link to that the data directory holds and nothing else
// sends: pictures, the banner. Read from the pages as written, so that what
// travels is what they show: by the page cache, which reads again only the
// pages written since it last read them.
void PublishRun::addLinkedFiles(std::vector<PlannedFile>& linked,
                                const std::vector<const std::vector<PlannedFile>*>& pages,
                                const QHash<QString, QString>& unwritten)
{
    QSet<QString> planned;
    for (const PlannedFile& file : linked)
        planned.insert(file.fileName);
    for (const std::vector<PlannedFile>* phase : pages) {
        for (const PlannedFile& file : *phase)
            planned.insert(file.fileName);
    }
    for (const std::vector<PlannedFile>* phase : pages) {
        for (const PlannedFile& page : *phase) {
            if (!isPageFileName(page.fileName) || unwritten.contains(page.fileName))
                continue;
            const std::optional<QStringList> links = m_cache.links(page.fileName);
            if (!links)
                continue; // said when the page itself is sent
            for (const QString& link : *links) {
                if (planned.contains(link) || !QFileInfo(m_store.filePath(link)).isFile())
                    continue;
                planned.insert(link);
                linked.push_back({link, TransferType::Binary, false, {}, {}});
            }
        }
    }
}

// Sets up the file's upload; fails when it cannot go.
Status PublishRun::prepare(PlannedFile& file, const QString& uploadPath,
                           QHash<QString, QString>& unwritten)
{
    file.job = {m_store.filePath(file.fileName), remoteName(uploadPath, file.fileName), file.type,
                false};
    // An old page left by an earlier run must not go out in its place.
    if (unwritten.contains(file.fileName))
        return Status::failure(unwritten.take(file.fileName));
    if (Status sendable =
            checkSendable(statusOf(file.fileName), file.job.localPath, file.job.remoteName);
        !sendable)
        return sendable;
    const std::optional<FileFingerprint> content = m_cache.fingerprint(file.fileName);
    if (!content)
        return Status::failure(tr("cannot read %1").arg(file.job.localPath));
    file.content = *content;
    return Status::success();
}

// The host has the file as it is now: the record says it received these
// bytes, and the listing shows a file of their size (and, from S3, of the
// MD5 the host confirmed for them). No local file is read for it.
bool PublishRun::hostHasIt(const PlannedFile& file, const UploadFolder& folder,
                           const PublishRecord& record) const
{
    if (m_options.sendAll || file.fileName == mainPage() || !folder.isListed())
        return false;
    const FileFingerprint* sent = record.find(file.fileName);
    return sent && *sent == file.content && folder.showsAsSent(file.fileName, record);
}

// Lists the directory the upload path names on the first connection; its
// login is the run's, so a refused one ends the run here.
UploadFolder PublishRun::listUploadDirectory(const QString& uploadPath)
{
    HostConnection& connection = m_pool.first();
    UploadFolder folder =
        UploadFolder::list(connection, uploadPath, tr("the listing was not understood"));
    // A refused login ends the run here: said where the progress shows.
    if (!connection.stopReason().isEmpty())
        Q_EMIT statusChanged(connection.stopReason());
    if (!folder.isListed() && !m_options.sendAll && !isCancelled() &&
        connection.stopReason().isEmpty()) {
        Q_EMIT statusChanged(tr("The upload folder could not be listed (%1): "
                                "every page is sent.")
                                 .arg(folder.status().message()));
    }
    return folder;
}

void PublishRun::sendPhase(const std::vector<PlannedFile>& files, PublishRecord& record,
                           PublishOutcome& outcome)
{
    std::vector<UploadJob> jobs;
    jobs.reserve(files.size());
    for (const PlannedFile& file : files)
        jobs.push_back(file.job);
    UploadEvents events;
    events.started = [&](std::size_t i) {
        const PlannedFile& file = files[i];
        Q_EMIT statusChanged(statusOf(file.fileName));
        if (file.isPage)
            Q_EMIT progressChanged(++m_position);
    };
    events.finished = [&](std::size_t i, const Result<QByteArray>& sent) {
        if (sent) {
            record.noteSent(files[i].fileName, files[i].content, *sent);
            ++outcome.sent;
        } else {
            outcome.failedPages.push_back({files[i].fileName, sent.status().message()});
        }
    };
    events.noticed = [this](const QString& notice) {
        if (!m_noticesSaid.contains(notice)) {
            m_noticesSaid.insert(notice);
            Q_EMIT statusChanged(notice);
        }
    };
    m_pool.send(jobs, events);
}

// The pages this destination received from us whose categories are gone.
// One the listing no longer shows is gone from the host as well: forgotten.
QStringList PublishRun::findStalePages(const QString& uploadPath, const UploadFolder& folder,
                                       PublishRecord& record) const
{
    QSet<QString> current{mainPage()};
    for (const QString& page : m_plan->pageFileNames())
        current.insert(page);
    QStringList stale;
    if (!folder.isListed())
        return stale; // nothing is judged without seeing the folder
    for (const QString& name : record.names()) {
        if (!name.endsWith(QLatin1String(".htm")) || current.contains(name))
            continue;
        if (folder.size(name) < 0)
            record.forget(name);
        else if (mayDelete(folder, name, record) && !remoteName(uploadPath, name).isEmpty())
            stale << name;
    }
    stale.sort();
    return stale;
}

// Deletes the pages the record shows we sent, and only those the listing
// shows as we sent them.
void PublishRun::deletePages(const QStringList& pages, const QString& uploadPath,
                             const UploadFolder& folder, PublishRecord& record,
                             PublishOutcome& outcome)
{
    HostConnection& connection = m_pool.first();
    for (const QString& page : pages) {
        if (!record.find(page))
            continue;
        if (isCancelled()) {
            outcome.failedPages.push_back(
                {page, QCoreApplication::translate("UploadPool", NotSentCancelled)});
            continue;
        }
        if (!connection.stopReason().isEmpty()) {
            outcome.failedPages.push_back(
                {page, QCoreApplication::translate("UploadPool", NotSentStopped)});
            continue;
        }
        if (!mayDelete(folder, page, record)) {
            outcome.failedPages.push_back(
                {page, tr("not deleted: the upload folder does not show it as it "
                          "was sent")});
            continue;
        }
        Q_EMIT statusChanged(tr("Delete -> %1").arg(page));
        if (const Status deleted = connection.deleteFile(remoteName(uploadPath, page)); deleted)
            record.forget(page);
        else
            outcome.failedPages.push_back({page, deleted.message()});
    }
}

// Our temporary files that an earlier run left (killed on the way): they
// would stay readable on the web.
void PublishRun::removeLeftovers(const QString& uploadPath, const UploadFolder& folder,
                                 const QSet<QString>& sentNow)
{
    HostConnection& connection = m_pool.first();
    if (!folder.isListed() || isCancelled() || !connection.stopReason().isEmpty())
        return;
    const QLatin1String suffix(TemporarySuffix);
    for (const QString& name : folder.fileNames()) {
        if (!name.endsWith(suffix))
            continue;
        // One this run sent through was renamed away already.
        const QString remote = remoteName(uploadPath, name);
        if (!isPlainName(name) || sentNow.contains(name.chopped(suffix.size())) || remote.isEmpty())
            continue;
        Q_EMIT statusChanged(tr("Delete -> %1").arg(name));
        if (const Status deleted = connection.deleteFile(remote); !deleted)
            Q_EMIT statusChanged(deleted.message());
    }
}

PublishOutcome PublishRun::finish(PublishOutcome outcome)
{
    outcome.stopReason = m_pool.first().stopReason();
    outcome.untrustedKey = m_pool.first().untrustedKey();
    if (outcome.result == PublishOutcome::Result::NoSettings) {
    } else if (outcome.untrustedKey) {
        outcome.result = PublishOutcome::Result::UntrustedKey;
    } else if (isCancelled() && !outcome.failedPages.empty()) {
        outcome.result = PublishOutcome::Result::Cancelled;
        Q_EMIT statusChanged(tr("Cancelled"));
    } else if (outcome.failedPages.empty()) {
        outcome.result = PublishOutcome::Result::Done;
        Q_EMIT statusChanged(tr("Done"));
    } else {
        outcome.result = PublishOutcome::Result::Failed;
    }
    Q_EMIT finished(outcome);
    return outcome;
}

} // namespace wareloom
