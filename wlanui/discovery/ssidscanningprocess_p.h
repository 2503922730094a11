#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

class QTimer;

namespace Velin {

class DBusDispatcher;
class SSIDScanningProcess;

class SSIDScanningProcessPrivate : public QObject
{
    Q_OBJECT

public:
    explicit SSIDScanningProcessPrivate(SSIDScanningProcess* q);
    ~SSIDScanningProcessPrivate() override;

    SSIDScanningProcess* const q;
    // Made on the first request; not a child, deleted here.
    DBusDispatcher* dispatcher = nullptr;
    // Repeats the request until the daemon answers; a child, or null.
    QTimer* retryTimer = nullptr;
    // Requests sent since the retry timer was made.
    int attempts = 0;
    QString ssid;
    bool busy = false;

public Q_SLOTS:
    void sendScanRequest();
    void callReply(const QString& method, const QList<QVariant>& arguments, const QString& errorText);
    void signalReceived(const QString& interface, const QString& name, const QList<QVariant>& arguments);

private:
    void stopRetrying();
};

} // namespace Velin
