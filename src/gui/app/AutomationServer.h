#pragma once

#include "core/automation/AutomationInterface.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QDBusVirtualObject>
#include <QObject>
#include <QSet>

#include <memory>

class CWareloomDlgAutoProxy;

namespace wareloom {

// The object /Wareloom/Application with its empty interface. It sees every
// call made on it, the standard interfaces Peer and Introspectable included,
// and tells who called.
class AutomationObject : public QDBusVirtualObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Wareloom.IWareloom")
    Q_CLASSINFO("D-Bus Introspection", WARELOOM_IWARELOOM_INTROSPECTION)

public:
    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

Q_SIGNALS:
    void called(const QString& client);
};

// The automation server of an automated run: serves the object on a session
// bus connection of its own and owns the name Wareloom.Application. A client
// that calls the object holds it until it leaves the bus; while anyone holds
// it, one CWareloomDlgAutoProxy lives.
class AutomationServer : public QObject
{
    Q_OBJECT

public:
    AutomationServer();
    ~AutomationServer() override;

    // False when the session bus cannot be reached or the object not served.
    bool start();

    // Gives up the bus name, when the program is about to end: a client
    // calling the name from then on starts a new instance.
    void releaseName();

    QDBusConnection connection() const { return m_connection; }
    int holderCount() const { return int(m_holders.size()); }

private Q_SLOTS:
    // The bus has gone, and with it every client.
    void releaseEveryone();

private:
    void hold(const QString& client);
    void release(const QString& client);
    void releaseWhenAlreadyGone(const QString& client);

    QDBusConnection m_connection;
    AutomationObject m_object;
    QDBusServiceWatcher m_watcher;
    QSet<QString> m_holders;
    std::unique_ptr<CWareloomDlgAutoProxy> m_proxy;
};

} // namespace wareloom
