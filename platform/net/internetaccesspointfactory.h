#pragma once

#include "net/internetaccesspoint.h"
#include "net/netglobal.h"
#include "net/scanresult.h"

#include <QString>

namespace Velin {

// Makes access points that share the in-process record of their id.
class VELINNET_EXPORT InternetAccessPointFactory
{
public:
    // The record for the result's id with the result's configuration as its
    // data list. When the network is saved, the record's properties are
    // replaced by the saved ones, also for a record that was already live
    // (every instance sharing it sees them); otherwise a live record keeps
    // its properties. Invalid (with a warning) for a result without a usable
    // configuration.
    static InternetAccessPoint create(const ScanResult& result);

    // The live record for id; else the saved access point; else a new record
    // with that id and an empty data list.
    static InternetAccessPoint create(const QString& id);
};

} // namespace Velin
