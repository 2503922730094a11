#include "base/dbusvalues.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusSignature>
#include <QDBusVariant>
#include <QStringList>

namespace Velin {
namespace DBusValues {

namespace {

QVariant read(const QDBusArgument& argument)
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
            QByteArray data;
            argument >> data;
            return data;
        }
        if (signature == QLatin1String("as")) {
            QStringList strings;
            argument >> strings;
            return strings;
        }
        QVariantList items;
        argument.beginArray();
        while (!argument.atEnd())
            items.append(read(argument));
        argument.endArray();
        return items;
    }
    case QDBusArgument::MapType: {
        QVariantMap entries;
        argument.beginMap();
        while (!argument.atEnd()) {
            argument.beginMapEntry();
            const QVariant key = read(argument);
            const QVariant value = read(argument);
            entries.insert(key.toString(), value);
            argument.endMapEntry();
        }
        argument.endMap();
        return entries;
    }
    case QDBusArgument::StructureType: {
        QVariantList fields;
        argument.beginStructure();
        while (!argument.atEnd())
            fields.append(read(argument));
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
    const int type = value.userType();
    if (type == qMetaTypeId<QDBusArgument>())
        return read(value.value<QDBusArgument>());
    if (type == qMetaTypeId<QDBusVariant>())
        return plain(value.value<QDBusVariant>().variant());
    if (type == qMetaTypeId<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    if (type == qMetaTypeId<QDBusSignature>())
        return value.value<QDBusSignature>().signature();
    if (type == QMetaType::QVariantList) {
        QVariantList items;
        for (const QVariant& item : value.toList())
            items.append(plain(item));
        return items;
    }
    if (type == QMetaType::QVariantMap) {
        QVariantMap entries;
        const QVariantMap map = value.toMap();
        for (auto it = map.constBegin(); it != map.constEnd(); ++it)
            entries.insert(it.key(), plain(it.value()));
        return entries;
    }
    return value;
}

QList<QVariant> plain(const QList<QVariant>& values)
{
    QList<QVariant> result;
    result.reserve(values.size());
    for (const QVariant& value : values)
        result.append(plain(value));
    return result;
}

} // namespace DBusValues
} // namespace Velin
