#include "BrowserShot.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include <cstdio>

namespace wareloom::screenshots {

bool renderPage(const QString& chromium, const QString& htmlFile, const QString& pngPath,
                QSize windowSize)
{
    QTemporaryDir profile;
    QFile::remove(pngPath);
    QProcess browser;
    // Chromium talks a lot about the missing D-Bus; its words matter only
    // when it fails.
    browser.setProcessChannelMode(QProcess::MergedChannels);
    // No sandbox: the script runs as root. Nothing goes to the network.
    browser.start(
        chromium,
        {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
         QStringLiteral("--disable-gpu"), QStringLiteral("--disable-quic"),
         QStringLiteral("--no-first-run"), QStringLiteral("--disable-background-networking"),
         QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
         QStringLiteral("--hide-scrollbars"), QStringLiteral("--lang=en-US"),
         QStringLiteral("--user-data-dir=") + profile.path(),
         QStringLiteral("--window-size=%1,%2").arg(windowSize.width()).arg(windowSize.height()),
         QStringLiteral("--screenshot=") + pngPath,
         QUrl::fromLocalFile(htmlFile).toString(QUrl::FullyEncoded)});
    if (!browser.waitForFinished(120000)) {
        std::fprintf(stderr, "Chromium did not finish: %s\n", qPrintable(browser.errorString()));
        browser.kill();
        browser.waitForFinished(5000);
        return false;
    }
    if (browser.exitStatus() != QProcess::NormalExit || !QFile::exists(pngPath)) {
        std::fprintf(stderr, "%s\nChromium made no screenshot (exit %d)\n",
                     browser.readAll().constData(), browser.exitCode());
        return false;
    }
    return true;
}

} // namespace wareloom::screenshots
