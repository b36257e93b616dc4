#pragma once

#include <QString>

namespace wareloom {

// What the main window's list shows and what it hands to the dialogs it opens.
// Process-wide: the item and category dialogs read and set it too.
struct BrowserState
{
    bool categoryView = true; // the next rebuild builds the category view
    bool refresh = true;      // the list timer rebuilds the list at its next tick
    QString currentCategoryName;
    QString currentCategoryPath; // empty while no category is open
    int selectedItemSlot = 0;    // record table slot of the item being edited
    int categoryCount = 0;       // of the last category-view rebuild
    int totalItemCount = 0;      // of the last category-view rebuild
};

BrowserState& browserState();

} // namespace wareloom

#include "core/store/CategoryStore.h"

#include <array>

namespace wareloom {

// The old windows' working copy of the open category (slot 0 scratch).
struct RecordTable
{
    static constexpr int SlotCount = 1000;
    static constexpr int MaxRecords = SlotCount - 1;
    std::array<ItemRecord, SlotCount> slots{};
    int recordCount = 0;
    ItemRecord& scratch() { return slots[0]; }
};
RecordTable& recordTable();
Status loadCategory(const QString& path, RecordTable& table);
Status rewriteCategory(const QString& path, const RecordTable& table, int omitSlot = 0);
Status appendScratchRecord(const QString& path, RecordTable& table);

} // namespace wareloom
