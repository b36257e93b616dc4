#pragma once

#include "core/store/ItemRecord.h"

#include <QString>

#include <optional>

namespace wareloom {

// The four boxes of an item dialog, as typed.
struct ItemTexts
{
    QString name;
    QString price;
    QString qty;
    QString code;
};

// A refused save: the message box to show.
struct ItemCheckFailure
{
    QString message;
    QString caption;
};

// The Save checks of both item dialogs, in order: name given, then the
// lengths of name, price, qty and code. The dialogs differ only in the
// empty-name message. When composeInto is given, each box that passes is
// stored into that record at its field before the next check runs.
std::optional<ItemCheckFailure> checkItemTexts(const ItemTexts& texts,
                                               const QString& emptyNameMessage,
                                               ItemRecord* composeInto = nullptr);

// Stores the four texts into the record, in the order name, price, qty, code.
void storeItemTexts(ItemRecord& record, const ItemTexts& texts);

// The four fields of a record as UTF-16 texts.
ItemTexts itemTextsOf(const ItemRecord& record);

} // namespace wareloom
