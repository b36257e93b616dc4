#include "publish/SettingsPrompt.h"

#include "platform/MessageBox.h"
#include "publish/SettingsFile.h"

namespace wareloom {

bool loadSettingsOrTell(QWidget* owner)
{
    if (loadSettings())
        return true;
    messageBox(owner, QString::fromUtf16(NoSettingsMessage), QStringLiteral("Wareloom"));
    return false;
}

} // namespace wareloom
