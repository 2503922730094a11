#pragma once

#include <QList>
#include <QVariant>

// Turns demarshalled D-Bus values into plain Qt values for comparisons:
// QDBusArgument containers become QVariantList / QVariantMap (QStringList for
// "as", QByteArray for "ay"), QDBusVariant its content, object paths and
// signatures strings. Written apart from the library's own conversion so that
// the fixtures do not trust the code they test.
namespace DBusValues {

QVariant plain(const QVariant& value);
QList<QVariant> plain(const QList<QVariant>& values);

} // namespace DBusValues
