#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>

namespace wareloom {

// One item of a category file: four fixed-width 8-bit text fields, 90 bytes.
struct ItemRecord
{
    static constexpr int Size = 90;
    std::array<char, Size> bytes{};
};
static_assert(sizeof(ItemRecord) == ItemRecord::Size);

enum class ItemField { Name, Code, Price, Qty };

struct FieldLayout
{
    int offset;
    int width;
};

constexpr FieldLayout fieldLayout(ItemField field)
{
    switch (field) {
    case ItemField::Name:
        return {0, 60};
    case ItemField::Code:
        return {60, 10};
    case ItemField::Price:
        return {70, 10};
    case ItemField::Qty:
        return {80, 10};
    }
    return {0, 0};
}

// The field's text: up to its first NUL or to the field's end. The view
// points into the record.
QByteArrayView fieldText(const ItemRecord& record, ItemField field);

// Stores text (cut to the field's width) at the field; a shorter text is
// followed by one NUL and the bytes after it keep what they held.
void setFieldText(ItemRecord& record, ItemField field, QByteArrayView text);

// The same through the conversion code page; a text that needs more bytes
// than the field has is cut at a character boundary.
QString fieldString(const ItemRecord& record, ItemField field);
void storeFieldString(ItemRecord& record, ItemField field, QStringView text);

} // namespace wareloom
