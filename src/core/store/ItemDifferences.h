#pragma once

#include "core/store/CategoryStore.h"

#include <QStringList>

namespace wareloom {

// What making one list of items the category's would do to another, item
// names matched in file order: the items it brings, those it takes away, and
// those whose price, quantity or code (or bytes) differ.
struct ItemDifferences
{
    QStringList added;
    QStringList removed;
    QStringList changed;
};

ItemDifferences compareItems(const ItemRecords& from, const ItemRecords& to);

// The item records of a category file's bytes; a cut record at the end is left out.
ItemRecords recordsOf(QByteArrayView bytes);

} // namespace wareloom
