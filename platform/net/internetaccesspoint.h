#pragma once

#include "net/netglobal.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace Velin {

class InternetAccessPointPrivate;
class InternetAccessPointFactory;
struct AccessPointRecord;

// One access point as the connectivity framework sees it: a data list that
// identifies the network, and a map of properties (credentials, options).
//
// Instances are cheap handles: copies, instances built from a data list and
// instances made by InternetAccessPointFactory for the same id all share one
// in-process record, so a property set through one is seen through all. The
// record lives as long as some instance refers to it. An instance without id
// has a record of its own (shared only with its copies). Records are meant
// for the thread that uses them; only the registry itself is thread-safe.
//
// The data list has six entries: service type (QString), service attributes
// (uint), service id (QString), network type (QString: "WLAN_INFRA",
// "WLAN_ADHOC", "WLAN_HIDDEN", "WLAN_NEW"), network attributes (uint, see
// NetworkAttribute) and network id (QByteArray: the SSID, possibly followed
// by one NUL; a QString for fixed entries).
class VELINNET_EXPORT InternetAccessPoint : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString id READ id)
    Q_PROPERTY(QString name READ name)
    Q_PROPERTY(QString type READ type)
    Q_PROPERTY(bool valid READ isValid)
    Q_PROPERTY(bool saved READ isSaved)
    Q_PROPERTY(QString securityImageName READ securityImageName)

public:
    // The security method in the network attributes word (data list entry
    // 4): bits 3-6, the capability word's security nibble (bits 4-7) moved
    // down by one bit, as the framework keeps it.
    enum NetworkAttribute : uint {
        SecurityMask = 0x00000078,
        SecurityNone = 0x00,
        SecurityWep = 0x10,
        SecurityWpaPsk = 0x20,
        SecurityWpaEap = 0x40,
        SecurityWapiPsk = 0x38,
        SecurityWapiCertificate = 0x58
    };
    Q_ENUM(NetworkAttribute)

    // Positions in the data list.
    enum DataEntry {
        ServiceTypeEntry = 0,
        ServiceAttributesEntry = 1,
        ServiceIdEntry = 2,
        NetworkTypeEntry = 3,
        NetworkAttributesEntry = 4,
        NetworkIdEntry = 5,
        DataEntryCount = 6
    };
    Q_ENUM(DataEntry)

    InternetAccessPoint(QObject* parent = nullptr);
    explicit InternetAccessPoint(const QList<QVariant>& data, QObject* parent = nullptr);
    // Copies share the record; the parent is not copied.
    InternetAccessPoint(const InternetAccessPoint& other);
    InternetAccessPoint& operator=(const InternetAccessPoint& other);
    ~InternetAccessPoint() override;

    // The SSID as text (its bytes read as Latin-1) for a WLAN data list, the
    // text of entry 5 for fixed entries; empty when there is none.
    QString id() const;
    // Property "name" when set, else the id.
    QString name() const;
    // Property "type" when set, else entry 3 of the data list.
    QString type() const;
    bool isValid() const;

    // These hide QObject::property/setProperty on purpose: access point
    // properties live in the shared record, never in QObject's dynamic
    // properties. Qt's property system stays reachable as QObject::property.
    QVariant property(const QString& key) const;
    QVariant property(const char* key) const;
    void setProperty(const QString& key, const QVariant& value);
    void setProperty(const char* key, const QVariant& value);
    void setProperties(const QMap<QString, QVariant>& properties);
    // The properties set explicitly (no defaults, real keys only).
    QMap<QString, QVariant> properties() const;
    // Values read where a property is unset.
    void setDefaults(const QMap<QString, QVariant>& defaults);
    QMap<QString, QVariant> defaults() const;
    // alias key -> real key, for reads and writes.
    void setPropertyAliases(const QHash<QString, QString>& aliases);
    QHash<QString, QString> propertyAliases() const;

    QList<QVariant> data() const;
    void setData(const QList<QVariant>& data);

    // "icon-s-wlan-wep", "icon-s-wlan-wpa" (WPA-PSK, WPA-EAP, WAPI) or ""
    // (open), from property "wlan_security" ("NONE", "WEP", "WPA_PSK",
    // "WPA_EAP", "WAI_PSK", "WAI_certificate") or else the attributes word.
    QString securityImageName() const;

    // Asks the connectivity daemon to drop the current WLAN connection; does
    // not wait for an answer. Hides QObject::disconnect: code that needs Qt's
    // calls QObject::disconnect(...) explicitly.
    void disconnect();

    // Saved access points live in the settings store, one directory per id.
    bool save();
    bool forget();
    bool isSaved() const;
    // Reads the saved state into the record for id (invalid when not saved).
    static InternetAccessPoint loadSaved(const QString& id);
    static QStringList savedIds();

private:
    friend class InternetAccessPointFactory;
    friend class InternetAccessPointPrivate;
    InternetAccessPointPrivate* const d;
};

} // namespace Velin

Q_DECLARE_METATYPE(Velin::InternetAccessPoint)
