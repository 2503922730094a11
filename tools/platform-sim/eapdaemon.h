#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>

class EapDaemonPrivate;

// The EAP daemon's part the system listens to: "wps_success" on
// /com/qorva/eap/signal when WPS has configured and saved access points.
class EapDaemon : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int announcements READ announcements NOTIFY wpsSuccessAnnounced)
    Q_PROPERTY(QStringList lastIds READ lastIds NOTIFY wpsSuccessAnnounced)

public:
    static const QString serviceName;
    static const QString signalPath;
    static const QString signalInterface;

    explicit EapDaemon(const QDBusConnection& connection, QObject* parent = nullptr);
    ~EapDaemon() override;

    bool announceWpsSuccess(const QStringList& ids);

    int announcements() const;
    QStringList lastIds() const;

Q_SIGNALS:
    void wpsSuccessAnnounced(const QStringList& ids);

private:
    EapDaemonPrivate* const d;
};
