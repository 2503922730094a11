#pragma once

#include <QByteArray>
#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

class QDBusInterface;
class PlatformSimFixturePrivate;

// Runs velin-platform-sim (the simulated WLAN, EAP and connectivity daemons,
// docs/dbus.md) on the private system bus that PrivateBus exports, with a
// networks file the test gives, and offers its control interface.
//
// start() returns once every daemon name is owned; stop() (and the
// destructor) ends the process with SIGTERM and reports whether it left
// cleanly. The simulator inherits the test's environment at start(), so a
// DconfFixture set up before decides where --save-settings writes go.
class PlatformSimFixture : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool running READ isRunning)
    Q_PROPERTY(int exitCode READ exitCode)
    Q_PROPERTY(QString log READ log)
    Q_PROPERTY(QString networksPath READ networksPath)

public:
    explicit PlatformSimFixture(QObject* parent = nullptr);
    ~PlatformSimFixture() override;

    // The data file's JSON (docs/platform-sim.md), written to a temporary
    // file at start(); without it the simulator serves no networks.
    void setNetworks(const QByteArray& json);
    QString networksPath() const;
    // --save-settings: WPS saves networks to the settings store.
    void setSaveSettings(bool save);
    // More command-line options, e.g. {"--scan-delay", "50"}.
    void setExtraArguments(const QStringList& arguments);

    bool start(int timeoutMs = 10000);
    bool stop();
    bool isRunning() const;
    // The exit code once it has ended (-1 before, or after a crash).
    int exitCode() const;
    // Everything the simulator printed so far.
    QString log() const;

    // com.qorva.platformsim.Control on /com/qorva/platformsim (null when not running).
    QDBusInterface* control() const;
    // A blocking call to a control method: the reply or the error.
    QDBusMessage callControl(const QString& method, const QList<QVariant>& arguments = QList<QVariant>()) const;

    // Shorthands for the control methods; false (with a warning) on an error reply.
    bool setScanMode(const QString& mode);
    bool setScanDelay(uint milliseconds);
    bool setConnectDelay(uint milliseconds);
    bool failNextConnection(const QString& reason);
    bool dropLink();
    bool announceWpsSuccess(const QStringList& ids);
    // Writes json to a temporary file and has the simulator load it.
    bool loadNetworks(const QByteArray& json);
    QStringList networks() const;
    uint scanRequests() const;
    QString lastConnectId() const;
    QString currentLink() const;

    // The simulator's executable.
    static QString program();
    // The names it owns on the bus.
    static QStringList serviceNames();

private:
    PlatformSimFixturePrivate* const d;
};
