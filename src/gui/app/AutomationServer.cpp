#include "gui/app/AutomationServer.h"

#include "gui/app/CWareloomDlgAutoProxy.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QMetaClassInfo>

#include <dlfcn.h>

namespace wareloom {
namespace {

const QString ConnectionName = QStringLiteral("wareloom-automation");
const QString PeerInterface = QStringLiteral("org.freedesktop.DBus.Peer");
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString IntrospectableInterface = QStringLiteral("org.freedesktop.DBus.Introspectable");

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

// The child of path on the way to the object, for the introspection of the
// paths above it: "/" leads to "Wareloom", "/Wareloom" to "Application".
QString childTowardsObject(const QString& path)
{
    const QString object = QLatin1String(automation::ObjectPath);
    const QString prefix = path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
    if (!object.startsWith(prefix))
        return {};
    return object.mid(prefix.size()).section(QLatin1Char('/'), 0, 0);
}

// Answers as libdbus would have: Ping and GetMachineId, on any path.
QDBusMessage peerAnswer(const QDBusMessage& message)
{
    if (message.member() == QLatin1String("Ping"))
        return message.createReply();
    if (message.member() == QLatin1String("GetMachineId"))
        return message.createReply(QString::fromLatin1(QDBusConnection::localMachineId()));
    return message.createErrorReply(
        QDBusError::UnknownMethod,
        QStringLiteral("No method %1 in %2").arg(message.member(), message.interface()));
}

// The object's answer to a call neither Peer nor Introspect: its interface
// has no methods and no properties.
QDBusMessage objectAnswer(const QDBusMessage& message)
{
    const QString interface = message.interface();
    if (interface == PropertiesInterface) {
        if (message.member() == QLatin1String("GetAll"))
            return message.createReply(QVariant::fromValue(QVariantMap()));
        return message.createErrorReply(
            QDBusError::UnknownProperty,
            QStringLiteral("%1 has no properties").arg(QLatin1String(automation::InterfaceName)));
    }
    if (interface.isEmpty() || interface == QLatin1String(automation::InterfaceName))
        return message.createErrorReply(
            QDBusError::UnknownMethod,
            QStringLiteral("%1 has no methods").arg(QLatin1String(automation::InterfaceName)));
    return message.createErrorReply(
        QDBusError::UnknownInterface,
        QStringLiteral("No interface %1 at %2").arg(interface, message.path()));
}

bool isIntrospect(const QDBusMessage& message)
{
    return message.member() == QLatin1String("Introspect") &&
           (message.interface().isEmpty() || message.interface() == IntrospectableInterface);
}

} // namespace

QString AutomationObject::introspect(const QString& path) const
{
    if (path == QLatin1String(automation::ObjectPath)) {
        const QMetaObject* meta = metaObject();
        return QString::fromUtf8(
            meta->classInfo(meta->indexOfClassInfo("D-Bus Introspection")).value());
    }
    const QString child = childTowardsObject(path);
    return child.isEmpty() ? QString() : QStringLiteral("  <node name=\"%1\"/>\n").arg(child);
}

bool AutomationObject::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (message.type() != QDBusMessage::MethodCallMessage)
        return false;
    const bool onObject = message.path() == QLatin1String(automation::ObjectPath);
    if (onObject)
        Q_EMIT called(message.service());
    if (message.interface() == PeerInterface)
        return connection.send(peerAnswer(message));
    // Introspection, and every other path, get the connection's own answers.
    if (!onObject || isIntrospect(message))
        return false;
    return connection.send(objectAnswer(message));
}

AutomationServer::AutomationServer() : m_connection(QString())
{
    m_watcher.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(&m_object, &AutomationObject::called, this, &AutomationServer::hold);
    connect(&m_watcher, &QDBusServiceWatcher::serviceUnregistered, this,
            &AutomationServer::release);
}

AutomationServer::~AutomationServer()
{
    m_proxy.reset();
    releaseName();
    if (m_connection.isConnected())
        m_connection.unregisterObject(QStringLiteral("/"), QDBusConnection::UnregisterTree);
    QDBusConnection::disconnectFromBus(ConnectionName);
}

bool AutomationServer::start()
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

void AutomationServer::releaseName()
{
    if (m_connection.isConnected())
        m_connection.interface()->unregisterService(QLatin1String(automation::ServiceName));
}

void AutomationServer::hold(const QString& client)
{
    if (client.isEmpty() || m_holders.contains(client))
        return;
    m_holders.insert(client);
    m_watcher.addWatchedService(client);
    if (!m_proxy)
        m_proxy = std::make_unique<CWareloomDlgAutoProxy>();
    releaseWhenAlreadyGone(client);
}

// A client may leave between its call and the start of the watch on it.
void AutomationServer::releaseWhenAlreadyGone(const QString& client)
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

void AutomationServer::releaseEveryone()
{
    for (const QString& client : m_holders)
        m_watcher.removeWatchedService(client);
    m_holders.clear();
    m_proxy.reset();
}

void AutomationServer::release(const QString& client)
{
    if (!m_holders.remove(client))
        return;
    m_watcher.removeWatchedService(client);
    if (m_holders.isEmpty())
        m_proxy.reset();
}

} // namespace wareloom
