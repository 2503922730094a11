#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QObject>
#include <QString>

class NetworkCatalogue;
class WlanDaemonPrivate;

// The WLAN daemon: answers "scan" on /com/qorva/skylard/request and, after
// the scan delay, emits "scan_results" with the networks the scan finds.
class WlanDaemon : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString scanMode READ scanMode NOTIFY scanModeChanged)
    Q_PROPERTY(uint scanDelay READ scanDelay WRITE setScanDelay)
    Q_PROPERTY(uint scanRequests READ scanRequests NOTIFY scanRequested)
    Q_PROPERTY(int lastScanPower READ lastScanPower NOTIFY scanRequested)
    Q_PROPERTY(QByteArray lastScanSsid READ lastScanSsid NOTIFY scanRequested)

public:
    static const QString serviceName;
    static const QString requestPath;
    static const QString requestInterface;
    static const QString signalPath;
    static const QString signalInterface;
    static const QString invalidArgumentsError;
    static const QString scanFailedError;
    static const uint defaultScanDelay = 200;

    WlanDaemon(const QDBusConnection& connection, NetworkCatalogue* catalogue, QObject* parent = nullptr);
    ~WlanDaemon() override;

    bool registerObjects();

    // "answer", "ignore", "error" or "silent"; false for anything else.
    bool setScanMode(const QString& mode);
    QString scanMode() const;
    static bool isScanMode(const QString& mode);

    void setScanDelay(uint milliseconds);
    uint scanDelay() const;

    // Well-formed "scan" calls received, in every mode.
    uint scanRequests() const;
    // Arguments of the last well-formed call (power 0 before the first);
    // the SSID without its terminating NUL.
    int lastScanPower() const;
    QByteArray lastScanSsid() const;

Q_SIGNALS:
    void scanModeChanged(const QString& mode);
    void scanRequested(int power, const QByteArray& ssid);

private:
    WlanDaemonPrivate* const d;
};
