#include "core/publish/PublishRun.h"

#include "core/transfer/FtpConnection.h"
#include "core/pages/CategoryPage.h"
#include "core/transfer/RemoteName.h"
#include "core/transfer/SettingsConnection.h"
#include "core/transfer/SettingsFile.h"
#include "core/store/CategoryStore.h"

#include <QHash>

namespace wareloom {
namespace {

// Writes the pages, showing "Creating HTML" meanwhile; the pages that must
// not go out as they stand, in the generator's order.
std::vector<FailedPage> createPages(int categoryCount, PublishObserver& observer,
                                    const PageClock& clock)
{
    observer.statusChanged(QString::fromUtf16(CreatingHtmlStatus));
    std::vector<FailedPage> failed;
    for (const PageOutcome& page : CreateHTML(categoryCount, clock)) {
        if (!page.ok())
            failed.push_back({page.pageFileName, page.failure});
    }
    return failed;
}

// Ends a run that got through every page: "Done" when nothing failed.
PublishOutcome finish(std::vector<FailedPage> failedPages, PublishObserver& observer)
{
    PublishOutcome outcome{PublishOutcome::Result::Failed, std::move(failedPages)};
    if (outcome.failedPages.empty()) {
        outcome.result = PublishOutcome::Result::Done;
        observer.statusChanged(QString::fromUtf16(DoneStatus));
    }
    observer.runEnded(outcome);
    return outcome;
}

QString tooLong(const QString& what)
{
    return QStringLiteral("its %1 is longer than %2 characters").arg(what).arg(NameBufferLimit);
}

// The uploads of one run over its one connection; a failure is noted and
// the run goes on.
class PageUploads
{
public:
    PageUploads(FtpConnection& connection, PublishObserver& observer,
                const std::vector<FailedPage>& notWritten)
        : m_connection(connection), m_observer(observer)
    {
        for (const FailedPage& page : notWritten)
            m_notWritten.insert(page.pageFileName, page.reason);
    }

    void upload(const QString& pageFileName, const QString& status, int position)
    {
        m_observer.statusChanged(status);
        const QString localPath = dataFilePath(pageFileName);
        const QString remote = remoteNameInUploadPath(pageFileName);
        m_observer.progressChanged(position);
        if (const QString why = whyNotSent(status, localPath, remote, pageFileName); !why.isEmpty())
            m_failed.push_back({pageFileName, why});
    }

    std::vector<FailedPage> takeFailed() { return std::move(m_failed); }

private:
    // Empty when the page went out.
    QString whyNotSent(const QString& status, const QString& localPath, const QString& remote,
                       const QString& pageFileName)
    {
        // An old page left by an earlier run must not go out in its place.
        if (const auto failure = m_notWritten.constFind(pageFileName);
            failure != m_notWritten.cend())
            return failure.value();
        // Names never go out cut.
        if (status.size() > NameBufferLimit)
            return tooLong(QStringLiteral("status text"));
        if (localPath.size() > NameBufferLimit)
            return tooLong(QStringLiteral("local path"));
        if (remote.isEmpty())
            return tooLong(QStringLiteral("remote name"));
        if (m_connection.putFile(localPath, remote, TransferType::Ascii))
            return {};
        const QString& error = m_connection.lastError();
        return error.isEmpty() ? QStringLiteral("the upload failed") : error;
    }

    FtpConnection& m_connection;
    PublishObserver& m_observer;
    QHash<QString, QString> m_notWritten; // page file name -> why
    std::vector<FailedPage> m_failed;
};

QString uploadStatus(const QString& pageFileName)
{
    return QStringLiteral("Upload -> ") + pageFileName;
}

} // namespace

PublishOutcome runPublish(int categoryCount, PublishObserver& observer, const PageClock& clock)
{
    observer.progressRangeChanged(1, categoryCount + 1);
    if (!loadSettings()) {
        const PublishOutcome outcome{PublishOutcome::Result::NoSettings, {}};
        observer.runEnded(outcome);
        return outcome;
    }
    const std::vector<FailedPage> notWritten = createPages(categoryCount, observer, clock);

    FtpConnection connection;
    openFtpConnection(connection);
    PageUploads uploads(connection, observer, notWritten);
    const QString mainPage = QLatin1String(MainPageFileName);
    uploads.upload(mainPage, uploadStatus(mainPage) + QStringLiteral(" (main page)"), 1);
    int k = 0;
    // Listed again: a category added since the pages were written is sent as well.
    for (const FoundCategory& category : listCategories()) {
        ++k;
        const QString page = categoryPageFileName(category.fileName);
        uploads.upload(page, uploadStatus(page), k + 1);
    }

    const PublishOutcome outcome = finish(uploads.takeFailed(), observer);
    connection.close();
    return outcome;
}

PublishOutcome runGeneratePages(int categoryCount, PublishObserver& observer,
                                const PageClock& clock)
{
    return finish(createPages(categoryCount, observer, clock), observer);
}

} // namespace wareloom
