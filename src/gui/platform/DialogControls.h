#pragma once

#include "gui/platform/DialogTemplate.h"

class QWidget;

namespace wareloom {

// Makes the widget of one template control as a child of parent; the caller
// places it.
QWidget* createControl(const ControlTemplate& control, QWidget* parent);

} // namespace wareloom
