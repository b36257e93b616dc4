#include "core/transfer/RemoteListing.h"

#include <QList>
#include <QRegularExpression>

namespace wareloom {
namespace {

enum class Entry { File, Other, Unreadable };

// "type=file;size=12;modify=20240101000000; name"
Entry readMlsd(const QString& line, QString& name, qint64& size)
{
    const qsizetype space = line.indexOf(QLatin1String("; "));
    if (space < 0 || !line.left(space).contains(QLatin1Char('=')) ||
        line.left(space).contains(QLatin1Char(' ')))
        return Entry::Unreadable;
    name = line.mid(space + 2);
    bool file = false, sized = false;
    for (const QString& fact : line.left(space).split(QLatin1Char(';'))) {
        const QString key = fact.section(QLatin1Char('='), 0, 0).toLower();
        const QString value = fact.section(QLatin1Char('='), 1);
        if (key == QLatin1String("type"))
            file = value.compare(QLatin1String("file"), Qt::CaseInsensitive) == 0;
        else if (key == QLatin1String("size"))
            size = value.toLongLong(&sized);
    }
    return !file ? Entry::Other : sized ? Entry::File : Entry::Unreadable;
}

Entry readLongLine(const QString& line, QString& name, qint64& size)
{
    // type and permissions, links, owner, group, size, month, day, time or year, name
    static const QRegularExpression unixLine(QStringLiteral(
        "^([-dlbcps])\\S*\\s+\\d+\\s+\\S+\\s+\\S+\\s+(\\d+)\\s+\\S+\\s+\\S+\\s+\\S+ (.+)$"));
    static const QRegularExpression dos(QStringLiteral(
        "^\\d\\d-\\d\\d-\\d\\d(?:\\d\\d)?\\s+\\d\\d:\\d\\d[AaPp][Mm]\\s+(<DIR>|\\d+)\\s+(.+)$"));
    if (const QRegularExpressionMatch match = unixLine.match(line); match.hasMatch()) {
        if (match.captured(1) != QLatin1String("-"))
            return Entry::Other;
        name = match.captured(3);
        size = match.captured(2).toLongLong();
        return Entry::File;
    }
    if (const QRegularExpressionMatch match = dos.match(line); match.hasMatch()) {
        if (match.captured(1) == QLatin1String("<DIR>"))
            return Entry::Other;
        name = match.captured(2);
        size = match.captured(1).toLongLong();
        return Entry::File;
    }
    return line.startsWith(QLatin1String("total ")) ? Entry::Other : Entry::Unreadable;
}

} // namespace

std::optional<RemoteFiles> parseListing(const QByteArray& listing)
{
    RemoteFiles files;
    for (QByteArray bytes : listing.split('\n')) {
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        if (bytes.isEmpty())
            continue;
        const QString line = QString::fromUtf8(bytes);
        QString name;
        qint64 size = 0;
        Entry entry = readMlsd(line, name, size);
        if (entry == Entry::Unreadable)
            entry = readLongLine(line, name, size);
        if (entry == Entry::Unreadable)
            return std::nullopt;
        if (entry == Entry::File)
            files.insert(name, {size, {}});
    }
    return files;
}

} // namespace wareloom
