#include "core/pages/PageText.h"

#include "core/util/TextConversion.h"

namespace wareloom {

QByteArray pageText(QStringView text)
{
    bool converted = false;
    QByteArray bytes = toCodePage(text, -1, &converted);
    if (converted)
        return bytes;
    bytes.clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        bytes.append(ch.unicode() < 0x80 ? char(ch.unicode()) : '?');
    }
    return bytes;
}

} // namespace wareloom
