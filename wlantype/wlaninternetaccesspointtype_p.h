#pragma once

#include "net/internetaccesspoint.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

namespace Velin {

class WLANInternetAccessPointType;

// The type object's companion: unpacks the framework's data lists and
// prepares connections. A child of the type object.
class WLANInternetAccessPointTypePrivate : public QObject
{
    Q_OBJECT

public:
    explicit WLANInternetAccessPointTypePrivate(WLANInternetAccessPointType* type);
    ~WLANInternetAccessPointTypePrivate() override;

    // Fills the six out-parameters from a six-entry data list. False when the
    // list does not have six entries (the out-parameters are then untouched)
    // or when its network type is not one this plug-in handles (they are
    // filled all the same).
    bool dataToVariables(const QList<QVariant>& data, QString& serviceType, uint& serviceAttributes,
                         QString& serviceId, QString& networkType, uint& networkAttributes,
                         QByteArray& networkId) const;

    InternetAccessPoint createInternetAccessPoint(const QList<QVariant>& data);

    WLANInternetAccessPointType* const q;
};

} // namespace Velin
