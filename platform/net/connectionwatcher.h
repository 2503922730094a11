#pragma once

#include "net/internetaccesspoint.h"
#include "net/netglobal.h"

#include <QObject>
#include <QString>

namespace Velin {

class ConnectionWatcherPrivate;

// Reports the connectivity daemon's state changes of one access point.
class VELINNET_EXPORT ConnectionWatcher : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString id READ id)

public:
    explicit ConnectionWatcher(const InternetAccessPoint& iap, QObject* parent = nullptr);
    ~ConnectionWatcher() override;

    InternetAccessPoint internetAccessPoint() const;
    QString id() const;

Q_SIGNALS:
    void connecting(const Velin::InternetAccessPoint& iap);
    // On "connected", whoever asked for the connection.
    void connected(const Velin::InternetAccessPoint& iap);
    // On "disconnected" and on "failed".
    void disconnected(const Velin::InternetAccessPoint& iap);

private:
    ConnectionWatcherPrivate* const d;
    friend class ConnectionWatcherPrivate;
};

} // namespace Velin
