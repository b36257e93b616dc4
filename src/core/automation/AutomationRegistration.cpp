#include "core/automation/AutomationRegistration.h"

#include "core/automation/AutomationInterface.h"
#include "core/util/AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace wareloom::automation {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(AutomationRegistration)
};

QString dbusDataPath(const QString& relative)
{
    // $XDG_DATA_HOME, or ~/.local/share when it is unset or not absolute.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/dbus-1/") + relative;
}

// The bus splits Exec like a shell: quote a path that would not stay one word.
QString shellWord(const QString& path)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+:,@%=-]+$"));
    if (plain.match(path).hasMatch())
        return path;
    QString quoted = path;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// Before that it reads the value like a desktop entry's, with backslash escapes.
QString desktopEntryValue(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    text.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    return text;
}

Status writeFile(const QString& path, const QByteArray& contents)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return Status::failure(Texts::tr("Cannot create the folder of %1.").arg(path));
    return replaceFile(path, contents);
}

Status removeFile(const QString& path)
{
    QFile file(path);
    if (!file.exists() || file.remove())
        return Status::success();
    return Status::failure(
        Texts::tr("Cannot remove %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
}

} // namespace

QString activationFilePath()
{
    return dbusDataPath(QStringLiteral("services/%1.service").arg(QLatin1String(ServiceName)));
}

QString interfaceDescriptionPath()
{
    return dbusDataPath(QStringLiteral("interfaces/%1.xml").arg(QLatin1String(InterfaceName)));
}

QByteArray activationFileText(const QString& programPath)
{
    return QStringLiteral("[D-BUS Service]\nName=%1\nExec=%2\n")
        .arg(QLatin1String(ServiceName),
             desktopEntryValue(shellWord(programPath) + QStringLiteral(" -Automation")))
        .toUtf8();
}

Status registerServer(const QString& programPath)
{
    Status written = writeFile(interfaceDescriptionPath(), interfaceDescription());
    if (!written)
        return written;
    return writeFile(activationFilePath(), activationFileText(programPath));
}

Status unregisterServer()
{
    // Both go even when the first cannot: report the first failure.
    Status activation = removeFile(activationFilePath());
    Status description = removeFile(interfaceDescriptionPath());
    return activation ? std::move(description) : std::move(activation);
}

} // namespace wareloom::automation
