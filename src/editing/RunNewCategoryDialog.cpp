#include "editing/DialogOpening.h"

namespace wareloom {

// Stub: the New Category dialog lands with its own work; until then nothing opens.
void runNewCategoryDialog() {}

} // namespace wareloom
