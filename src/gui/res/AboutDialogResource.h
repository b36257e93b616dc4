#pragma once

#include "gui/platform/DialogTemplate.h"

namespace wareloom {

constexpr int IDD_ABOUTBOX = 100;

const DialogTemplate& aboutDialogTemplate();

} // namespace wareloom
