#include "gui/publish/WebHost.h"

#include "core/publish/PublishRecord.h"
#include "core/transfer/HostTransfer.h"
#include "core/transfer/RemoteName.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/publish/FtpSettingsDialog.h"
#include "gui/publish/HostKeyQuestion.h"
#include "gui/publish/PublishDialog.h"
#include "gui/publish/SiteCheckDialog.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QFileInfo>
#include <QThread>
#include <QUrl>

namespace wareloom {
namespace {

const QString ProgramTitle = QStringLiteral("Wareloom");

} // namespace

WebHost::WebHost(QWidget* owner, DataDirectory store)
    : m_owner(owner), m_store(std::move(store)), m_settings(m_store)
{}

bool WebHost::settingsOrTell()
{
    if (m_settings.load())
        return true;
    tell(QCoreApplication::translate("FtpSettings", NoSettingsMessage));
    return false;
}

void WebHost::publish(int categoryCount, PublishOptions options)
{
    PublishDialog dialog(m_store, categoryCount, m_owner, options);
    dialog.exec();
}

void WebHost::editSettings()
{
    FtpSettingsDialog dialog(m_store, m_owner);
    dialog.exec();
}

void WebHost::uploadBanner()
{
    if (!settingsOrTell())
        return;
    const std::optional<QString> chosen = openFileDialog();
    if (!chosen)
        return;
    sendChosenFile(*chosen, QStringLiteral("banner.gif"), QStringLiteral("-> Banner.gif"),
                   tr("Banner Uploaded!"));
}

void WebHost::openWebsite()
{
    if (!settingsOrTell())
        return;
    // As stored: no scheme or page added, not even checked for being empty.
    const QString address = m_settings.text(SettingsField::HttpServer);
    if (!QDesktopServices::openUrl(QUrl(address))) // false when no browser could be started
        tell(tr("No web browser could be started for \"%1\".").arg(address));
}

void WebHost::uploadPicture(const QString& chosenPath, const QString& pictureFileName,
                            const std::optional<HostFile>& thumbnail)
{
    // The file is the authority: loaded again right before use.
    if (const Status loaded = m_settings.load(); !loaded) {
        tellFtpError(loaded);
        return;
    }
    sendChosenFile(chosenPath, pictureFileName, pictureFileName, tr("Image Uploaded!"), thumbnail);
}

void WebHost::deleteFiles(const QStringList& fileNames)
{
    if (!settingsOrTell())
        return;
    const FtpSettings settings = m_settings;
    const Status deleted = withTrustedHost([&](std::optional<HostKey>* untrusted) {
        return deleteFromHost(settings, fileNames, untrusted);
    });
    if (!deleted)
        tellFtpError(deleted);
}

void WebHost::checkWebsite()
{
    if (!settingsOrTell())
        return;
    SiteCheckDialog dialog(m_store, m_owner);
    dialog.exec();
}

// A chosen path longer than a name buffer holds is a failed upload, never a
// cut one; so is one that is not a regular file (a pipe or a device could
// block or never end).
void WebHost::sendChosenFile(const QString& chosenPath, const QString& fileName,
                             const QString& progressTitle, const QString& successText,
                             const std::optional<HostFile>& before)
{
    if (m_owner)
        m_owner->setWindowTitle(progressTitle);
    Status sent = Status::success();
    if (chosenPath.size() > NameBufferLimit) {
        sent = Status::failure(tr("the path of the chosen file is longer than %1 "
                                  "characters")
                                   .arg(NameBufferLimit));
    } else if (!QFileInfo(chosenPath).isFile()) {
        sent = Status::failure(tr("%1 is not a file").arg(chosenPath));
    } else {
        const FtpSettings settings = m_settings;
        std::vector<HostFile> files;
        if (before)
            files.push_back(*before);
        files.push_back({chosenPath, fileName});
        sent = withTrustedHost([&](std::optional<HostKey>* untrusted) {
            return uploadToHost(settings, files, untrusted);
        });
        // What the host now holds, for the next publish and the site check.
        for (std::size_t i = 0; sent && i < files.size(); ++i)
            sent = PublishRecord::noteSentNow(m_store, settings, files[i].fileName,
                                              files[i].localPath);
    }
    if (sent)
        tell(successText);
    else
        tellFtpError(sent);
    if (m_owner)
        m_owner->setWindowTitle(ProgramTitle);
}

Status WebHost::withTrustedHost(const std::function<Status(std::optional<HostKey>*)>& operation)
{
    std::optional<HostKey> untrusted;
    Status first = offGuiThread([&] { return operation(&untrusted); });
    if (first || !untrusted || !askToTrustHostKey(m_owner, *untrusted, m_settings.knownHostsPath()))
        return first;
    return offGuiThread([&] { return operation(nullptr); });
}

Status WebHost::offGuiThread(const std::function<Status()>& work)
{
    Status result = Status::success();
    QThread* worker = QThread::create([&] { result = work(); });
    const bool wasEnabled = m_owner && m_owner->isEnabled();
    if (wasEnabled)
        m_owner->setEnabled(false);
    QEventLoop waiting;
    QObject::connect(worker, &QThread::finished, &waiting, &QEventLoop::quit);
    worker->start();
    waiting.exec();
    worker->wait();
    delete worker;
    if (wasEnabled && m_owner)
        m_owner->setEnabled(true);
    return result;
}

void WebHost::tell(const QString& text)
{
    messageBox(m_owner, text, ProgramTitle);
}

void WebHost::tellFtpError(const Status& failure)
{
    tell(tr("FTP Error!\n\n") + failure.message());
}

} // namespace wareloom
