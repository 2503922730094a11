#pragma once

#include "net/internetaccesspoint.h"
#include "net/netglobal.h"

#include <QObject>
#include <QString>

namespace Velin {

class ConnectionProcessPrivate;

// Connects to access points through the connectivity daemon. start() takes
// the first queued access point and asks for a connection with its
// properties; the attempt ends with finished() or error(). While it runs, a
// change of that access point's properties (through any instance sharing
// its record) is passed on with "update_properties", so that what is set
// after the start (a WPS PIN) still reaches the daemon.
class VELINNET_EXPORT ConnectionProcess : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int queuedCount READ queuedCount)
    Q_PROPERTY(bool running READ isRunning NOTIFY runningChanged)
    Q_PROPERTY(QString currentId READ currentId)

public:
    explicit ConnectionProcess(QObject* parent = nullptr);
    ~ConnectionProcess() override;

    // Access points without id are refused with a warning.
    void addInternetAccessPoint(const InternetAccessPoint& iap);
    int queuedCount() const;

    bool isRunning() const;
    // The id of the access point being connected, empty when not running.
    QString currentId() const;

public Q_SLOTS:
    void start();

Q_SIGNALS:
    void finished();
    // reason: "no access point", "no system bus", the daemon's failure reason
    // ("wrong-credentials", ...), "disconnected" when the attempt ended
    // without a connection (as a WPS exchange does), or the D-Bus error name
    // of a refused request.
    void error(const QString& reason);
    void runningChanged(bool running);

private:
    ConnectionProcessPrivate* const d;
    friend class ConnectionProcessPrivate;
};

} // namespace Velin
