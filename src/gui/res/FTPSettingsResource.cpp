#include "gui/res/FTPSettingsResource.h"

#include "gui/platform/StandardIds.h"

namespace wareloom {

// Labels in a column on the left, the boxes beside them, each hint under its
// box; rows from top to bottom: user name, password, FTP server, upload path,
// HTTP server.
const DialogTemplate& ftpSettingsTemplate()
{
    using ControlStyle::VCentre;
    static const DialogTemplate dialog{
        QStringLiteral("Wareloom - FTP Settings"),
        QStringLiteral("Courier New"),
        10,
        {299, 218},
        {
            defPushButton(IDOK, QStringLiteral("OK"), {232, 192, 60, 18}),
            pushButton(IDCANCEL, QStringLiteral("Cancel"), {7, 192, 60, 18}),
            label(IDC_STATIC, QStringLiteral("Username:"), {7, 12, 60, 14}, VCentre),
            editText(IDC_FTP_USERNAME, {72, 12, 220, 14}),
            label(IDC_STATIC, QStringLiteral("Password:"), {7, 36, 60, 14}, VCentre),
            label(IDC_STATIC, QStringLiteral("FTP Server:"), {7, 60, 60, 14}, VCentre),
            editText(IDC_FTP_PASSWORD, {72, 36, 220, 14}),
            editText(IDC_FTP_SERVER, {72, 60, 220, 14}),
            label(IDC_STATIC, QStringLiteral("Upload Path:"), {7, 100, 60, 14}, VCentre),
            editText(IDC_FTP_UPLOADPATH, {72, 100, 220, 14}),
            label(IDC_STATIC, QStringLiteral("HTTP Server:"), {7, 140, 60, 14}, VCentre),
            editText(IDC_FTP_HTTPSERVER, {72, 140, 220, 14}),
            borderedStatic(IDC_STATIC, QStringLiteral("eg: ftp.example.com"), {72, 77, 220, 12},
                           VCentre),
            borderedStatic(IDC_STATIC, QStringLiteral("eg:  /htdocs/"), {72, 117, 220, 12},
                           VCentre),
            borderedStatic(IDC_STATIC, QStringLiteral("eg. http://www.example.com/inventory.htm"),
                           {72, 157, 220, 12}, VCentre),
        },
    };
    return dialog;
}

} // namespace wareloom
