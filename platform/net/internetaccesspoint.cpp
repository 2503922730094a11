#include "net/internetaccesspoint.h"

#include "net/accesspointrecord_p.h"
#include "net/platformdbus_p.h"
#include "net/savedaccesspoints_p.h"
#include "net/scanresult.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QMutex>
#include <QMutexLocker>
#include <QRecursiveMutex>
#include <QWeakPointer>
#include <QtDebug>

namespace Velin {

namespace {

struct Registry
{
    // Recursive: dropping the last reference to a record (which unregisters
    // it) may happen while the registry is already locked.
    QRecursiveMutex mutex;
    QHash<QString, QWeakPointer<AccessPointRecord>> records;
};

Q_GLOBAL_STATIC(Registry, registry)

const char wepImage[] = "icon-s-wlan-wep";
const char wpaImage[] = "icon-s-wlan-wpa";

QString imageForSecurityMethod(uint method)
{
    switch (method) {
    case InternetAccessPoint::SecurityWep:
        return QLatin1String(wepImage);
    case InternetAccessPoint::SecurityWpaPsk:
    case InternetAccessPoint::SecurityWpaEap:
    case InternetAccessPoint::SecurityWapiPsk:
    case InternetAccessPoint::SecurityWapiCertificate:
        return QLatin1String(wpaImage);
    case InternetAccessPoint::SecurityNone:
        return QString();
    default:
        qWarning("Velin::InternetAccessPoint: unknown security method 0x%x", method);
        return QString();
    }
}

QString imageForSecurityText(const QString& text)
{
    const QString method = text.trimmed().toUpper();
    if (method.isEmpty() || method == QLatin1String("NONE") || method == QLatin1String("OPEN"))
        return QString();
    if (method == QLatin1String("WEP"))
        return QLatin1String(wepImage);
    if (method.startsWith(QLatin1String("WPA")) || method.startsWith(QLatin1String("WAI"))
        || method.startsWith(QLatin1String("WAPI")))
        return QLatin1String(wpaImage);
    qWarning("Velin::InternetAccessPoint: unknown security method \"%s\"", qPrintable(text));
    return QString();
}

} // namespace

void registerNetMetaTypes()
{
    static const bool registered = []() {
        qRegisterMetaType<Velin::InternetAccessPoint>();
        qRegisterMetaType<Velin::ScanResult>();
        qRegisterMetaType<QList<Velin::ScanResult>>();
        return true;
    }();
    Q_UNUSED(registered)
}

// So that queued connections and signal spies know the types before the
// first instance exists.
Q_COREAPP_STARTUP_FUNCTION(registerNetMetaTypes)

AccessPointData parseAccessPointData(const QList<QVariant>& data)
{
    AccessPointData result;
    if (data.isEmpty())
        return result;
    if (data.size() != InternetAccessPoint::DataEntryCount) {
        qWarning("Velin::InternetAccessPoint: a data list has %d entries instead of %d; it is not used",
                 data.size(), int(InternetAccessPoint::DataEntryCount));
        return result;
    }

    QStringList problems;
    auto isText = [&data](int entry) { return data.at(entry).userType() == QMetaType::QString; };
    if (!isText(InternetAccessPoint::ServiceTypeEntry))
        problems << QStringLiteral("service type");
    if (!PlatformDBus::isIntegral(data.at(InternetAccessPoint::ServiceAttributesEntry)))
        problems << QStringLiteral("service attributes");
    if (!isText(InternetAccessPoint::ServiceIdEntry))
        problems << QStringLiteral("service id");

    if (isText(InternetAccessPoint::NetworkTypeEntry))
        result.networkType = data.at(InternetAccessPoint::NetworkTypeEntry).toString();
    else
        problems << QStringLiteral("network type");

    const QVariant attributes = data.at(InternetAccessPoint::NetworkAttributesEntry);
    if (PlatformDBus::isIntegral(attributes))
        result.attributes = attributes.toUInt();
    else
        problems << QStringLiteral("network attributes");

    const QVariant networkId = data.at(InternetAccessPoint::NetworkIdEntry);
    if (networkId.userType() == QMetaType::QByteArray) {
        QByteArray bytes = networkId.toByteArray();
        const int nul = bytes.indexOf('\0');
        if (nul >= 0) {
            if (nul != bytes.size() - 1)
                problems << QStringLiteral("network id (bytes after its NUL)");
            bytes.truncate(nul);
        }
        result.ssid = bytes;
        result.id = QString::fromLatin1(bytes);
    } else if (networkId.userType() == QMetaType::QString) {
        result.id = networkId.toString();
    } else {
        problems << QStringLiteral("network id");
    }
    result.usable = !result.id.isEmpty();

    if (!problems.isEmpty())
        qWarning("Velin::InternetAccessPoint: a data list has entries of unexpected types or content: %s",
                 qPrintable(problems.join(QLatin1String(", "))));
    return result;
}

QList<QVariant> wlanDataList(const QByteArray& ssid, const QString& networkType, uint attributes)
{
    return QList<QVariant>{QString(QLatin1String("")), 0u, QString(QLatin1String("")), networkType, attributes,
                           QByteArray(ssid + '\0')};
}

AccessPointRecord::~AccessPointRecord()
{
    // Qt copes with a sender deleted while it emits.
    delete notifier.data();
    if (!registered || registry.isDestroyed())
        return;
    Registry* r = registry();
    QMutexLocker locker(&r->mutex);
    const auto it = r->records.find(id);
    // Another record may have taken the id since this one's last reference went.
    if (it != r->records.end() && it->isNull())
        r->records.erase(it);
}

namespace AccessPointRegistry {

AccessPointRecordPtr find(const QString& id)
{
    if (id.isEmpty())
        return AccessPointRecordPtr();
    Registry* r = registry();
    QMutexLocker locker(&r->mutex);
    return r->records.value(id).toStrongRef();
}

AccessPointRecordPtr acquire(const QString& id, bool* created)
{
    if (created)
        *created = false;
    if (id.isEmpty())
        return createPrivate();
    Registry* r = registry();
    QMutexLocker locker(&r->mutex);
    AccessPointRecordPtr record = r->records.value(id).toStrongRef();
    if (!record) {
        record = AccessPointRecordPtr::create();
        record->id = id;
        record->registered = true;
        r->records.insert(id, record);
        if (created)
            *created = true;
    }
    return record;
}

AccessPointRecordPtr createPrivate()
{
    return AccessPointRecordPtr::create();
}

AccessPointRecordPtr rekey(const AccessPointRecordPtr& record, const QString& newId)
{
    Registry* r = registry();
    QMutexLocker locker(&r->mutex);
    if (record->id == newId)
        return record;
    if (!newId.isEmpty()) {
        const AccessPointRecordPtr owner = r->records.value(newId).toStrongRef();
        if (owner && owner != record)
            return owner;
    }
    if (record->registered) {
        const auto it = r->records.find(record->id);
        if (it != r->records.end() && it->toStrongRef() == record)
            r->records.erase(it);
    }
    record->id = newId;
    record->registered = !newId.isEmpty();
    if (record->registered)
        r->records.insert(newId, record);
    return record;
}

} // namespace AccessPointRegistry

InternetAccessPoint InternetAccessPointPrivate::forRecord(const AccessPointRecordPtr& record)
{
    InternetAccessPoint iap;
    iap.d->record = record;
    return iap;
}

AccessPointRecordPtr InternetAccessPointPrivate::recordOf(const InternetAccessPoint& iap)
{
    return iap.d->record;
}

QMap<QString, QVariant> InternetAccessPointPrivate::effectiveProperties(const InternetAccessPoint& iap)
{
    QMap<QString, QVariant> properties = iap.d->record->defaults;
    const QMap<QString, QVariant>& explicitProperties = iap.d->record->properties;
    for (auto it = explicitProperties.constBegin(); it != explicitProperties.constEnd(); ++it)
        properties.insert(it.key(), it.value());
    return properties;
}

InternetAccessPoint::InternetAccessPoint(QObject* parent)
    : QObject(parent)
    , d(new InternetAccessPointPrivate)
{
    registerNetMetaTypes();
    d->record = AccessPointRegistry::createPrivate();
}

InternetAccessPoint::InternetAccessPoint(const QList<QVariant>& data, QObject* parent)
    : QObject(parent)
    , d(new InternetAccessPointPrivate)
{
    registerNetMetaTypes();
    const AccessPointData parsed = parseAccessPointData(data);
    d->record = AccessPointRegistry::acquire(parsed.id);
    d->record->data = data;
    d->record->parsed = parsed;
}

InternetAccessPoint::InternetAccessPoint(const InternetAccessPoint& other)
    : QObject(nullptr)
    , d(new InternetAccessPointPrivate)
{
    d->record = other.d->record;
}

InternetAccessPoint& InternetAccessPoint::operator=(const InternetAccessPoint& other)
{
    if (this != &other)
        d->record = other.d->record;
    return *this;
}

InternetAccessPoint::~InternetAccessPoint()
{
    delete d;
}

QString InternetAccessPoint::id() const
{
    return d->record->id;
}

QString InternetAccessPoint::name() const
{
    const QVariant value = property(QStringLiteral("name"));
    const QString text = value.toString();
    return text.isEmpty() ? id() : text;
}

QString InternetAccessPoint::type() const
{
    const QVariant value = property(QStringLiteral("type"));
    if (value.isValid())
        return value.toString();
    return d->record->parsed.networkType;
}

bool InternetAccessPoint::isValid() const
{
    return !d->record->id.isEmpty();
}

QVariant InternetAccessPoint::property(const QString& key) const
{
    const AccessPointRecord& record = *d->record;
    const QString real = record.realKey(key);
    QVariant value = record.properties.value(real);
    if (value.isValid())
        return value;
    value = record.defaults.value(real);
    if (!value.isValid() && real != key)
        value = record.defaults.value(key);
    return value;
}

QVariant InternetAccessPoint::property(const char* key) const
{
    return property(QString::fromUtf8(key));
}

bool InternetAccessPointPrivate::storeProperty(const QString& key, const QVariant& value)
{
    if (key.isEmpty()) {
        qWarning("Velin::InternetAccessPoint: a property needs a key");
        return false;
    }
    const QString real = record->realKey(key);
    const auto it = record->properties.find(real);
    if (!value.isValid()) {
        if (it == record->properties.end())
            return false;
        record->properties.erase(it);
        return true;
    }
    if (it != record->properties.end() && it->userType() == value.userType() && *it == value)
        return false;
    record->properties.insert(real, value);
    return true;
}

void InternetAccessPoint::setProperty(const QString& key, const QVariant& value)
{
    // Held: a listener might drop the last other reference.
    const AccessPointRecordPtr record = d->record;
    if (d->storeProperty(key, value))
        record->notifyPropertiesChanged();
}

void InternetAccessPoint::setProperty(const char* key, const QVariant& value)
{
    setProperty(QString::fromUtf8(key), value);
}

void InternetAccessPoint::setProperties(const QMap<QString, QVariant>& properties)
{
    const AccessPointRecordPtr record = d->record;
    bool changed = false;
    for (auto it = properties.constBegin(); it != properties.constEnd(); ++it)
        changed = d->storeProperty(it.key(), it.value()) || changed;
    // One notification for the lot.
    if (changed)
        record->notifyPropertiesChanged();
}

QMap<QString, QVariant> InternetAccessPoint::properties() const
{
    return d->record->properties;
}

void InternetAccessPoint::setDefaults(const QMap<QString, QVariant>& defaults)
{
    const AccessPointRecordPtr record = d->record;
    if (record->defaults == defaults)
        return;
    record->defaults = defaults;
    record->notifyPropertiesChanged();
}

QMap<QString, QVariant> InternetAccessPoint::defaults() const
{
    return d->record->defaults;
}

void InternetAccessPoint::setPropertyAliases(const QHash<QString, QString>& aliases)
{
    d->record->aliases = aliases;
}

QHash<QString, QString> InternetAccessPoint::propertyAliases() const
{
    return d->record->aliases;
}

QList<QVariant> InternetAccessPoint::data() const
{
    return d->record->data;
}

void InternetAccessPoint::setData(const QList<QVariant>& data)
{
    const AccessPointData parsed = parseAccessPointData(data);
    const AccessPointRecordPtr current = d->record;
    const AccessPointRecordPtr target = AccessPointRegistry::rekey(current, parsed.id);
    if (target != current) {
        // Another record owns the id: join it, bringing what was set here.
        for (auto it = current->properties.constBegin(); it != current->properties.constEnd(); ++it)
            target->properties.insert(it.key(), it.value());
        for (auto it = current->defaults.constBegin(); it != current->defaults.constEnd(); ++it)
            target->defaults.insert(it.key(), it.value());
        for (auto it = current->aliases.constBegin(); it != current->aliases.constEnd(); ++it)
            target->aliases.insert(it.key(), it.value());
        d->record = target;
        target->data = data;
        target->parsed = parsed;
        target->notifyPropertiesChanged();
        return;
    }
    target->data = data;
    target->parsed = parsed;
}

QString InternetAccessPoint::securityImageName() const
{
    const QVariant security = property(QStringLiteral("wlan_security"));
    if (security.userType() == QMetaType::QString || security.userType() == QMetaType::QByteArray)
        return imageForSecurityText(security.toString());
    if (security.isValid())
        qWarning("Velin::InternetAccessPoint: wlan_security holds a %s; using the attributes word",
                 security.typeName());
    return imageForSecurityMethod(d->record->parsed.attributes & SecurityMask);
}

void InternetAccessPoint::disconnect()
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        qWarning("Velin::InternetAccessPoint: the system bus is not connected; cannot disconnect");
        return;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(
        QLatin1String(PlatformDBus::connectivityService), QLatin1String(PlatformDBus::connectivityPath),
        QLatin1String(PlatformDBus::connectivityInterface), QStringLiteral("disconnect_req"));
    message << uint(PlatformDBus::dropWlanConnection);
    bus.call(message, QDBus::NoBlock);
}

