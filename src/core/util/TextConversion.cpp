#include "core/util/TextConversion.h"

#include <QCoreApplication>
#include <QStringList>

#include <QHash>
#include <QMutex>

#include <array>
#include <cerrno>
#include <iconv.h>
#include <memory>
#include <optional>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(TextConversion)
};

// Windows ANSI code page of a locale, as Windows picks it by language.
QByteArray windowsCodePageFor(const QByteArray& locale)
{
    const QByteArray lang =
        locale.left(locale.indexOf('_') < 0 ? locale.size() : locale.indexOf('_')).toLower();
    const QByteArray region = locale.mid(lang.size() + 1, 2).toUpper();
    struct Entry
    {
        const char* languages;
        const char* codePage;
    };
    static constexpr Entry table[] = {
        {" pl cs sk hu sl hr ro sq bs ", "CP1250"},
        {" ru uk be bg mk sr kk ky tt mn ", "CP1251"},
        {" el ", "CP1253"},
        {" tr az uz ", "CP1254"},
        {" he yi ", "CP1255"},
        {" ar fa ur ps ", "CP1256"},
        {" et lv lt ", "CP1257"},
        {" vi ", "CP1258"},
        {" th ", "CP874"},
        {" ja ", "CP932"},
        {" ko ", "CP949"},
    };
    if (lang == "zh")
        return (region == "TW" || region == "HK" || region == "MO") ? "CP950" : "CP936";
    const QByteArray key = ' ' + lang + ' ';
    for (const Entry& e : table) {
        if (QByteArrayView(e.languages).contains(key))
            return e.codePage;
    }
    return "CP1252";
}

// iconv's own error value.
const iconv_t InvalidIconv = reinterpret_cast<iconv_t>(-1); // NOLINT(performance-no-int-to-ptr)

struct IconvHandle
{
    iconv_t cd = InvalidIconv;
    IconvHandle(const char* to, const char* from) : cd(iconv_open(to, from)) {}
    ~IconvHandle()
    {
        if (valid())
            iconv_close(cd);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    bool valid() const { return cd != InvalidIconv; }
};

// Runs one whole conversion; nullopt when the input is invalid or incomplete.
std::optional<QByteArray> convert(IconvHandle& h, const char* in, size_t inLen)
{
    iconv(h.cd, nullptr, nullptr, nullptr, nullptr);
    QByteArray out(qMax<size_t>(16, inLen * 4 + 8), Qt::Uninitialized);
    char* src = const_cast<char*>(in);
    size_t srcLeft = inLen;
    char* dst = out.data();
    size_t dstLeft = out.size();
    while (true) {
        const size_t r = iconv(h.cd, &src, &srcLeft, &dst, &dstLeft);
        if (r != static_cast<size_t>(-1)) {
            if (iconv(h.cd, nullptr, nullptr, &dst, &dstLeft) == static_cast<size_t>(-1))
                return std::nullopt;
            break;
        }
        if (errno != E2BIG)
            return std::nullopt;
        const qsizetype used = dst - out.data();
        out.resize(out.size() * 2);
        dst = out.data() + used;
        dstLeft = out.size() - used;
    }
    out.truncate(dst - out.data());
    return out;
}

// A character of text at i: a surrogate pair, or one code unit.
qsizetype characterLength(QStringView text, qsizetype i)
{
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

// One code page, prepared for both directions. Single-byte code pages are
// turned into tables once, so converting a text is a lookup per character.
class CodePage
{
public:
    explicit CodePage(const QByteArray& name)
        : m_encoder(name.constData(), "UTF-16LE"), m_decoder("UTF-16LE", name.constData())
    {
        if (!m_encoder.valid() || !m_decoder.valid())
            return;
        m_usable = true;
        m_singleByte = true;
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            auto decoded = convert(m_decoder, &byte, 1);
            if (!decoded) {
                // A lead byte of a multi-byte code page, or an undefined byte.
                if (errno == EINVAL) {
                    m_singleByte = false;
                    return;
                }
                m_toUnicode[b] = char16_t(b);
                continue;
            }
            if (decoded->size() != 2) {
                m_singleByte = false;
                return;
            }
            m_toUnicode[b] = char16_t(uchar(decoded->at(0)) | uchar(decoded->at(1)) << 8);
        }
        for (int b = 255; b >= 0; --b)
            m_fromUnicode.insert(m_toUnicode[b], char(b));
        // The first 256 code points, most of the text in a Western code
        // page, by index: a page run converts every category name twice.
        for (std::size_t unit = 0; unit < m_lowBytes.size(); ++unit)
            m_lowBytes[unit] = hashedByteOf(char16_t(unit));
    }

    bool usable() const { return m_usable; }
    bool singleByte() const { return m_singleByte; }

    std::optional<QByteArray> encode(QStringView text, qsizetype maxBytes)
    {
        if (!m_usable)
            return std::nullopt;
        QByteArray out;
        out.reserve(text.size());
        const auto fits = [&](qsizetype extra) {
            return maxBytes < 0 || out.size() + extra <= maxBytes;
        };
        for (qsizetype i = 0; i < text.size();) {
            const QStringView ch = text.mid(i, characterLength(text, i));
            i += ch.size();
            if (m_singleByte && ch.size() == 1) { // a lookup, nothing allocated
                if (!fits(1))
                    break;
                out += byteOf(ch[0].unicode());
                continue;
            }
            QByteArray bytes = encodeCharacter(ch);
            if (!fits(bytes.size()))
                break;
            out += bytes;
        }
        return out;
    }

    // Adds each character of text the code page has no bytes for, once.
    void addMissing(QStringView text, QStringList& found)
    {
        if (!m_usable)
            return;
        for (qsizetype i = 0; i < text.size();) {
            const QStringView ch = text.mid(i, characterLength(text, i));
            i += ch.size();
            if (ch != u"?" && encodeCharacter(ch) == "?" && !found.contains(ch))
                found << ch.toString();
        }
    }

    std::optional<QString> decode(QByteArrayView bytes)
    {
        if (!m_usable)
            return std::nullopt;
        if (m_singleByte) {
            QString out(bytes.size(), Qt::Uninitialized);
            QChar* dst = out.data();
            for (char c : bytes)
                *dst++ = QChar(m_toUnicode[uchar(c)]);
            return out;
        }
        return decodeMultiByte(bytes);
    }

private:
    QByteArray encodeCharacter(QStringView ch)
    {
        if (m_singleByte && ch.size() == 1)
            return QByteArray(1, byteOf(ch[0].unicode()));
        if (m_singleByte)
            return QByteArray(1, '?');
        auto bytes = convert(m_encoder, reinterpret_cast<const char*>(ch.utf16()), ch.size() * 2);
        return bytes && !bytes->isEmpty() ? *bytes : QByteArray(1, '?');
    }

    char byteOf(char16_t unit) const
    {
        return unit < m_lowBytes.size() ? m_lowBytes[unit] : hashedByteOf(unit);
    }

    char hashedByteOf(char16_t unit) const
    {
        const auto it = m_fromUnicode.constFind(unit);
        return it == m_fromUnicode.constEnd() ? '?' : *it;
    }

    // Decodes piece by piece so that an invalid byte spoils only itself.
    QString decodeMultiByte(QByteArrayView bytes)
    {
        QString out;
        out.reserve(bytes.size());
        qsizetype pos = 0;
        while (pos < bytes.size()) {
            bool done = false;
            for (qsizetype len = 1; len <= 4 && pos + len <= bytes.size(); ++len) {
                auto decoded = convert(m_decoder, bytes.data() + pos, size_t(len));
                if (decoded) {
                    out += QStringView(reinterpret_cast<const char16_t*>(decoded->constData()),
                                       decoded->size() / 2);
                    pos += len;
                    done = true;
                    break;
                }
                if (errno != EINVAL)
                    break;
            }
            if (!done) {
                out += QChar(0xFFFD);
                ++pos;
            }
        }
        return out;
    }

    IconvHandle m_encoder;
    IconvHandle m_decoder;
    bool m_usable = false;
    bool m_singleByte = false;
    std::array<char16_t, 256> m_toUnicode{};
    QHash<char16_t, char> m_fromUnicode;
    std::array<char, 256> m_lowBytes{};
};

constexpr char DefaultCodePage[] = "CP1252";

QMutex codePageMutex;
std::unique_ptr<CodePage> currentCodePage;
QByteArray currentCodePageName = DefaultCodePage;

CodePage& codePage()
{
    if (!currentCodePage)
        currentCodePage = std::make_unique<CodePage>(currentCodePageName);
    return *currentCodePage;
}

} // namespace

