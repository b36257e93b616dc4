#include "core/store/ListLines.h"

#include <QCoreApplication>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(ListLines)
};

} // namespace

QString categoryLine(const QString& categoryName, int itemCount)
{
    const QString text = (Texts::tr("CATEGORY - ") + categoryName).leftJustified(80);
    return text + QStringLiteral(" %1").arg(itemCount, 3);
}

QString itemLine(const ItemRecord& record)
{
    auto column = [&](ItemField field) { return fieldString(record, field).rightJustified(10); };
    return fieldString(record, ItemField::Name).leftJustified(61) + QStringLiteral("  ") +
           column(ItemField::Qty) + QLatin1Char(' ') + column(ItemField::Price) + QLatin1Char(' ') +
           column(ItemField::Code);
}

} // namespace wareloom
