#pragma once

#include <QList>
#include <QVariant>

// Demarshalled D-Bus arguments as plain Qt values: QDBusArgument containers
// become QVariantList / QVariantMap (QByteArray for "ay", QStringList for
// "as"), variants their content, object paths and signatures strings.
namespace PlainValues {

QVariant plain(const QVariant& value);
QVariantMap plainMap(const QVariant& value);

// Bytes of a string (UTF-8) or byte array; a null array for anything else.
QByteArray bytes(const QVariant& value);
// Integer content of an integer-typed value.
bool integer(const QVariant& value, qlonglong* number);
// Integers of a list or byte array (the shapes "av", "ai", "ay" arrive in).
bool integerList(const QVariant& value, QList<qlonglong>* numbers);

} // namespace PlainValues
