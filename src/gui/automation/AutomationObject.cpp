#include "gui/automation/AutomationObject.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QMetaClassInfo>

namespace wareloom {
namespace {

const QString PeerInterface = QStringLiteral("org.freedesktop.DBus.Peer");
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString IntrospectableInterface = QStringLiteral("org.freedesktop.DBus.Introspectable");

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

} // namespace wareloom
