#pragma once

#include "gui/platform/DialogTemplate.h"

namespace wareloom {

constexpr int IDD_FTPSETTINGS = 133;
// The five boxes, one per settings field.
constexpr int IDC_FTP_USERNAME = 1001;
constexpr int IDC_FTP_PASSWORD = 1002;
constexpr int IDC_FTP_SERVER = 1003;
constexpr int IDC_FTP_UPLOADPATH = 1004;
constexpr int IDC_FTP_HTTPSERVER = 1007;

const DialogTemplate& ftpSettingsTemplate();

} // namespace wareloom
