#include "core/store/ItemTexts.h"

#include "core/util/ApplicationTitle.h"
#include "core/util/TextConversion.h"

#include <QCoreApplication>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(ItemTexts)
};

struct Check
{
    const QString ItemTexts::*text;
    ItemField field;
    const char* tooLong; // translated when shown
};

constexpr Check Checks[] = {
    {&ItemTexts::name, ItemField::Name,
     QT_TRANSLATE_NOOP("ItemTexts", "Maximum 60 characters for item name!")},
    {&ItemTexts::price, ItemField::Price,
     QT_TRANSLATE_NOOP("ItemTexts", "Maximum 10 characters for item price!")},
    {&ItemTexts::qty, ItemField::Qty,
     QT_TRANSLATE_NOOP("ItemTexts", "Maximum 10 characters for item qty!")},
    {&ItemTexts::code, ItemField::Code,
     QT_TRANSLATE_NOOP("ItemTexts", "Maximum 10 characters for item code!")},
};

} // namespace

std::optional<ItemCheckFailure>
checkItemTexts(const ItemTexts& texts, const QString& emptyNameMessage, ItemRecord* composeInto)
{
    if (texts.name.isEmpty())
        return ItemCheckFailure{emptyNameMessage, applicationTitle()};
    // Never stored as '?' without a word.
    const QStringList missing =
        missingFromCodePage({texts.name, texts.price, texts.qty, texts.code});
    if (!missing.isEmpty()) {
        return ItemCheckFailure{Texts::tr("These characters cannot be stored: ") +
                                    missing.join(QLatin1Char(' ')),
                                Texts::tr("ERROR:")};
    }
    for (const Check& check : Checks) {
        const QString& text = texts.*check.text;
        if (text.size() > fieldLayout(check.field).width)
            return ItemCheckFailure{Texts::tr(check.tooLong), Texts::tr("ERROR:")};
        if (composeInto)
            storeFieldString(*composeInto, check.field, text);
    }
    return std::nullopt;
}

void storeItemTexts(ItemRecord& record, const ItemTexts& texts)
{
    for (const Check& check : Checks)
        storeFieldString(record, check.field, texts.*check.text);
}

ItemTexts itemTextsOf(const ItemRecord& record)
{
    return {fieldString(record, ItemField::Name), fieldString(record, ItemField::Price),
            fieldString(record, ItemField::Qty), fieldString(record, ItemField::Code)};
}

} // namespace wareloom
