#include "gui/res/FTPDialogResource.h"

#include "gui/platform/StandardIds.h"

namespace wareloom {

const DialogTemplate& ftpDialogTemplate()
{
    static const DialogTemplate dialog{
        QStringLiteral("Wareloom - FTP Upload"),
        QStringLiteral("Courier New"),
        11,
        {186, 95},
        {
            defPushButton(IDOK, QStringLiteral("OK"), {7, 72, 172, 16}),
            label(IDC_STATIC, QStringLiteral("Status:"), {7, 7, 40, 10}),
            label(IDC_UPLOAD_STATUS, QStringLiteral("Creating HTML"), {50, 7, 129, 35},
                  ControlStyle::WordWrap),
            progressBar(IDC_UPLOAD_PROGRESS, {7, 50, 172, 14}),
        },
    };
    return dialog;
}

} // namespace wareloom
