#include "editing/DialogOpening.h"

namespace wareloom {

// Stub: the Edit Item dialog lands with its own work; until then nothing opens.
void openEditItemDialog() {}

} // namespace wareloom
