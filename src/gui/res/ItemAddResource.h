#pragma once

#include "gui/platform/DialogTemplate.h"

namespace wareloom {

constexpr int IDD_ITEMADD = 131;

const DialogTemplate& itemAddTemplate();

} // namespace wareloom
