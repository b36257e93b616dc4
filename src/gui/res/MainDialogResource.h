#pragma once

#include "gui/platform/DialogTemplate.h"

namespace wareloom {

constexpr int IDD_WARELOOM_DIALOG = 102;
constexpr int IDC_LIST = 1000;
constexpr int IDC_HEADING = 1009; // "Category List" or the open category's name
constexpr int IDC_NUMBER = 1010;  // total item count, or the open category's

const DialogTemplate& mainDialogTemplate();

// Menu 132, the main dialog's menu bar.
constexpr int IDR_MAINMENU = 132;
const MenuTemplate& mainMenuTemplate();

} // namespace wareloom
