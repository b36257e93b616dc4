#include "gui/publish/SettingsPrompt.h"

#include "core/transfer/SettingsFile.h"
#include "gui/platform/MessageBox.h"

namespace wareloom {

bool loadSettingsOrTell(QWidget* owner)
{
    if (loadSettings())
        return true;
    messageBox(owner, QString::fromUtf16(NoSettingsMessage), QStringLiteral("Wareloom"));
    return false;
}

} // namespace wareloom