QByteArray chooseCodePage(const QByteArray& forced, const QByteArrayList& localeSettings)
{
    if (!forced.isEmpty())
        return forced;
    for (const QByteArray& value : localeSettings) {
        if (!value.isEmpty())
            return windowsCodePageFor(value);
    }
    return DefaultCodePage;
}

Status checkCodePage(const QByteArray& name)
{
    static const QByteArrayList doubleByte{"CP932",       "CP936",       "CP949",
                                           "CP950",       "WINDOWS-932", "WINDOWS-936",
                                           "WINDOWS-949", "WINDOWS-950"};
    CodePage page(name);
    QByteArray ascii(128, Qt::Uninitialized);
    for (int b = 0; b < ascii.size(); ++b)
        ascii[b] = char(b);
    const std::optional<QString> decoded = page.decode(ascii);
    if (decoded && *decoded == QString::fromLatin1(ascii) &&
        (page.singleByte() || doubleByte.contains(name.toUpper())))
        return Status::success();
    return Status::failure(
        Texts::tr("The code page \"%1\" cannot be used: Wareloom needs an 8-bit code page "
                  "that keeps ASCII as it is, such as windows-1252, or one of CP932, CP936, "
                  "CP949 and CP950.")
            .arg(QString::fromLocal8Bit(name)));
}

QByteArray conversionCodePage()
{
    QMutexLocker lock(&codePageMutex);
    return currentCodePageName;
}

void setConversionCodePage(const QByteArray& name)
{
    QMutexLocker lock(&codePageMutex);
    currentCodePageName = name;
    currentCodePage.reset();
}

QByteArray toCodePage(QStringView text, qsizetype maxBytes, bool* ok)
{
    QMutexLocker lock(&codePageMutex);
    auto result = codePage().encode(text, maxBytes);
    if (ok)
        *ok = result.has_value();
    return result.value_or(QByteArray());
}

QStringList missingFromCodePage(const QStringList& texts)
{
    QMutexLocker lock(&codePageMutex);
    QStringList found;
    for (const QString& text : texts)
        codePage().addMissing(text, found);
    return found;
}

QString fromCodePage(QByteArrayView bytes, bool* ok)
{
    QMutexLocker lock(&codePageMutex);
    auto result = codePage().decode(bytes);
    if (ok)
        *ok = result.has_value();
    return result.value_or(QString());
}

} // namespace wareloom
