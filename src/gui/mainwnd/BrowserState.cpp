#include "gui/mainwnd/BrowserState.h"

namespace wareloom {

BrowserState& browserState()
{
    static BrowserState state;
    return state;
}

} // namespace wareloom

namespace wareloom {

RecordTable& recordTable()
{
    static RecordTable table;
    return table;
}

Status loadCategory(const QString& path, RecordTable& table)
{
    ItemRecords records;
    Status loaded = loadCategory(path, records);
    table.recordCount = int(records.size());
    std::copy(records.begin(), records.end(), table.slots.begin() + 1);
    return loaded;
}

Status rewriteCategory(const QString& path, const RecordTable& table, int omitSlot)
{
    ItemRecords records;
    for (int slot = 1; slot <= table.recordCount; ++slot)
        if (slot != omitSlot)
            records.push_back(table.slots[size_t(slot)]);
    return writeCategory(path, records);
}

Status appendScratchRecord(const QString& path, RecordTable& table)
{
    if (Status loaded = loadCategory(path, table); !loaded)
        return loaded;
    if (table.recordCount >= MaxItems)
        return Status::failure(
            QStringLiteral("This category already holds %1 items, the most one category can hold.")
                .arg(MaxItems));
    table.slots[size_t(++table.recordCount)] = table.scratch();
    Status written = rewriteCategory(path, table);
    if (!written)
        --table.recordCount;
    return written;
}

} // namespace wareloom