bool InternetAccessPoint::save()
{
    if (!isValid()) {
        qWarning("Velin::InternetAccessPoint: cannot save an access point without id");
        return false;
    }
    return SavedAccessPoints::write(id(), type(), d->record->parsed.attributes, d->record->properties);
}

bool InternetAccessPoint::forget()
{
    if (!isValid()) {
        qWarning("Velin::InternetAccessPoint: cannot forget an access point without id");
        return false;
    }
    return SavedAccessPoints::remove(id());
}

bool InternetAccessPoint::isSaved() const
{
    return isValid() && SavedAccessPoints::isSaved(id());
}

InternetAccessPoint InternetAccessPoint::loadSaved(const QString& id)
{
    QList<QVariant> data;
    QMap<QString, QVariant> properties;
    if (!SavedAccessPoints::read(id, &data, &properties))
        return InternetAccessPoint();
    const AccessPointRecordPtr record = AccessPointRegistry::acquire(id);
    record->setData(data);
    const bool changed = record->properties != properties;
    record->properties = properties;
    if (changed)
        record->notifyPropertiesChanged();
    return InternetAccessPointPrivate::forRecord(record);
}

QStringList InternetAccessPoint::savedIds()
{
    return SavedAccessPoints::ids();
}

} // namespace Velin
