#include "core/store/ItemDifferences.h"

#include <QHash>

#include <cstring>

namespace wareloom {

ItemDifferences compareItems(const ItemRecords& from, const ItemRecords& to)
{
    // Items of one name pair up in file order; a name seen twice is two items.
    QHash<QString, std::vector<const ItemRecord*>> before;
    for (const ItemRecord& record : from)
        before[fieldString(record, ItemField::Name)].push_back(&record);
    QHash<QString, size_t> used;
    ItemDifferences differences;
    for (const ItemRecord& record : to) {
        const QString name = fieldString(record, ItemField::Name);
        const std::vector<const ItemRecord*>& same = before[name];
        size_t& next = used[name];
        if (next >= same.size())
            differences.added << name;
        else if (same[next]->bytes != record.bytes)
            differences.changed << name;
        next += next < same.size() ? 1 : 0;
    }
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        for (size_t i = used.value(it.key()); i < it.value().size(); ++i)
            differences.removed << it.key();
    }
    differences.removed.sort();
    return differences;
}

ItemRecords recordsOf(QByteArrayView bytes)
{
    ItemRecords records(size_t(bytes.size() / ItemRecord::Size));
    for (size_t i = 0; i < records.size(); ++i)
        std::memcpy(records[i].bytes.data(), bytes.data() + qsizetype(i) * ItemRecord::Size,
                    ItemRecord::Size);
    return records;
}

} // namespace wareloom
