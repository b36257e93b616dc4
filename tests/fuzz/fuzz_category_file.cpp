// Any bytes as a category file: loading, counting, reading every field and
// rewriting must stay within the records and give back the same whole records.
#include "FuzzSupport.h"
#include "store/CategoryStore.h"

#include <cstring>

using namespace wareloom;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::fuzzDataDirectory();
    const QString path = categoryFilePath(QStringLiteral("Fuzz"));
    fuzz::writeFile(path, data, size);

    static RecordTable table;
    const Status loaded = loadCategory(path, table);
    const size_t whole = size / ItemRecord::Size;
    if (!loaded.ok()) {
        if (whole <= size_t(RecordTable::MaxRecords) || table.recordCount != 0)
            abort();
        return 0;
    }
    if (size_t(table.recordCount) != whole || countItems(path) != table.recordCount)
        abort();
    for (int slot = 1; slot <= table.recordCount; ++slot) {
        for (ItemField f : {ItemField::Name, ItemField::Code, ItemField::Price, ItemField::Qty}) {
            const QByteArrayView text = fieldText(table.slots[size_t(slot)], f);
            if (text.size() > fieldLayout(f).width || text.contains('\0'))
                abort();
            (void)fieldString(table.slots[size_t(slot)], f);
        }
    }
    if (!rewriteCategory(path, table).ok())
        abort();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        abort();
    const QByteArray back = f.readAll();
    if (size_t(back.size()) != whole * ItemRecord::Size || std::memcmp(back.data(), data, size_t(back.size())) != 0)
        abort();
    return 0;
}
