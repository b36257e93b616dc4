#pragma once

#include "core/store/ItemRecord.h"

#include <QByteArray>

#include <optional>

namespace wareloom::test {

// Record n of the crash writer: n in every field, in a form that a cut or
// mixed record cannot pass for a whole one.
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

// The n of a whole record of the crash writer, or nothing.
inline std::optional<int> crashWriterNumber(QByteArrayView bytes)
{
    bool ok = false;
    const int n = bytes.startsWith("item ") ? bytes.sliced(5, 8).toInt(&ok) : -1;
    if (!ok || n < 0 || QByteArrayView(crashWriterRecord(n).bytes) != bytes)
        return std::nullopt;
    return n;
}

} // namespace wareloom::test
