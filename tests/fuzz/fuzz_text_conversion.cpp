// Any bytes through both conversions under single- and multi-byte code pages:
// no crash, limits kept, and single-byte code pages round-trip every byte.
#include "core/util/TextConversion.h"

#include <QStringView>

#include <cstdlib>

using namespace wareloom;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    static const char* const codePages[] = {"CP1252", "CP1251", "CP932", "CP936",
                                            "CP949",  "CP950",  "UTF-8"};
    const char* codePage = codePages[data[0] % std::size(codePages)];
    const qsizetype limit = data[1];
    data += 2;
    size -= 2;
    qputenv("WARELOOM_CODEPAGE", codePage);
    resetConversionCodePage();

    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = fromCodePage(bytes);
    const QByteArray back = toCodePage(text);
    const bool singleByte = codePage[2] == '1';
    if (singleByte && back != bytes)
        abort();

    const QStringView utf16(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2));
    const QByteArray cut = toCodePage(utf16, limit);
    if (cut.size() > limit)
        abort();
    (void)fromCodePage(cut);
    return 0;
}
