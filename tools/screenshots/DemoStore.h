#pragma once

#include "core/store/DataDirectory.h"

#include <QColor>
#include <QString>

#include <vector>

// The sample shop the screenshots show: a few categories, names with blanks
// and accents, items with prices, quantities and codes, some with a picture.
namespace wareloom::screenshots {

struct DemoItem
{
    QString name;
    QString price;
    QString qty;
    QString code;
    QColor pictureColour; // invalid: the item has no picture
};

struct DemoCategory
{
    QString name;
    std::vector<DemoItem> items;
};

// The category whose items go in through the Add Item dialog, pictures
// included, and whose published page is shown.
const DemoCategory& pictureCategory();
// The other categories, written straight into the store.
const std::vector<DemoCategory>& plainCategories();

// Draws a simple picture of the item (a pot in the item's colour on a light
// table) and saves it as a JPEG at path, as a seller's photo would be.
bool writeDemoPicture(const DemoItem& item, const QString& path);

// Creates the category file in store and writes its items through the store.
bool writeCategory(const DataDirectory& store, const DemoCategory& category);

} // namespace wareloom::screenshots
