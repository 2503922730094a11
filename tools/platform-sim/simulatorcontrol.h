#pragma once

#include <QDBusConnection>
#include <QObject>

class ConnectivityDaemon;
class EapDaemon;
class NetworkCatalogue;
class WlanDaemon;
class SimulatorControlPrivate;

// "com.qorva.platformsim.Control" on /com/qorva/platformsim: lets tests and
// the demo steer the simulated daemons and read what they were asked.
class SimulatorControl : public QObject
{
    Q_OBJECT
    Q_PROPERTY(uint calls READ calls)

public:
    static const QString serviceName;
    static const QString path;
    static const QString interfaceName;
    static const QString invalidArgumentsError;
    static const QString invalidFileError;
    // Upper bound for the delays, so that a typo cannot stall a test for hours.
    static const uint maximumDelay = 60000;

    SimulatorControl(const QDBusConnection& connection, NetworkCatalogue* catalogue, WlanDaemon* wlan,
                     EapDaemon* eap, ConnectivityDaemon* connectivity, QObject* parent = nullptr);
    ~SimulatorControl() override;

    bool registerObjects();

    // Control calls answered without error.
    uint calls() const;

private:
    SimulatorControlPrivate* const d;
};
