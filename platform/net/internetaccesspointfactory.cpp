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

    bool created = false;
    const AccessPointRecordPtr record = AccessPointRegistry::acquire(parsed.id, &created);
    if (created) {
        // A live record already holds whatever was loaded or edited since.
        QMap<QString, QVariant> saved;
        if (SavedAccessPoints::read(parsed.id, nullptr, &saved))
            record->properties = saved;
    }
    record->data = configuration;
    record->parsed = parsed;
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
