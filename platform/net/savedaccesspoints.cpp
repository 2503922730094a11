#include "net/savedaccesspoints_p.h"

#include "base/connectivitysettings.h"
#include "net/accesspointrecord_p.h"
#include "net/platformdbus_p.h"
#include "touch/settingsitem.h"

#include <QtDebug>

namespace Velin {

namespace SavedAccessPoints {

const char typeKey[] = "type";
const char attributesKey[] = "network_attributes";

namespace {

const char rootPath[] = "/system/ravo/connectivity/wlan";
const char defaultNetworkType[] = "WLAN_INFRA";

bool isLatin1(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xff)
            return false;
    }
    return true;
}

} // namespace

QString root()
{
    return QLatin1String(rootPath);
}

QString directory(const QString& id)
{
    return root() + QLatin1Char('/') + ConnectivitySettings::encodePathComponent(id);
}

QString idFromComponent(const QString& component)
{
    return QString::fromLatin1(QByteArray::fromPercentEncoding(component.toLatin1()));
}

bool isSaved(const QString& id)
{
    if (id.isEmpty())
        return false;
    const Touch::SettingsItem dir(directory(id));
    return !dir.listKeys().isEmpty() || !dir.listDirs().isEmpty();
}

QStringList ids()
{
    QStringList result;
    const QStringList dirs = Touch::SettingsItem(root()).listDirs();
    for (const QString& dir : dirs)
        result.append(idFromComponent(dir.mid(dir.lastIndexOf(QLatin1Char('/')) + 1)));
    return result;
}

bool read(const QString& id, QList<QVariant>* data, QMap<QString, QVariant>* properties)
{
    if (!isSaved(id))
        return false;

    QString networkType = QLatin1String(defaultNetworkType);
    uint attributes = 0;
    QMap<QString, QVariant> values;
    const QStringList keys = Touch::SettingsItem(directory(id)).listKeys();
    for (const QString& path : keys) {
        const QString key = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
        const QVariant value = Touch::SettingsItem(path).value();
        if (!value.isValid())
            continue;
        if (key == QLatin1String(typeKey)) {
            if (value.userType() == QMetaType::QString)
                networkType = value.toString();
            else
                qWarning("Velin::InternetAccessPoint: %s holds a %s, not a network type", qPrintable(path),
                         value.typeName());
        } else if (key == QLatin1String(attributesKey)) {
            bool ok = PlatformDBus::isIntegral(value);
            const qlonglong number = value.toLongLong();
            ok = ok && number >= 0 && number <= qlonglong(0xffffffffu);
            if (ok)
                attributes = uint(number);
            else
                qWarning("Velin::InternetAccessPoint: %s does not hold an attributes word", qPrintable(path));
        } else {
            values.insert(key, value);
        }
    }

    if (data) {
        // WLAN ids are SSID bytes read as Latin-1; only fixed entries have others.
        if (isLatin1(id)) {
            *data = wlanDataList(id.toLatin1(), networkType, attributes);
        } else {
            *data = QList<QVariant>{QString(QLatin1String("")), 0u, QString(QLatin1String("")), networkType,
                                    attributes, id};
        }
    }
    if (properties)
        *properties = values;
    return true;
}

bool write(const QString& id, const QString& networkType, uint attributes,
           const QMap<QString, QVariant>& properties)
{
    if (id.isEmpty())
        return false;
    // Starting from an empty directory drops properties removed since the last save.
    if (!remove(id))
        return false;

    const ConnectivitySettings settings(ConnectivitySettings::WlanSettings, id);
    bool ok = true;
    for (auto it = properties.constBegin(); it != properties.constEnd(); ++it) {
        if (it.key() == QLatin1String(attributesKey) || it.key() == QLatin1String(typeKey))
            continue; // written below, from the data list
        const QString path = settings.keyPath(it.key()); // warns about unusable keys
        if (path.isEmpty() || !Touch::SettingsItem(path).set(it.value()))
            ok = false;
    }
    const QString type = networkType.isEmpty() ? QLatin1String(defaultNetworkType) : networkType;
    ok = Touch::SettingsItem(settings.keyPath(QLatin1String(typeKey))).set(type) && ok;
    ok = Touch::SettingsItem(settings.keyPath(QLatin1String(attributesKey))).set(attributes) && ok;
    return ok;
}

bool remove(const QString& id)
{
    if (id.isEmpty())
        return false;
    return Touch::SettingsItem::resetDirectory(directory(id));
}

} // namespace SavedAccessPoints

} // namespace Velin
