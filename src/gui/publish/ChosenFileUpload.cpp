#include "gui/publish/ChosenFileUpload.h"

#include "core/transfer/HostTransfer.h"
#include "core/transfer/RemoteName.h"
#include "gui/platform/MessageBox.h"
#include "gui/publish/SettingsPrompt.h"

#include <QFileInfo>
#include <QWidget>

namespace wareloom {

void uploadChosenFile(QWidget* window, const QString& chosenPath, const QString& fileName,
                      const QString& progressTitle, const QString& successText)
{
    const QString programTitle = QStringLiteral("Wareloom");
    window->setWindowTitle(progressTitle);
    // Reading a pipe or a device could block or never end.
    const bool sent = chosenPath.size() <= NameBufferLimit && QFileInfo(chosenPath).isFile() &&
                      uploadToHost(chosenPath, fileName, TransferType::Binary);
    messageBox(window, sent ? successText : QString::fromUtf16(FtpErrorMessage), programTitle);
    window->setWindowTitle(programTitle);
}

} // namespace wareloom
