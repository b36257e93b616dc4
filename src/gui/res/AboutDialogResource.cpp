#include "gui/res/AboutDialogResource.h"

#include "gui/platform/StandardIds.h"
#include "gui/res/ApplicationIcon.h"

namespace wareloom {

const DialogTemplate& aboutDialogTemplate()
{
    static const DialogTemplate dialog{
        QStringLiteral("About Wareloom"),
        QStringLiteral("Courier New"),
        10,
        {235, 127},
        {
            iconStatic(IDC_STATIC, &applicationIcon, {12, 12, 21, 20}),
            label(IDC_STATIC, QStringLiteral("Wareloom Version 1.0"), {40, 14, 185, 10}),
            label(IDC_STATIC, QStringLiteral("Copyright (C) 2026 The Wareloom developers"),
                  {40, 32, 185, 10}),
            label(IDC_STATIC, QStringLiteral("E-mail: wareloom@example.org"), {40, 50, 185, 10}),
            label(IDC_STATIC, QStringLiteral("Web: https://wareloom.example.org/"),
                  {40, 68, 185, 10}),
            defPushButton(IDOK, QStringLiteral("OK"), {178, 102, 50, 16}),
        },
    };
    return dialog;
}

} // namespace wareloom
