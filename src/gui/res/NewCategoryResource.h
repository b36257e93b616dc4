#pragma once

#include "gui/platform/DialogTemplate.h"

namespace wareloom {

constexpr int IDD_NEWCATEGORY = 130;

const DialogTemplate& newCategoryTemplate();

} // namespace wareloom
