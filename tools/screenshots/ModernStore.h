#pragma once

#include "core/store/DataDirectory.h"

#include <QString>

namespace wareloom::screenshots {

// The category of the modern demo store with 50 items, all with pictures.
QString fullCategoryName();

// Writes the demo shop in the modern style into the data directory, with a
// category of 50 items with pictures, and generates its pages there.
bool writeModernStore(const DataDirectory& store);

// Renders the published modern store on a phone (a 390 px frame: headless
// Chromium makes no window narrower than 500 px) and on a desktop.
bool shootModernStore(const DataDirectory& store, const QString& chromium,
                      const QString& outDirectory);

} // namespace wareloom::screenshots
