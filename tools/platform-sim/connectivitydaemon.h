#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

class EapDaemon;
class NetworkCatalogue;
class SettingsWriter;
class ConnectivityDaemonPrivate;

// The connectivity daemon: "connect_req" starts an attempt that reports
// "connection_state" connecting, then (after the connect delay) connected or
// failed; "disconnect_req" drops the link. A WPS attempt saves the network,
// announces "wps_success" through the EAP daemon and ends with the link
// dropped ("disconnected"), as after a real WPS exchange. "update_properties"
// merges changed properties into the attempt in progress; a WPS attempt with
// method "pin" and no valid PIN yet waits (up to pinWait) for them.
class ConnectivityDaemon : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString currentLink READ currentLink NOTIFY stateReported)
    Q_PROPERTY(QString pendingAttempt READ pendingAttempt NOTIFY stateReported)
    Q_PROPERTY(uint connectDelay READ connectDelay WRITE setConnectDelay)
    Q_PROPERTY(uint pinWait READ pinWait WRITE setPinWait)
    Q_PROPERTY(uint propertyUpdates READ propertyUpdates)
    Q_PROPERTY(uint connectRequests READ connectRequests)
    Q_PROPERTY(QString lastConnectId READ lastConnectId)
    Q_PROPERTY(QVariantMap lastConnectProperties READ lastConnectProperties)
    Q_PROPERTY(QString nextFailure READ nextFailure)

public:
    static const QString serviceName;
    static const QString path;
    static const QString interfaceName;
    static const QString invalidArgumentsError;
    static const QString busyError;
    static const uint dropLinkFlag = 0x8000;
    static const uint defaultConnectDelay = 200;
    static const uint defaultPinWait = 120000;

    ConnectivityDaemon(const QDBusConnection& connection, NetworkCatalogue* catalogue, EapDaemon* eap,
                       SettingsWriter* writer, QObject* parent = nullptr);
    ~ConnectivityDaemon() override;

    bool registerObjects();

    // The id of the connected access point; empty when there is no link.
    QString currentLink() const;
    // The id of the attempt in progress; empty when there is none.
    QString pendingAttempt() const;

    void setConnectDelay(uint milliseconds);
    uint connectDelay() const;

    // How long a WPS PIN attempt waits for a valid PIN before it fails
    // with "timeout".
    void setPinWait(uint milliseconds);
    uint pinWait() const;
    // "update_properties" calls merged into an attempt.
    uint propertyUpdates() const;

    // Well-formed "connect_req" calls received (Busy ones included).
    uint connectRequests() const;
    QString lastConnectId() const;
    QVariantMap lastConnectProperties() const;

    // The next accepted "connect_req" fails with reason ("forced" when empty).
    void failNextConnection(const QString& reason);
    QString nextFailure() const;

    // Ends the link with "disconnected" and reason; false without a link.
    bool dropLink(const QString& reason);

Q_SIGNALS:
    void stateReported(const QString& id, const QString& state, const QString& reason);

private:
    ConnectivityDaemonPrivate* const d;
};
