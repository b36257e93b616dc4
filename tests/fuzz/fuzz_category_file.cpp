// Any bytes as a category file: loading, counting, reading every field and writing back
// keep to the same whole records. The bytes as typed text stored into a field fit it and
// leave the rest of the record alone. In the code page the first byte picks, conversions
// keep a limit and single-byte ones lose no byte.
#include "FuzzSupport.h"
#include "core/store/CategoryStore.h"

using namespace wareloom;

constexpr ItemField Fields[] = {ItemField::Name, ItemField::Code, ItemField::Price, ItemField::Qty};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const DataDirectory store = fuzz::fuzzDataDirectory();
    const char* const codePages[] = {"CP1252", "CP1251", "CP932", "CP936",
                                     "CP949",  "CP950",  "UTF-8"};
    const char* codePage = codePages[size == 0 ? 0 : data[0] % std::size(codePages)];
    fuzz::useCodePage(codePage);
    const QString path = store.categoryFilePath("Fuzz");
    fuzz::writeFile(path, data, size);
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype whole = input.size() / ItemRecord::Size;

    ItemRecords records;
    if (!loadCategory(path, records)) {
        if (whole <= MaxItems || !records.empty())
            abort(); // refused without being too long, or half loaded
        return 0;
    }
    if (qsizetype(records.size()) != whole || countItems(path) != whole)
        abort();
    for (const ItemRecord& record : records)
        for (ItemField f : Fields) {
            const QByteArrayView text = fieldText(record, f);
            if (text.size() > fieldLayout(f).width || text.contains('\0'))
                abort();
            (void)fieldString(record, f);
        }
    if (!writeCategory(path, records) ||
        test::readFile(path) != input.first(whole * ItemRecord::Size))
        abort();

    const QString text = fromCodePage(input);
    if (codePage[2] == '1' && toCodePage(text) != input)
        abort();
    const QStringView typed(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2));
    if (toCodePage(typed, qsizetype(size % 200)).size() > qsizetype(size % 200))
        abort();
    ItemRecord record;
    std::copy_n(input.begin(), std::min<qsizetype>(input.size(), ItemRecord::Size),
                record.bytes.begin());
    for (ItemField f : Fields) {
        const ItemRecord before = record;
        storeFieldString(record, f, typed);
        const FieldLayout at = fieldLayout(f);
        for (int i = 0; i < ItemRecord::Size; ++i)
            if ((i < at.offset || i >= at.offset + at.width) && record.bytes[i] != before.bytes[i])
                abort();
        if (fieldText(record, f).size() > at.width)
            abort();
    }
    return 0;
}
