#include "gui/automation/AutomationAdaptor.h"

#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <dlfcn.h>

namespace wareloom {
namespace {

const QString ConnectionName = QStringLiteral("wareloom-automation");

// libdbus answers org.freedesktop.DBus.Peer itself, before any handler sees
// the call; a Ping would then hold nothing. Routing these calls to the
// handlers lets the object see them (it answers them itself). The function
// belongs to the libdbus that QtDBus has loaded.
void routePeerCallsToHandlers(const QDBusConnection& connection)
{
    using SetRoutePeerMessages = void (*)(void*, unsigned int);
    static const auto setRoute = reinterpret_cast<SetRoutePeerMessages>(
        dlsym(RTLD_DEFAULT, "dbus_connection_set_route_peer_messages"));
    if (setRoute && connection.internalPointer())
        setRoute(connection.internalPointer(), 1);
}

} // namespace

AutomationAdaptor::AutomationAdaptor() : m_connection(QString())
{
    m_watcher.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(&m_object, &AutomationObject::called, this, &AutomationAdaptor::hold);
    connect(&m_watcher, &QDBusServiceWatcher::serviceUnregistered, this,
            &AutomationAdaptor::release);
}

AutomationAdaptor::~AutomationAdaptor()
{
    releaseName();
    if (m_connection.isConnected())
        m_connection.unregisterObject(QStringLiteral("/"), QDBusConnection::UnregisterTree);
    QDBusConnection::disconnectFromBus(ConnectionName);
}

bool AutomationAdaptor::start()
{
    m_connection = QDBusConnection::connectToBus(QDBusConnection::SessionBus, ConnectionName);
    if (!m_connection.isConnected())
        return false;
    routePeerCallsToHandlers(m_connection);
    // Registered at the root so that Peer calls on any path keep their answer.
    if (!m_connection.registerVirtualObject(QStringLiteral("/"), &m_object,
                                            QDBusConnection::SubPath))
        return false;
    m_watcher.setConnection(m_connection);
    m_connection.connect(QString(), QStringLiteral("/org/freedesktop/DBus/Local"),
                         QStringLiteral("org.freedesktop.DBus.Local"),
                         QStringLiteral("Disconnected"), this, SLOT(releaseEveryone()));
    // When another instance owns the name this one waits in line for it;
    // meanwhile its clients reach it by its unique name.
    const auto owned = m_connection.interface()->registerService(
        QLatin1String(automation::ServiceName), QDBusConnectionInterface::QueueService,
        QDBusConnectionInterface::DontAllowReplacement);
    return owned.isValid();
}

void AutomationAdaptor::releaseName()
{
    if (m_connection.isConnected())
        m_connection.interface()->unregisterService(QLatin1String(automation::ServiceName));
}

void AutomationAdaptor::hold(const QString& client)
{
    if (client.isEmpty() || m_holders.contains(client))
        return;
    m_holders.insert(client);
    m_watcher.addWatchedService(client);
    if (m_holders.size() == 1)
        Q_EMIT heldChanged(true);
    releaseWhenAlreadyGone(client);
}

// A client may leave between its call and the start of the watch on it.
void AutomationAdaptor::releaseWhenAlreadyGone(const QString& client)
{
    const QDBusPendingCall call =
        m_connection.interface()->asyncCall(QStringLiteral("NameHasOwner"), client);
    auto* watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, client](QDBusPendingCallWatcher* finished) {
                const QDBusPendingReply<bool> hasOwner = *finished;
                if (hasOwner.isValid() && !hasOwner.value())
                    release(client);
                finished->deleteLater();
            });
}

void AutomationAdaptor::releaseEveryone()
{
    for (const QString& client : m_holders)
        m_watcher.removeWatchedService(client);
    const bool wasHeld = held();
    m_holders.clear();
    if (wasHeld)
        Q_EMIT heldChanged(false);
}

void AutomationAdaptor::release(const QString& client)
{
    if (!m_holders.remove(client))
        return;
    m_watcher.removeWatchedService(client);
    if (m_holders.isEmpty())
        Q_EMIT heldChanged(false);
}

} // namespace wareloom
