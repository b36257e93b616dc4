#include "gui/SingleInstance.h"

#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>

namespace wareloom {
namespace {

const QString ObjectPath = QStringLiteral("/io/github/wareloom/Wareloom");
const QString Interface = QStringLiteral("org.freedesktop.Application");
constexpr int ActivateTimeoutMs = 5000;

} // namespace

SingleInstance::SingleInstance(QString dataDirectory, QObject* parent)
    : QObject(parent), m_dataDirectory(std::move(dataDirectory)),
      m_lock(m_dataDirectory + QStringLiteral("/.wareloom.lock"))
{
    m_lock.setStaleLockTime(0); // a lock whose process has gone is stale at once
}

SingleInstance::~SingleInstance()
{
    if (m_registered) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterObject(ObjectPath);
        bus.interface()->unregisterService(serviceName());
    }
}

// One name per data directory, so that each store has its own window.
QString SingleInstance::serviceName() const
{
    const QByteArray folder = QDir(m_dataDirectory).canonicalPath().toUtf8();
    return QStringLiteral("io.github.wareloom.Wareloom.Folder_") +
           QString::fromLatin1(
               QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex().left(32));
}

SingleInstance::Claim SingleInstance::claim()
{
    if (!m_lock.tryLock(0)) {
        // A folder where no lock file can be made cannot be shared safely
        // either, but refusing to start there would lock the seller out.
        if (m_lock.error() != QLockFile::LockFailedError)
            return Claim::First;
        return askOwnerToActivate() ? Claim::Raised : Claim::Busy;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() &&
        bus.registerObject(ObjectPath, this, QDBusConnection::ExportScriptableSlots)) {
        const auto owned = bus.interface()->registerService(
            serviceName(), QDBusConnectionInterface::DontQueueService);
        m_registered =
            owned.isValid() && owned.value() == QDBusConnectionInterface::ServiceRegistered;
        if (!m_registered)
            bus.unregisterObject(ObjectPath);
    }
    return Claim::First;
}

bool SingleInstance::askOwnerToActivate() const
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(serviceName(), ObjectPath, Interface,
                                                       QStringLiteral("Activate"));
    call << QVariantMap();
    return bus.call(call, QDBus::Block, ActivateTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

void SingleInstance::Activate(const QVariantMap&)
{
    Q_EMIT activationRequested();
}

} // namespace wareloom
