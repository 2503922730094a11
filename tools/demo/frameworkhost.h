#pragma once

#include "net/internetaccesspoint.h"
#include "net/scanresult.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class InternetAccessPointTypeInterface;
class QTimer;

namespace Velin {
class ConnectionModel;
class ConnectionProcess;
class ConnectionWatcher;
} // namespace Velin

// Plays the connectivity framework: lists the networks of the last scan and
// the saved ones, asks the type plug-in for icons, filtering, the fixed
// entries and connection preparation, saves and connects access points, and
// connects by itself to the best saved network the plug-in allows.
class FrameworkHost : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString status READ status NOTIFY statusChanged)
    Q_PROPERTY(QString connectedId READ connectedId NOTIFY statusChanged)
    Q_PROPERTY(bool busy READ isBusy NOTIFY statusChanged)
    Q_PROPERTY(bool preparing READ isPreparing NOTIFY statusChanged)

public:
    struct Entry
    {
        QString label;
        QList<QVariant> data;     // the access-point data list
        Velin::ScanResult result; // invalid for a fixed entry
        bool fixed = false;
        QString bearerIcon;
        QString securityIcon;
    };

    explicit FrameworkHost(InternetAccessPointTypeInterface* type, QObject* parent = nullptr);
    ~FrameworkHost() override;

    InternetAccessPointTypeInterface* type() const;
    Velin::ConnectionModel* model() const;

    // Scan results the plug-in keeps, then its fixed entries.
    QList<Entry> entries() const;
    QStringList savedIds() const;

    QString status() const;
    QString connectedId() const;
    // A connection attempt is running.
    bool isBusy() const;
    // The plug-in is preparing a tapped entry (its sheets are up).
    bool isPreparing() const;
    bool hasScanned() const;

public Q_SLOTS:
    void scan();
    // What a tap on an entry does: prepare (through the plug-in) or load the
    // saved access point, and connect. A prepared access point is saved once
    // it has connected, so that a failed attempt leaves nothing behind. A tap
    // while a preparation runs is ignored.
    void activate(const FrameworkHost::Entry& entry);
    void connectAccessPoint(const Velin::InternetAccessPoint& accessPoint, bool saveWhenConnected = false);

Q_SIGNALS:
    void entriesChanged();
    void statusChanged();
    void firstScanDone();

private:
    void setStatus(const QString& status);
    void autoConnect();
    // After the WPS exchange: the plug-in connects to the network that WPS
    // saved; the host follows that connection. A run that ends without
    // trying (nothing found by its scan) says nothing: if no attempt has
    // started when "wpsConnectionTimeout" expires, the network is not
    // connected.
    void followWpsConnection(const Velin::InternetAccessPoint& accessPoint);
    void endWpsFollow();

    InternetAccessPointTypeInterface* m_type;
    Velin::ConnectionModel* m_model;
    Velin::ConnectionProcess* m_process = nullptr;
    QPointer<Velin::ConnectionWatcher> m_watcher;
    QPointer<Velin::ConnectionWatcher> m_wpsWatcher;
    QTimer* m_wpsTimeout;
    QString m_wpsName;
    QString m_status;
    QString m_connectedId;
    QString m_connectingId;
    bool m_scanned = false;
    bool m_autoConnectTried = false;
    bool m_preparing = false;
    bool m_scanning = false; // a scan the host asked for
};

Q_DECLARE_METATYPE(FrameworkHost::Entry)
