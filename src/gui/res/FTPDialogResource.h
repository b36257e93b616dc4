#pragma once

#include "gui/platform/DialogTemplate.h"

namespace wareloom {

constexpr int IDD_FTPDIALOG = 137;
constexpr int IDC_UPLOAD_STATUS = 1011;
constexpr int IDC_UPLOAD_PROGRESS = 1012;

// The publish dialog: what the run is doing and how far it has got.
const DialogTemplate& ftpDialogTemplate();

} // namespace wareloom
