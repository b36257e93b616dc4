#include "core/publish/PublishRun.h"

#include "core/pages/CategoryPage.h"
#include "core/pages/ModernPages.h"
#include "core/pages/WebsiteSettings.h"
#include "core/store/CategoryStore.h"
#include "core/transfer/FtpSettings.h"
#include "core/transfer/HostTransfer.h"
#include "core/transfer/RemoteName.h"

#include <QHash>

namespace wareloom {
namespace {

QString tooLong(const QString& what)
{
    return QStringLiteral("its %1 is longer than %2 characters").arg(what).arg(NameBufferLimit);
}

QString uploadStatus(const QString& pageFileName)
{
    return QStringLiteral("Upload -> ") + pageFileName;
}

} // namespace

PublishRun::PublishRun(int categoryCount, Mode mode, PageClock clock, QObject* parent)
    : QObject(parent), m_categoryCount(categoryCount), m_mode(mode), m_clock(std::move(clock))
{
    qRegisterMetaType<PublishOutcome>();
}

PublishOutcome PublishRun::run()
{
    if (m_mode == Mode::GenerateOnly)
        return finish(createPages());

    Q_EMIT progressRangeChanged(1, m_categoryCount + 1);
    FtpSettings settings;
    if (!settings.load()) {
        PublishOutcome outcome{PublishOutcome::Result::NoSettings, {}, {}, {}};
        Q_EMIT finished(outcome);
        return outcome;
    }
    const std::vector<FailedPage> notWritten = createPages();
    openFtpConnection(m_connection, settings);
    std::vector<FailedPage> failed = uploadPages(settings, notWritten);
    m_connection.close();
    return finish(std::move(failed));
}

// Writes the pages, showing "Creating HTML" meanwhile; the pages that must
// not go out as they stand, in the generator's order.
std::vector<FailedPage> PublishRun::createPages()
{
    Q_EMIT statusChanged(QString::fromUtf16(CreatingHtmlStatus));
    std::vector<FailedPage> failed;
    const WebsiteSettings site = WebsiteSettings::load();
    CreatedPages created;
    if (site.style == WebsiteSettings::Style::Modern) {
        std::vector<ThumbnailFailure> notMade;
        m_thumbnails = Thumbnails::refresh(m_makeThumbnail, notMade);
        for (const ThumbnailFailure& thumbnail : notMade)
            failed.push_back({thumbnail.fileName, thumbnail.reason});
        created = ModernPages(site, m_clock()).create();
    } else {
        created = CreateHTML(m_categoryCount, m_clock);
    }
    for (const PageOutcome& page : created) {
        if (!page.ok())
            failed.push_back({page.pageFileName, page.failure});
    }
    return failed;
}

// Sends every page over the run's connection; a failure is noted and the run
// goes on. After a cancel the rest are only noted.
std::vector<FailedPage> PublishRun::uploadPages(const FtpSettings& settings,
                                                const std::vector<FailedPage>& notWritten)
{
    bool noticeSaid = false;
    QHash<QString, QString> unwritten; // page file name -> why
    for (const FailedPage& page : notWritten)
        unwritten.insert(page.pageFileName, page.reason);
    const auto whyNotSent = [&](const QString& page, const QString& status) -> QString {
        // An old page left by an earlier run must not go out in its place.
        if (unwritten.contains(page))
            return unwritten.take(page);
        const QString localPath = dataFilePath(page);
        const QString remote = remoteNameInUploadPath(settings, page);
        // Names never go out cut.
        if (status.size() > NameBufferLimit)
            return tooLong(QStringLiteral("status text"));
        if (localPath.size() > NameBufferLimit)
            return tooLong(QStringLiteral("local path"));
        if (remote.isEmpty())
            return tooLong(QStringLiteral("remote name"));
        const bool sent = m_connection.putFile(localPath, remote, TransferType::Ascii);
        if (!m_connection.notice().isEmpty() && !noticeSaid) {
            noticeSaid = true;
            Q_EMIT statusChanged(m_connection.notice());
        }
        if (sent)
            return {};
        const QString& error = m_connection.lastError();
        return error.isEmpty() ? QStringLiteral("the upload failed") : error;
    };

    std::vector<FailedPage> failed;
    const auto upload = [&](const QString& page, const QString& status, int position) {
        if (isCancelled()) {
            failed.push_back({page, QStringLiteral("not sent: the run was cancelled")});
            return;
        }
        if (const QString& stopped = m_connection.stopReason(); !stopped.isEmpty()) {
            failed.push_back({page, QStringLiteral("not sent: ") + stopped});
            return;
        }
        Q_EMIT statusChanged(status);
        Q_EMIT progressChanged(position);
        if (const QString why = whyNotSent(page, status); !why.isEmpty())
            failed.push_back({page, why});
    };

    // Before the pages that show them.
    for (const QString& thumbnail : Thumbnails::unsent(settings, m_thumbnails)) {
        if (isCancelled()) {
            failed.push_back({thumbnail, QStringLiteral("not sent: the run was cancelled")});
            continue;
        }
        Q_EMIT statusChanged(uploadStatus(thumbnail));
        const QString remote = remoteNameInUploadPath(settings, thumbnail);
        if (remote.isEmpty()) {
            failed.push_back({thumbnail, tooLong(QStringLiteral("remote name"))});
        } else if (!m_connection.putFile(dataFilePath(thumbnail), remote, TransferType::Binary)) {
            failed.push_back({thumbnail, m_connection.lastError()});
        } else if (const Status noted = Thumbnails::noteSent(settings, thumbnail); !noted) {
            failed.push_back({thumbnail, noted.message()});
        }
    }

    const QString mainPage = QLatin1String(MainPageFileName);
    upload(mainPage, uploadStatus(mainPage) + QStringLiteral(" (main page)"), 1);
    int k = 0;
    // Listed again: a category added since the pages were written is sent as well.
    for (const FoundCategory& category : listCategories()) {
        ++k;
        // Named itself: it has no page of its own to send.
        if (unwritten.contains(category.fileName)) {
            failed.push_back({category.fileName, unwritten.take(category.fileName)});
            continue;
        }
        const QString page = categoryPageFileName(category.fileName);
        upload(page, uploadStatus(page), k + 1);
    }
    // What the generator found beyond the listing (a file name that is not UTF-8).
    for (const FailedPage& page : notWritten) {
        if (unwritten.contains(page.pageFileName))
            failed.push_back({page.pageFileName, unwritten.take(page.pageFileName)});
    }
    return failed;
}

PublishOutcome PublishRun::finish(std::vector<FailedPage> failedPages)
{
    PublishOutcome outcome{PublishOutcome::Result::Failed, std::move(failedPages),
                           m_connection.stopReason(), m_connection.untrustedKey()};
    if (outcome.untrustedKey) {
        outcome.result = PublishOutcome::Result::UntrustedKey;
    } else if (isCancelled() && !outcome.failedPages.empty()) {
        outcome.result = PublishOutcome::Result::Cancelled;
        Q_EMIT statusChanged(QString::fromUtf16(CancelledStatus));
    } else if (outcome.failedPages.empty()) {
        outcome.result = PublishOutcome::Result::Done;
        Q_EMIT statusChanged(QString::fromUtf16(DoneStatus));
    }
    Q_EMIT finished(outcome);
    return outcome;
}

} // namespace wareloom
