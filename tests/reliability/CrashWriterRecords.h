#pragma once

// The records the crash writer stores: record n holds n in every field, in a
// form that a cut or mixed record cannot pass for a whole one.

#include "core/store/ItemRecord.h"

#include <QByteArray>

#include <optional>

namespace wareloom::test {

inline ItemRecord crashWriterRecord(int n)
{
    ItemRecord record;
    record.bytes.fill('\xAA'); // what is left after each NUL
    setFieldText(record, ItemField::Name, "item " + QByteArray::number(n).rightJustified(8, '0'));
    setFieldText(record, ItemField::Code, "c" + QByteArray::number(n % 999983));
    setFieldText(record, ItemField::Price, QByteArray::number(n % 9973) + ".00");
    setFieldText(record, ItemField::Qty, QByteArray::number(n % 97));
    return record;
}

// The n of a whole record written by crashWriterRecord, or nothing.
inline std::optional<int> crashWriterNumber(const char* bytes)
{
    ItemRecord record;
    std::copy(bytes, bytes + ItemRecord::Size, record.bytes.begin());
    const QByteArray name = fieldText(record, ItemField::Name).toByteArray();
    bool ok = false;
    const int n = name.startsWith("item ") ? name.mid(5).toInt(&ok) : 0;
    if (!ok || n < 0 || crashWriterRecord(n).bytes != record.bytes)
        return std::nullopt;
    return n;
}

} // namespace wareloom::test
