#pragma once

#include "core/store/ItemRecord.h"

#include <array>

namespace wareloom {

// The working copy of the open category: slot 0 is the scratch slot, slots 1
// to recordCount hold the category's records in file order.
struct RecordTable
{
    static constexpr int SlotCount = 1000;
    static constexpr int MaxRecords = SlotCount - 1;

    std::array<ItemRecord, SlotCount> slots{};
    int recordCount = 0;

    ItemRecord& scratch() { return slots[0]; }
};

// The one table of the process, shared by the main window and the item dialogs.
RecordTable& recordTable();

} // namespace wareloom
