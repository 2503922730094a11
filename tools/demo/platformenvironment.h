#pragma once

#include <QObject>
#include <QString>

class PlatformEnvironmentPrivate;

// Everything around the framework that a development machine lacks: private
// session and system buses, the simulated platform daemons on the system bus,
// and a settings store (dconf) with the default catalogue and a private user
// database for saved access points.  Start it before anything uses D-Bus.
class PlatformEnvironment : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        QString networksFile;   // the simulator's networks (data/networks.json)
        QString simulatorPath;  // velin-platform-sim
        QString settingsDatabase;  // compiled default store; empty: none
        QString keyFile;        // key file offered to the credential sheets
    };

    explicit PlatformEnvironment(QObject* parent = nullptr);
    ~PlatformEnvironment() override;

    bool start(const Options& options);
    void stop();

    // The simulator's control interface (docs/dbus.md), for the tour.
    bool control(const QString& method, const QVariantList& arguments = QVariantList());

private:
    PlatformEnvironmentPrivate* const d;
};
