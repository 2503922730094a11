#include "plainvalues.h"

#include "base/dbusvalues.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusSignature>
#include <QDBusVariant>
#include <QStringList>

#include <limits>

namespace PlainValues {

QVariant plain(const QVariant& value)
{
    return Velin::DBusValues::plain(value);
}

QVariantMap plainMap(const QVariant& value)
{
    return plain(value).toMap();
}

QByteArray bytes(const QVariant& value)
{
    switch (value.userType()) {
    case QMetaType::QByteArray:
        return value.toByteArray();
    case QMetaType::QString:
        return value.toString().toUtf8();
    default:
        return QByteArray();
    }
}

bool integer(const QVariant& value, qlonglong* number)
{
    switch (value.userType()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::Char:
    case QMetaType::SChar:
        *number = value.toLongLong();
        return true;
    case QMetaType::ULongLong:
        if (value.toULongLong() > quint64(std::numeric_limits<qlonglong>::max()))
            return false;
        *number = value.toLongLong();
        return true;
    default:
        return false;
    }
}

bool integerList(const QVariant& value, QList<qlonglong>* numbers)
{
    numbers->clear();
    if (value.userType() == QMetaType::QByteArray) {
        for (const char byte : value.toByteArray())
            numbers->append(uchar(byte));
        return true;
    }
    if (value.userType() != QMetaType::QVariantList)
        return false;
    for (const QVariant& item : value.toList()) {
        qlonglong number = 0;
        if (!integer(item, &number))
            return false;
        numbers->append(number);
    }
    return true;
}

} // namespace PlainValues
