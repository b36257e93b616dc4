#include "core/pages/PageLinks.h"

#include "core/util/TextConversion.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>

#include <algorithm>

namespace wareloom {
namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// "&amp;", "&#321;", "&#x141;"... as the characters they stand for; an
// unknown reference stays as written, as a browser keeps it.
QString resolveReferences(const QString& text)
{
    static const QRegularExpression reference(QStringLiteral("&(#[0-9]+|#[xX][0-9a-fA-F]+|amp|lt|"
                                                             "gt|quot|apos);"));
    QString out;
    qsizetype from = 0;
    for (auto match = reference.globalMatch(text); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        out += QStringView(text).mid(from, found.capturedStart() - from);
        from = found.capturedEnd();
        const QString name = found.captured(1);
        if (name.startsWith(QLatin1Char('#'))) {
            bool ok = false;
            const uint code = name.startsWith(QLatin1String("#x"), Qt::CaseInsensitive)
                                  ? name.mid(2).toUInt(&ok, 16)
                                  : name.mid(1).toUInt(&ok);
            const char32_t c = ok && code > 0 && code <= 0x10FFFF ? char32_t(code) : U'\xFFFD';
            out += QString::fromUcs4(&c, 1);
        } else {
            static const QHash<QString, QChar> named{{QStringLiteral("amp"), u'&'},
                                                     {QStringLiteral("lt"), u'<'},
                                                     {QStringLiteral("gt"), u'>'},
                                                     {QStringLiteral("quot"), u'"'},
                                                     {QStringLiteral("apos"), u'\''}};
            out += named.value(name);
        }
    }
    return out + text.mid(from);
}

// The file an attribute value names, or empty when it names none beside the page.
QString linkedFile(QByteArrayView value, bool utf8)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    QString target = utf8 ? QString::fromUtf8(value) : fromCodePage(value);
    target = resolveReferences(target).trimmed();
    target = target.left(target.indexOf(QLatin1Char('#')));
    target = target.left(target.indexOf(QLatin1Char('?')));
    if (target.isEmpty() || scheme.match(target).hasMatch())
        return {};
    // Escapes hold ASCII in classic pages and UTF-8 in modern ones.
    QString name = QUrl::fromPercentEncoding(target.toUtf8());
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name == QLatin1String(".") || name == QLatin1String(".."))
        return {};
    return name;
}

} // namespace

QStringList pageLinks(QByteArrayView page)
{
    const bool utf8 = QByteArray::fromRawData(page.data(), page.size())
                          .contains(QByteArrayLiteral("<meta charset=\"utf-8\">"));
    QStringList links;
    QSet<QString> seen;
    // href=... and src=..., in any letter case, after a blank (never a
    // script's "a.href="), blanks around '=' allowed, the value quoted or not.
    for (qsizetype i = 1; i < page.size(); ++i) {
        if (!isSpace(page[i - 1]))
            continue;
        qsizetype at = i;
        bool attribute = false;
        for (const QByteArrayView name : {QByteArrayView("href"), QByteArrayView("src")}) {
            if (page.size() - i > name.size() &&
                QByteArrayView(page.data() + i, name.size()).compare(name, Qt::CaseInsensitive) ==
                    0) {
                at = i + name.size();
                attribute = true;
                break;
            }
        }
        if (!attribute)
            continue;
        while (at < page.size() && isSpace(page[at]))
            ++at;
        if (at >= page.size() || page[at] != '=')
            continue;
        ++at;
        while (at < page.size() && isSpace(page[at]))
            ++at;
        if (at >= page.size())
            break;
        qsizetype end = at;
        if (page[at] == '"' || page[at] == '\'') {
            const char quote = page[at++];
            end = at;
            while (end < page.size() && page[end] != quote)
                ++end;
        } else {
            while (end < page.size() && !isSpace(page[end]) && page[end] != '>')
                ++end;
        }
        const QString file = linkedFile(page.sliced(at, end - at), utf8);
        if (!file.isEmpty() && !seen.contains(file)) {
            seen.insert(file);
            links << file;
        }
        i = end;
    }
    return links;
}

bool isSiteFileName(const QString& fileName)
{
    static const QStringList endings{
        QStringLiteral(".jpg"), QStringLiteral(".jpeg"), QStringLiteral(".gif"),
        QStringLiteral(".png"), QStringLiteral(".webp"), QStringLiteral(".svg"),
        QStringLiteral(".ico"), QStringLiteral(".htm"),  QStringLiteral(".html"),
        QStringLiteral(".js"),  QStringLiteral(".css")};
    return std::any_of(endings.begin(), endings.end(), [&](const QString& ending) {
        return fileName.size() > ending.size() && fileName.endsWith(ending, Qt::CaseInsensitive);
    });
}

bool isPageFileName(const QString& fileName)
{
    return fileName.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
           fileName.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
}

} // namespace wareloom
