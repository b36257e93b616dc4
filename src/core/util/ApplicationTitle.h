#pragma once

#include <QString>

namespace wareloom {

// The caption of the program's own message boxes: the program file's base name.
QString applicationTitle();

} // namespace wareloom
