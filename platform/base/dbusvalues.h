#pragma once

#include "base/baseglobal.h"

#include <QList>
#include <QVariant>

namespace Velin {

// Demarshalled D-Bus values as the plain Qt values callers compare against:
// QDBusArgument containers become QVariantList / QVariantMap (QByteArray for
// "ay", QStringList for "as"), variants their content, object paths and
// signatures strings.  Used by the D-Bus dispatcher and the simulated
// platform daemons alike.
namespace DBusValues {

VELINBASE_EXPORT QVariant plain(const QVariant& value);
VELINBASE_EXPORT QList<QVariant> plain(const QList<QVariant>& values);

} // namespace DBusValues
} // namespace Velin
