#include "core/pages/PageText.h"

#include "core/pages/PercentEncode.h"
#include "core/util/TextConversion.h"

#include <QStringList>

namespace wareloom {
namespace {

QByteArray asIs(QByteArrayView bytes)
{
    return bytes.toByteArray();
}

QByteArray convert(QStringView text, QByteArray (*encode)(QByteArrayView))
{
    bool usable = false;
    const QByteArray bytes = toCodePage(text, -1, &usable);
    // No '?' of its own making: every character converted.
    if (usable && bytes.count('?') == text.count(u'?'))
        return encode(bytes);
    const QStringList missing = usable ? missingFromCodePage({text.toString()}) : QStringList();

    QByteArray out;
    qsizetype runStart = 0;
    const auto endRun = [&](qsizetype end) {
        const QStringView run = text.sliced(runStart, end - runStart);
        if (!run.isEmpty())
            out += encode(usable ? toCodePage(run) : run.toLatin1());
    };
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2
                                                                                             : 1;
        const QStringView ch = text.sliced(i, length);
        if (usable ? missing.contains(ch) : ch[0].unicode() >= 0x80) {
            endRun(i);
            out += "&#" + QByteArray::number(ch.toUcs4().constFirst()) + ';';
            runStart = i + length;
        }
        i += length;
    }
    endRun(text.size());
    return out;
}

} // namespace

QByteArray pageText(QStringView text)
{
    return convert(text, asIs);
}

QByteArray pageLink(QStringView categoryName)
{
    return convert(categoryName, percentEncode);
}

} // namespace wareloom
