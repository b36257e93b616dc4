#include "core/store/ItemRecord.h"

#include "core/util/TextConversion.h"

#include <cstring>

namespace wareloom {

QByteArrayView fieldText(const ItemRecord& record, ItemField field)
{
    const FieldLayout f = fieldLayout(field);
    const char* start = record.bytes.data() + f.offset;
    const void* nul = std::memchr(start, '\0', size_t(f.width));
    return QByteArrayView(start, nul ? static_cast<const char*>(nul) - start : f.width);
}

void setFieldText(ItemRecord& record, ItemField field, QByteArrayView text)
{
    const FieldLayout f = fieldLayout(field);
    const qsizetype n = qMin<qsizetype>(text.size(), f.width);
    char* start = record.bytes.data() + f.offset;
    std::memcpy(start, text.data(), size_t(n));
    if (n < f.width)
        start[n] = '\0';
}

QString fieldString(const ItemRecord& record, ItemField field)
{
    return fromCodePage(fieldText(record, field));
}

void storeFieldString(ItemRecord& record, ItemField field, QStringView text)
{
    setFieldText(record, field, toCodePage(text, fieldLayout(field).width));
}

} // namespace wareloom
