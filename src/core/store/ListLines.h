#pragma once

#include "core/store/ItemRecord.h"

#include <QCoreApplication>
#include <QString>

// The lines of the main window's list. Columns are made of spaces for the
// fixed-pitch font.
namespace wareloom {

// "CATEGORY - " + name, padded with spaces to 80 characters, then the count
// right-aligned in three (more when it has more digits).
QString categoryLine(const QString& categoryName, int itemCount);

// Name padded to 61 characters, then qty, price and code, each right-aligned
// in ten after two, one and one spaces.
QString itemLine(const ItemRecord& record);

// The first line of the item view.
inline QString backEntry()
{
    return QCoreApplication::translate("ListLines", "<-Back");
}

} // namespace wareloom
