#include "core/publish/SiteCheck.h"

#include "core/pages/MainPage.h"
#include "core/pages/PageLinks.h"
#include "core/pages/SitePlan.h"
#include "core/publish/PublishRecord.h"
#include "core/publish/UploadFolder.h"
#include "core/transfer/FtpSettings.h"
#include "core/transfer/HostTransfer.h"
#include "core/transfer/RemoteName.h"
#include "core/transfer/UploadPool.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace wareloom {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(SiteCheck)
};

} // namespace

// What the check goes by: the folder as listed, what the record says was sent.
struct SiteCheck::Walk
{
    const UploadFolder& folder;
    const PublishRecord& record;
    QString uploadPath;
};

QString SiteCheckOutcome::summary() const
{
    return findings.isEmpty() ? Texts::tr("The website is whole: %1 pages read, %2 files checked.")
                                    .arg(pages)
                                    .arg(files)
                              : Texts::tr("%1 problems: %2 pages read, %3 files checked.")
                                    .arg(findings.size())
                                    .arg(pages)
                                    .arg(files);
}

QString SiteCheckOutcome::notCheckedMessage() const
{
    return Texts::tr("The website was not checked: %1").arg(stopReason);
}

SiteCheckOutcome SiteCheck::run()
{
    SiteCheckOutcome outcome;
    FtpSettings settings(m_store);
    if (!settings.load()) {
        outcome.result = SiteCheckOutcome::Result::NoSettings;
        return outcome;
    }
    const PublishRecord record = PublishRecord::load(m_store, settings);
    {
        const std::lock_guard lock(m_connecting);
        m_connection = connectToHost(settings);
        if (m_cancelled)
            m_connection->cancel();
    }
    m_connection->assume(record.hostNeeds());
    const QString uploadPath = settings.text(SettingsField::UploadPath);
    const UploadFolder folder =
        UploadFolder::list(*m_connection, uploadPath,
                           Texts::tr("the listing of the upload folder was not understood"));
    if (!folder.isListed()) {
        outcome.untrustedKey = m_connection->untrustedKey();
        outcome.result = outcome.untrustedKey ? SiteCheckOutcome::Result::UntrustedKey
                                              : SiteCheckOutcome::Result::NotChecked;
        outcome.stopReason = folder.status().message();
        m_connection->close();
        return outcome;
    }
    const Walk walk{folder, record, uploadPath};

    // Breadth first from the main page, each file once, in the order the
    // pages name them.
    QStringList pages{QLatin1String(MainPageFileName)};
    QSet<QString> seen{pages.first()};
    QHash<QString, QString> linkedFrom;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const QString page = pages[i]; // the list grows meanwhile
        if (!checkTarget(page, linkedFrom.value(page), walk, outcome))
            continue;
        const Result<QByteArray> bytes = readPage(page, walk);
        if (!bytes) {
            outcome.findings << Texts::tr("%1 cannot be read from the host (%2), so its "
                                          "links were not checked.")
                                    .arg(page, bytes.status().message());
            continue;
        }
        ++outcome.pages;
        for (const QString& link : pageLinks(*bytes)) {
            if (seen.contains(link))
                continue;
            seen.insert(link);
            linkedFrom.insert(link, page);
            if (isPageFileName(link))
                pages << link;
            else
                checkTarget(link, page, walk, outcome);
        }
    }
    outcome.files = int(seen.size());
    // Every category of the data directory, by the plan the pages are written
    // from: one that can have no page says why; a page the host's main page
    // does not reach is out of date there.
    const SitePlan plan = SitePlan::make(m_store);
    for (const PlannedCategory& category : plan.categories()) {
        if (!category.hasPage())
            outcome.findings << category.reason;
        else if (!seen.contains(category.pageFileName))
            outcome.findings << Texts::tr("%1 is not linked from the main page on the host "
                                          "(the next publish sends a main page that links "
                                          "it).")
                                    .arg(category.pageFileName);
    }
    for (const QString& name : folder.fileNames()) {
        if (name.endsWith(QLatin1String(TemporarySuffix)))
            outcome.findings << Texts::tr("%1 is a temporary file left on the host by a "
                                          "publish that did not end (the next publish "
                                          "removes it).")
                                    .arg(name);
    }
    m_connection->close();
    return outcome;
}

void SiteCheck::cancel()
{
    const std::lock_guard lock(m_connecting);
    m_cancelled = true;
    if (m_connection)
        m_connection->cancel();
}

// False when the host lacks the file.
bool SiteCheck::checkTarget(const QString& fileName, const QString& linkedFrom, const Walk& walk,
                            SiteCheckOutcome& outcome) const
{
    const qint64 held = walk.folder.size(fileName);
    const QString from =
        linkedFrom.isEmpty() ? QString() : Texts::tr(" (linked from %1)").arg(linkedFrom);
    if (held < 0) {
        const bool here = QFileInfo(m_store.filePath(fileName)).isFile();
        outcome.findings << (here && isSiteFileName(fileName)
                                 ? Texts::tr("%1%2 is missing on the host; the next publish "
                                             "sends it.")
                                 : Texts::tr("%1%2 is missing on the host, and the data "
                                             "directory has no such file either."))
                                .arg(fileName, from);
        return false;
    }
    if (const FileFingerprint* sent = walk.record.find(fileName); sent && sent->size != held)
        outcome.findings << Texts::tr("%1%2 is %3 bytes on the host, but %4 bytes were sent.")
                                .arg(fileName, from)
                                .arg(held)
                                .arg(sent->size);
    return true;
}

// The page as the host holds it: the data directory's copy when it is what
// was sent and the listing shows it as sent, else the host's own.
Result<QByteArray> SiteCheck::readPage(const QString& page, const Walk& walk)
{
    const QString local = m_store.filePath(page);
    const FileFingerprint* sent = walk.record.find(page);
    if (sent && walk.folder.showsAsSent(page, walk.record) && FileFingerprint::of(local) == *sent) {
        QFile file(local);
        if (file.open(QIODevice::ReadOnly))
            return file.readAll();
    }
    return m_connection->readFile(remoteName(walk.uploadPath, page));
}

} // namespace wareloom
