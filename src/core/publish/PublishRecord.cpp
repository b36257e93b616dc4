#include "core/publish/PublishRecord.h"

#include "core/transfer/FtpSettings.h"
#include "core/transfer/HostConnection.h"
#include "core/util/AtomicFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(PublishRecord)
};

const QString DestinationKey = QStringLiteral("destination");
const QString FilesKey = QStringLiteral("files");
const QString Sha256Key = QStringLiteral("sha256");
const QString SizeKey = QStringLiteral("size");
const QString Md5Key = QStringLiteral("md5");
const QString PassiveKey = QStringLiteral("passive");
const QString Tls12Key = QStringLiteral("tls12");

QJsonArray readDestinations(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll())
        .object()
        .value(QStringLiteral("destinations"))
        .toArray();
}

} // namespace

std::optional<FileFingerprint> FileFingerprint::of(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return std::nullopt;
    return FileFingerprint{hash.result().toHex(), file.size()};
}

QString PublishRecord::filePath(const DataDirectory& store)
{
    return store.filePath(QLatin1String(FileName));
}

PublishRecord PublishRecord::load(const DataDirectory& store, const FtpSettings& settings)
{
    PublishRecord record;
    record.m_path = filePath(store);
    // Names as they reach the host: the same host under another spelling is
    // the same destination.
    record.m_destination = serverAddress(settings.text(SettingsField::FtpServer)) +
                           QLatin1Char(' ') + settings.text(SettingsField::UserName) +
                           QLatin1Char(' ') + settings.text(SettingsField::UploadPath);
    for (const auto& entry : readDestinations(record.m_path)) {
        if (entry[DestinationKey].toString() != record.m_destination)
            continue;
        record.m_needs = {entry[PassiveKey].toBool(), entry[Tls12Key].toBool()};
        const QJsonObject files = entry[FilesKey].toObject();
        for (auto file = files.begin(); file != files.end(); ++file) {
            const QJsonObject sent = file.value().toObject();
            record.m_files.insert(file.key(), {{sent[Sha256Key].toString().toLatin1(),
                                                qint64(sent[SizeKey].toDouble(-1))},
                                               sent[Md5Key].toString().toLatin1()});
        }
    }
    return record;
}

const FileFingerprint* PublishRecord::find(const QString& name) const
{
    const auto found = m_files.constFind(name);
    return found == m_files.cend() ? nullptr : &found->content;
}

QByteArray PublishRecord::md5(const QString& name) const
{
    return m_files.value(name).md5;
}

void PublishRecord::noteSent(const QString& name, const FileFingerprint& content,
                             const QByteArray& md5)
{
    m_files.insert(name, {content, md5});
}

void PublishRecord::forget(const QString& name)
{
    m_files.remove(name);
}

Status PublishRecord::save() const
{
    QJsonObject files;
    for (auto file = m_files.cbegin(); file != m_files.cend(); ++file) {
        QJsonObject sent{{Sha256Key, QString::fromLatin1(file->content.sha256)},
                         {SizeKey, double(file->content.size)}};
        if (!file->md5.isEmpty())
            sent.insert(Md5Key, QString::fromLatin1(file->md5));
        files.insert(file.key(), sent);
    }
    QJsonArray destinations;
    for (const auto& entry : readDestinations(m_path)) {
        if (entry[DestinationKey].toString() != m_destination)
            destinations.append(entry);
    }
    QJsonObject entry{{DestinationKey, m_destination}, {FilesKey, files}};
    if (m_needs.passive)
        entry.insert(PassiveKey, true);
    if (m_needs.tls12)
        entry.insert(Tls12Key, true);
    destinations.append(entry);
    const QByteArray json =
        QJsonDocument(QJsonObject{{QStringLiteral("destinations"), destinations}}).toJson();
    return replaceFile(m_path, json);
}

Status PublishRecord::noteSentNow(const DataDirectory& store, const FtpSettings& settings,
                                  const QString& name, const QString& localPath)
{
    const std::optional<FileFingerprint> content = FileFingerprint::of(localPath);
    if (!content)
        return Status::failure(
            Texts::tr("%1 cannot be read.").arg(QDir::toNativeSeparators(localPath)));
    PublishRecord record = load(store, settings);
    record.noteSent(name, *content);
    return record.save();
}

} // namespace wareloom
