#include "core/publish/HeadlessPublish.h"

#include "core/pages/PageFiles.h"
#include "core/publish/PublishRun.h"
#include "core/publish/RunLock.h"
#include "core/publish/SiteCheck.h"
#include "core/store/CategoryStore.h"
#include "core/transfer/FtpSettings.h"
#include "core/transfer/KnownHosts.h"
#include "core/transfer/Networking.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(HeadlessPublish)
};

enum ExitStatus {
    Success = 0,
    PagesFailed = 1,
    NoSettings = 2,
    NoNetwork = 3,
    FolderBusy = 4,
    UntrustedKey = 5,
};

void print(const QString& line, FILE* stream = stderr)
{
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
}

void reportUntrustedKey(const DataDirectory& store, const std::optional<HostKey>& key);

void reportEnd(const DataDirectory& store, const PublishOutcome& outcome, bool generateOnly)
{
    if (outcome.result == PublishOutcome::Result::NoSettings) {
        print(Texts::tr("Error: No FTP settings: %1 cannot be read. Enter them in "
                        "FTP Settings first.")
                  .arg(QDir::toNativeSeparators(FtpSettings::filePath(store))));
        return;
    }
    if (outcome.failedPages.empty())
        return;
    print(generateOnly ? Texts::tr("Error: these pages could not be written:")
                       : Texts::tr("FTP Error: these pages were not uploaded:"));
    for (const FailedPage& page : outcome.failedPages)
        print(Texts::tr("  %1: %2").arg(page.pageFileName, page.reason));
    if (!generateOnly)
        print(Texts::tr("Check your FTP settings and internet connection."));
    reportUntrustedKey(store, outcome.untrustedKey);
}

// Never asked here: the user decides, and adds the line.
void reportUntrustedKey(const DataDirectory& store, const std::optional<HostKey>& key)
{
    if (key) {
        print(key->isChanged()
                  ? Texts::tr("Error: the key of %1 has changed: it was %2 and is now %3.")
                        .arg(key->hostPort, key->known, key->offered)
                  : Texts::tr("Error: the key of %1 is not trusted: its SHA-256 "
                              "fingerprint is %2.")
                        .arg(key->hostPort, key->offered));
        if (!key->whyUntrusted.isEmpty())
            print(Texts::tr("  Not accepted because %1.").arg(key->whyUntrusted));
        if (!key->certificateSha256.isEmpty())
            print(Texts::tr("  Certificate SHA-256 fingerprint: %1").arg(key->certificateSha256));
        print(Texts::tr("To trust it, put this line in %1:")
                  .arg(QDir::toNativeSeparators(KnownHosts::filePath(store))));
        print(key->line());
    }
}

void reportSummary(const PublishOutcome& outcome)
{
    if (!outcome.stalePages.isEmpty()) {
        print(Texts::tr("These pages on the web host belong to categories that are gone "
                        "(-Prune deletes them):"));
        for (const QString& page : outcome.stalePages)
            print(QStringLiteral("  ") + page);
    }
    print(Texts::tr("Summary: %1 sent, %2 unchanged, %3 failed")
              .arg(outcome.sent)
              .arg(outcome.unchanged)
              .arg(outcome.failedPages.size()));
}

int exitStatus(const PublishOutcome& outcome)
{
    switch (outcome.result) {
    case PublishOutcome::Result::Done:
        return Success;
    case PublishOutcome::Result::NoSettings:
        return NoSettings;
    case PublishOutcome::Result::UntrustedKey:
        return UntrustedKey;
    case PublishOutcome::Result::Failed:
    case PublishOutcome::Result::Cancelled:
        break;
    }
    return PagesFailed;
}

} // namespace

int runHeadlessPublish(const DataDirectory& store, bool generateOnly, PublishOptions options,
                       const ThumbnailMaker& makeThumbnail)
{
    if (!generateOnly && !startNetworking()) {
        print(Texts::tr("Error: the network library cannot be started."));
        return NoNetwork;
    }
    if (!QFileInfo(store.path()).isDir()) {
        print(Texts::tr("Error: the data directory %1 does not exist.")
                  .arg(QDir::toNativeSeparators(store.path())));
        return PagesFailed;
    }
    RunLock lock(store.path());
    if (const RunLock::Result locked = lock.acquire(); locked != RunLock::Result::Held) {
        print(Texts::tr("Error: %1").arg(lock.message()));
        return locked == RunLock::Result::Busy ? FolderBusy : PagesFailed;
    }
    PageFiles::removeLeftovers(store.path());
    removeLeftoverSaveFiles(store.path(), LeftoverAge);
    // No main window has counted the categories: the run counts the files.
    PublishRun run(store, std::nullopt,
                   generateOnly ? PublishRun::Mode::GenerateOnly : PublishRun::Mode::Publish);
    run.setThumbnailMaker(makeThumbnail);
    run.setOptions(options);
    // The run on standard error: each status, each position as "position of
    // range", and what went wrong.
    int maximum = 0;
    QObject::connect(&run, &PublishRun::statusChanged,
                     [](const QString& status) { print(status); });
    QObject::connect(&run, &PublishRun::progressRangeChanged,
                     [&maximum](int, int last) { maximum = last; });
    QObject::connect(&run, &PublishRun::progressChanged, [&maximum](int position) {
        print(Texts::tr("  %1 of %2").arg(position).arg(maximum));
    });
    const PublishOutcome outcome = run.run();
    reportEnd(store, outcome, generateOnly);
    if (!generateOnly && outcome.result != PublishOutcome::Result::NoSettings)
        reportSummary(outcome);
    return exitStatus(outcome);
}

int runHeadlessCheck(const DataDirectory& store)
{
    if (!startNetworking()) {
        print(Texts::tr("Error: the network library cannot be started."));
        return NoNetwork;
    }
    const SiteCheckOutcome outcome = SiteCheck(store).run();
    switch (outcome.result) {
    case SiteCheckOutcome::Result::NoSettings:
        print(Texts::tr("Error: No FTP settings: %1 cannot be read. Enter them in "
                        "FTP Settings first.")
                  .arg(QDir::toNativeSeparators(FtpSettings::filePath(store))));
        return NoSettings;
    case SiteCheckOutcome::Result::UntrustedKey:
        reportUntrustedKey(store, outcome.untrustedKey);
        return UntrustedKey;
    case SiteCheckOutcome::Result::NotChecked:
        print(Texts::tr("Error: the website was not checked: %1").arg(outcome.stopReason));
        return PagesFailed;
    case SiteCheckOutcome::Result::Checked:
        break;
    }
    // The findings are the report: standard output.
    for (const QString& finding : outcome.findings)
        print(finding, stdout);
    print(outcome.summary(), stdout);
    return outcome.isWhole() ? Success : PagesFailed;
}

} // namespace wareloom
