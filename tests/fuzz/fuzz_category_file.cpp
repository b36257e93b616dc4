// Any bytes as a category file: loading, counting, reading every field and
// rewriting must stay within the records and give back the same whole records.
// The same bytes as typed text stored into each field of a record must fit
// that field and leave every other byte of the record alone.
#include "FuzzSupport.h"
#include "core/store/CategoryStore.h"

#include <cstring>

using namespace wareloom;

namespace {

constexpr ItemField Fields[] = {ItemField::Name, ItemField::Code, ItemField::Price, ItemField::Qty};

void storeTypedText(const uint8_t* data, size_t size)
{
    const QStringView typed(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2));
    ItemRecord record;
    for (size_t i = 0; i < record.bytes.size(); ++i)
        record.bytes[i] = char(i < size ? data[i] : 0);
    for (ItemField f : Fields) {
        const ItemRecord before = record;
        storeFieldString(record, f, typed);
        const FieldLayout at = fieldLayout(f);
        for (int i = 0; i < ItemRecord::Size; ++i) {
            if ((i < at.offset || i >= at.offset + at.width) &&
                record.bytes[size_t(i)] != before.bytes[size_t(i)])
                abort();
        }
        if (fieldText(record, f).size() > at.width)
            abort();
        (void)fieldString(record, f);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::fuzzDataDirectory();
    const QString path = categoryFilePath(QStringLiteral("Fuzz"));
    fuzz::writeFile(path, data, size);

    ItemRecords records;
    const Status loaded = loadCategory(path, records);
    const size_t whole = size / ItemRecord::Size;
    if (!loaded.ok()) {
        if (whole <= size_t(MaxItems) || !records.empty())
            abort();
        return 0;
    }
    if (records.size() != whole || size_t(countItems(path)) != whole)
        abort();
    for (const ItemRecord& record : records) {
        for (ItemField f : Fields) {
            const QByteArrayView text = fieldText(record, f);
            if (text.size() > fieldLayout(f).width || text.contains('\0'))
                abort();
            (void)fieldString(record, f);
        }
    }
    storeTypedText(data, size);
    if (!writeCategory(path, records).ok())
        abort();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        abort();
    const QByteArray back = f.readAll();
    if (size_t(back.size()) != whole * ItemRecord::Size ||
        std::memcmp(back.data(), data, size_t(back.size())) != 0)
        abort();
    return 0;
}
