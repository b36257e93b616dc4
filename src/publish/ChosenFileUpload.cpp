#include "publish/ChosenFileUpload.h"

#include "platform/MessageBox.h"
#include "publish/HostTransfer.h"
#include "publish/RemoteName.h"
#include "publish/SettingsPrompt.h"

#include <QWidget>

namespace wareloom {

void uploadChosenFile(QWidget* window, const QString& chosenPath, const QString& fileName,
                      const QString& progressTitle, const QString& successText)
{
    const QString programTitle = QStringLiteral("Wareloom");
    window->setWindowTitle(progressTitle);
    const bool sent = chosenPath.size() <= NameBufferLimit &&
                      uploadToHost(chosenPath, fileName, TransferType::Binary);
    messageBox(window, sent ? successText : QString::fromUtf16(FtpErrorMessage), programTitle);
    window->setWindowTitle(programTitle);
}

} // namespace wareloom
