#pragma once

#include "gui/platform/DialogTemplate.h"

namespace wareloom {

constexpr int IDD_INVENTORYEDIT = 129;

const DialogTemplate& inventoryEditTemplate();

// Menu 134, the Edit Item dialog's menu bar.
constexpr int IDR_EDITITEMMENU = 134;
const MenuTemplate& editItemMenuTemplate();

} // namespace wareloom
