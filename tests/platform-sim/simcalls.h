#pragma once

#include <QByteArray>
#include <QDBusMessage>
#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantMap>

// Calls the simulated daemons the way their clients do, on the test's
// system bus, without any library in between.
namespace SimCalls {

extern const QString wlanService;
extern const QString wlanRequestPath;
extern const QString wlanRequestInterface;
extern const QString wlanSignalPath;
extern const QString wlanSignalInterface;
extern const QString eapSignalPath;
extern const QString eapSignalInterface;
extern const QString connectivityService;
extern const QString connectivityPath;
extern const QString connectivityInterface;

QDBusMessage call(const QString& service, const QString& path, const QString& interface, const QString& member,
                  const QList<QVariant>& arguments, int timeoutMs = -1);

QDBusMessage scan(int power, const QByteArray& ssid, int timeoutMs = -1);
QDBusMessage connectRequest(const QString& id, const QVariantMap& properties);
QDBusMessage disconnectRequest(uint flags);
// Waits for the answer (the framework sends it without asking for one).
QDBusMessage updateProperties(const QString& id, const QVariantMap& properties);

// One entry of "scan_results".
struct ScanEntry
{
    QByteArray ssid;
    QString bssid;
    int level = 0;
    uint attributes = 0;
    uint capability = 0;
};

// The entries of a "scan_results" message; false when its layout is not
// "i count" followed by count times (ay, s, i, u, u).
bool parseScanResults(const QDBusMessage& message, QList<ScanEntry>* entries);
QList<QByteArray> ssids(const QList<ScanEntry>& entries);

} // namespace SimCalls
