#include "core/publish/HeadlessPublish.h"

#include "core/transfer/Sockets.h"
#include "core/publish/PublishRun.h"
#include "core/transfer/SettingsFile.h"
#include "core/store/CategoryStore.h"

#include <QDir>

#include <cstdio>

namespace wareloom {
namespace {

enum ExitStatus { Success = 0, PagesFailed = 1, NoSettings = 2, NoNetwork = 3 };

void print(const QString& line)
{
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
}

// The run on standard error: each status, each position as "position of
// range", and what went wrong.
class ConsoleProgress : public PublishObserver
{
public:
    explicit ConsoleProgress(bool generateOnly) : m_generateOnly(generateOnly) {}

    void statusChanged(const QString& status) override { print(status); }

    void progressRangeChanged(int minimum, int maximum) override
    {
        Q_UNUSED(minimum);
        m_maximum = maximum;
    }

    void progressChanged(int position) override
    {
        print(QStringLiteral("  %1 of %2").arg(position).arg(m_maximum));
    }

    void runEnded(const PublishOutcome& outcome) override
    {
        if (outcome.result == PublishOutcome::Result::NoSettings) {
            print(QStringLiteral("Error: No FTP settings: %1 cannot be read. Enter them in "
                                 "FTP Settings first.")
                      .arg(QDir::toNativeSeparators(settingsFilePath())));
            return;
        }
        if (outcome.failedPages.empty())
            return;
        print(m_generateOnly ? QStringLiteral("Error: these pages could not be written:")
                             : QStringLiteral("FTP Error: these pages were not uploaded:"));
        for (const FailedPage& page : outcome.failedPages)
            print(QStringLiteral("  %1: %2").arg(page.pageFileName, page.reason));
        if (!m_generateOnly)
            print(QStringLiteral("Check your FTP settings and internet connection."));
    }

private:
    bool m_generateOnly;
    int m_maximum = 0;
};

int exitStatus(const PublishOutcome& outcome)
{
    switch (outcome.result) {
    case PublishOutcome::Result::Done:
        return Success;
    case PublishOutcome::Result::Failed:
        return PagesFailed;
    case PublishOutcome::Result::NoSettings:
        return NoSettings;
    }
    return PagesFailed;
}

} // namespace

int runHeadlessPublish(bool generateOnly)
{
    if (!generateOnly && !startSockets()) {
        print(QStringLiteral("Error: the network library cannot be started."));
        return NoNetwork;
    }
    ConsoleProgress progress(generateOnly);
    // No main window has counted the categories: count the files.
    const int categoryCount = int(listCategories().size());
    return exitStatus(generateOnly ? runGeneratePages(categoryCount, progress)
                                   : runPublish(categoryCount, progress));
}

} // namespace wareloom
