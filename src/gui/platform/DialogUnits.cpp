#include "gui/platform/DialogUnits.h"

#include <QFontMetrics>

namespace wareloom {
namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int mulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return int(product >= 0 ? (product + half) / c : (product - half) / c);
}

} // namespace

DialogUnits DialogUnits::forFont(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(letters / 26 + 1) / 2, metrics.height()};
}

int DialogUnits::toPixelsX(int units) const
{
    return mulDiv(units, baseX, 4);
}

int DialogUnits::toPixelsY(int units) const
{
    return mulDiv(units, baseY, 8);
}

QRect DialogUnits::toPixels(const DialogRect& rect) const
{
    const int left = toPixelsX(rect.x);
    const int top = toPixelsY(rect.y);
    return QRect(left, top, toPixelsX(rect.x + rect.cx) - left, toPixelsY(rect.y + rect.cy) - top);
}

QSize DialogUnits::toPixels(const QSize& size) const
{
    return QSize(toPixelsX(size.width()), toPixelsY(size.height()));
}

QFont dialogFont(const DialogTemplate& dialog)
{
    return QFont(dialog.fontFamily, dialog.pointSize);
}

} // namespace wareloom
