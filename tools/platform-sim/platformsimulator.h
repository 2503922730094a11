#pragma once

#include <QObject>
#include <QString>

class ConnectivityDaemon;
class EapDaemon;
class NetworkCatalogue;
class SettingsWriter;
class SimulatorControl;
class WlanDaemon;
class PlatformSimulatorPrivate;

// All simulated daemons on one bus connection. Configure, load networks,
// then start(): the objects are registered first and the bus names owned
// last, "com.qorva.platformsim" at the very end, so a client that sees
// that name owned finds everything served.
class PlatformSimulator : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool running READ isRunning NOTIFY runningChanged)
    Q_PROPERTY(QString busAddress READ busAddress WRITE setBusAddress)
    Q_PROPERTY(uint scanDelay READ scanDelay WRITE setScanDelay)
    Q_PROPERTY(uint connectDelay READ connectDelay WRITE setConnectDelay)
    Q_PROPERTY(uint pinWait READ pinWait WRITE setPinWait)
    Q_PROPERTY(bool saveSettings READ saveSettings WRITE setSaveSettings)

public:
    explicit PlatformSimulator(QObject* parent = nullptr);
    ~PlatformSimulator() override; // releases the names

    // Empty: the system bus (DBUS_SYSTEM_BUS_ADDRESS or the standard socket).
    void setBusAddress(const QString& address);
    QString busAddress() const;
    void setScanDelay(uint milliseconds);
    uint scanDelay() const;
    void setConnectDelay(uint milliseconds);
    uint connectDelay() const;
    void setPinWait(uint milliseconds);
    uint pinWait() const;
    void setSaveSettings(bool save);
    bool saveSettings() const;

    NetworkCatalogue* catalogue() const;

    bool start(QString* error);
    void stop();
    bool isRunning() const;

Q_SIGNALS:
    void runningChanged(bool running);
    // The bus went away under a running simulator.
    void busLost();

private:
    PlatformSimulatorPrivate* const d;
};
