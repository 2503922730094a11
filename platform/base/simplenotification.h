#pragma once

#include "base/baseglobal.h"

#include <QString>

namespace Velin {

// Posts a notification to the desktop's notification service.
class VELINBASE_EXPORT SimpleNotification
{
public:
    SimpleNotification() = delete;

    // eventType goes out as the "category" hint. Returns the id the service
    // gave, or 0 (with a warning) when there is no service or no session bus.
    static uint show(const QString& eventType, const QString& summary, const QString& body, const QString& image);
};

} // namespace Velin
