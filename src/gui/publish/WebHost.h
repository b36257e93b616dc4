#pragma once

#include "core/publish/PublishRun.h"
#include "core/transfer/FtpSettings.h"
#include "core/transfer/HostTransfer.h"
#include "core/transfer/KnownHosts.h"

#include <QCoreApplication>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

namespace wareloom {

// The window side of every operation on the web host, for the window that
// gives the command (the owner: it owns the message boxes, and its title
// tells what is being sent). Every transfer runs on a worker thread with the
// owner disabled and the event loop running meanwhile.
class WebHost
{
    Q_DECLARE_TR_FUNCTIONS(WebHost)

public:
    WebHost(QWidget* owner, DataDirectory store);

    // Loads the settings; shows "No FTP/HTTP settings!" owned by owner and
    // returns false when none.
    bool settingsOrTell();

    // HTML > FTP Upload and the toolbar button: runs the publish dialog.
    // HTML > Upload All Pages: the same, sending every page.
    void publish(int categoryCount, PublishOptions options = {});
    // HTML > FTP Settings: runs the FTP Settings dialog.
    void editSettings();
    // HTML > WebSite Banner Upload: a file of the user's choice goes to the
    // host as banner.gif, whatever it holds; "Banner Uploaded!" or "FTP Error!".
    void uploadBanner();
    // HTML > WebSite: the HTTP server text goes to the desktop as stored;
    // told only when no browser could be started.
    void openWebsite();

    // Picture Upload's transfer (settings already checked by the caller):
    // sends chosenPath byte for byte as pictureFileName, after the thumbnail
    // when there is one (the modern style), on one login; "Image Uploaded!"
    // or "FTP Error!" and the reason. The owner's title is pictureFileName
    // until the box is dismissed, then "Wareloom".
    void uploadPicture(const QString& chosenPath, const QString& pictureFileName,
                       const std::optional<HostFile>& thumbnail = {});

    // Loads the settings (or tells), deletes the files on the host on one
    // login; "FTP Error!" and the reason on failure.
    void deleteFiles(const QStringList& fileNames);

    // HTML > Check Website: checks the site on the host and lists what is
    // wrong with it in a dialog.
    void checkWebsite();

private:
    void sendChosenFile(const QString& chosenPath, const QString& fileName,
                        const QString& progressTitle, const QString& successText,
                        const std::optional<HostFile>& before = {});
    // Runs operation off the GUI thread; when the host's key was new and the
    // user trusts it, runs it once more.
    Status withTrustedHost(const std::function<Status(std::optional<HostKey>*)>& operation);
    // Runs work on a worker thread; the owner is disabled until it ends.
    Status offGuiThread(const std::function<Status()>& work);
    void tell(const QString& text);
    void tellFtpError(const Status& failure);

    QPointer<QWidget> m_owner;
    DataDirectory m_store;
    FtpSettings m_settings; // as settingsOrTell() last loaded them
};

} // namespace wareloom
