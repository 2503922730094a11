#include "dbusvalues.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusSignature>
#include <QDBusVariant>
#include <QStringList>

namespace DBusValues {

namespace {

QVariant readNext(const QDBusArgument& argument)
{
    const QString signature = argument.currentSignature();
    switch (argument.currentType()) {
    case QDBusArgument::BasicType:
        return plain(argument.asVariant());
    case QDBusArgument::VariantType: {
        QDBusVariant variant;
        argument >> variant;
        return plain(variant.variant());
    }
    case QDBusArgument::ArrayType: {
        if (signature == QLatin1String("ay")) {
            QByteArray bytes;
            argument >> bytes;
            return bytes;
        }
        if (signature == QLatin1String("as")) {
            QStringList strings;
            argument >> strings;
            return strings;
        }
        QVariantList items;
        argument.beginArray();
        while (!argument.atEnd())
            items << readNext(argument);
        argument.endArray();
        return items;
    }
    case QDBusArgument::MapType: {
        QVariantMap entries;
        argument.beginMap();
        while (!argument.atEnd()) {
            argument.beginMapEntry();
            const QVariant key = readNext(argument);
            entries.insert(key.toString(), readNext(argument));
            argument.endMapEntry();
        }
        argument.endMap();
        return entries;
    }
    case QDBusArgument::StructureType: {
        QVariantList fields;
        argument.beginStructure();
        while (!argument.atEnd())
            fields << readNext(argument);
        argument.endStructure();
        return fields;
    }
    default:
        return QVariant();
    }
}

} // namespace

QVariant plain(const QVariant& value)
{
    if (value.canConvert<QDBusArgument>() && value.userType() == qMetaTypeId<QDBusArgument>())
        return readNext(value.value<QDBusArgument>());
    if (value.userType() == qMetaTypeId<QDBusVariant>())
        return plain(value.value<QDBusVariant>().variant());
    if (value.userType() == qMetaTypeId<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    if (value.userType() == qMetaTypeId<QDBusSignature>())
        return value.value<QDBusSignature>().signature();
    return value;
}

QList<QVariant> plain(const QList<QVariant>& values)
{
    QList<QVariant> result;
    for (const QVariant& value : values)
        result << plain(value);
    return result;
}

} // namespace DBusValues
