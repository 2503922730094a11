#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QSharedPointer>
#include <QString>
#include <QVariant>

namespace Velin {

// What a data list says, read defensively.
struct AccessPointData
{
    QString id;
    QString networkType;
    uint attributes = 0;
    QByteArray ssid; // without the trailing NUL; empty for fixed entries
    bool usable = false; // six entries and a readable network id
};

// Reads a data list; warns (once per call) about a wrong length or types.
AccessPointData parseAccessPointData(const QList<QVariant>& data);

// The data list of a WLAN network: SSID bytes plus one NUL as entry 5.
QList<QVariant> wlanDataList(const QByteArray& ssid, const QString& networkType, uint attributes);

// Reports changes of one record's properties or defaults, whichever instance
// made them. Owned by the record; made on first use, so records nobody
// watches carry none. Connections end with the record.
class AccessPointRecordNotifier : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

Q_SIGNALS:
    void propertiesChanged();
};

// The state every instance of one access point shares.
struct AccessPointRecord
{
    AccessPointRecord() = default;
    AccessPointRecord(const AccessPointRecord&) = delete;
    AccessPointRecord& operator=(const AccessPointRecord&) = delete;
    ~AccessPointRecord();

    // The record's notifier, made when first asked for.
    AccessPointRecordNotifier* changeNotifier()
    {
        if (!notifier)
            notifier = new AccessPointRecordNotifier;
        return notifier;
    }
    // Tells the listeners, if there are any.
    void notifyPropertiesChanged()
    {
        if (notifier)
            Q_EMIT notifier->propertiesChanged();
    }

    void setData(const QList<QVariant>& list)
    {
        data = list;
        parsed = parseAccessPointData(list);
    }

    QString id;
    QList<QVariant> data;
    AccessPointData parsed;
    QMap<QString, QVariant> properties;
    QMap<QString, QVariant> defaults;
    QHash<QString, QString> aliases;
    bool registered = false;
    QPointer<AccessPointRecordNotifier> notifier;

    QString realKey(const QString& key) const { return aliases.value(key, key); }
};

typedef QSharedPointer<AccessPointRecord> AccessPointRecordPtr;

// The process-wide map id -> live record.
namespace AccessPointRegistry {

// The live record for id, or null.
AccessPointRecordPtr find(const QString& id);
// The live record for id, else a new registered one (*created tells which).
AccessPointRecordPtr acquire(const QString& id, bool* created = nullptr);
// A record of its own, not in the registry (for instances without id).
AccessPointRecordPtr createPrivate();
// Gives record the id newId: registers it there when the id is free, else
// returns the live record that owns newId (record is left unchanged).
AccessPointRecordPtr rekey(const AccessPointRecordPtr& record, const QString& newId);

} // namespace AccessPointRegistry

class InternetAccessPoint;

class InternetAccessPointPrivate
{
public:
    // An instance sharing record.
    static InternetAccessPoint forRecord(const AccessPointRecordPtr& record);
    // The record iap shares.
    static AccessPointRecordPtr recordOf(const InternetAccessPoint& iap);
    // What the connectivity daemon is given: the defaults, overridden by
    // the properties set explicitly (so it sees what property() reads).
    static QMap<QString, QVariant> effectiveProperties(const InternetAccessPoint& iap);

    // Sets (an invalid value: removes) one property without notifying;
    // true when the record changed.
    bool storeProperty(const QString& key, const QVariant& value);

    AccessPointRecordPtr record;
};

void registerNetMetaTypes();

} // namespace Velin
