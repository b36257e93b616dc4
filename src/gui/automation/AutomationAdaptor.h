#pragma once

#include "gui/automation/AutomationObject.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QSet>

namespace wareloom {

// The automation side of an automated run: serves the object on a session
// bus connection of its own and owns the name Wareloom.Application. A client
// that calls the object holds the program until it leaves the bus.
class AutomationAdaptor : public QObject
{
    Q_OBJECT

public:
    AutomationAdaptor();
    ~AutomationAdaptor() override;

    // False when the session bus cannot be reached or the object not served.
    bool start();
    // Gives up the bus name, when the program is about to end: a client
    // calling the name from then on starts a new instance.
    void releaseName();
    bool held() const { return !m_holders.isEmpty(); }

Q_SIGNALS:
    // The first client has called, or the last one has left.
    void heldChanged(bool held);

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
};

} // namespace wareloom
