#include "net/internetaccesspointfactory.h"

#include "net/accesspointrecord_p.h"
#include "net/savedaccesspoints_p.h"

#include <QtDebug>

namespace Velin {

InternetAccessPoint InternetAccessPointFactory::create(const ScanResult& result)
{
    const QList<QVariant> configuration = result.configuration();
    const AccessPointData parsed = parseAccessPointData(configuration);
    if (!parsed.usable) {
        qWarning("Velin::InternetAccessPointFactory: a scan result without a usable configuration");
        return InternetAccessPoint();
    }

    const AccessPointRecordPtr record = AccessPointRegistry::acquire(parsed.id);
    // The saved state wins over a live record's: a record kept alive by a
    // process that changed it for its own use (WPS keys, say) must not leak
    // those changes into a connection to the saved network.
    QMap<QString, QVariant> saved;
    const bool replace = SavedAccessPoints::read(parsed.id, nullptr, &saved) && record->properties != saved;
    if (replace)
        record->properties = saved;
    record->setData(configuration);
    if (replace)
        record->notifyPropertiesChanged();
    return InternetAccessPointPrivate::forRecord(record);
}

InternetAccessPoint InternetAccessPointFactory::create(const QString& id)
{
    if (id.isEmpty()) {
        qWarning("Velin::InternetAccessPointFactory: an access point needs an id");
        return InternetAccessPoint();
    }
    if (const AccessPointRecordPtr live = AccessPointRegistry::find(id))
        return InternetAccessPointPrivate::forRecord(live);
    if (SavedAccessPoints::isSaved(id))
        return InternetAccessPoint::loadSaved(id);
    return InternetAccessPointPrivate::forRecord(AccessPointRegistry::acquire(id));
}

} // namespace Velin
