#include "base/connectivitysettings.h"

#include "touch/settingsitem.h"

#include <QtDebug>

namespace Velin {

namespace {

const char networkTypeRoot[] = "/system/ravo/connectivity/network_type/";
const char wlanRoot[] = "/system/ravo/connectivity/wlan/";

bool isUnreserved(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_'
        || c == '.';
}

} // namespace

class ConnectivitySettingsPrivate
{
public:
    ConnectivitySettingsPrivate(ConnectivitySettings* settings, int type, const QString& path)
        : q(settings)
        , type(type)
        , path(path)
    {
    }

    ConnectivitySettings* const q;
    const int type;
    const QString path;
    QString prefix; // root + encoded path + "/", empty for an unknown type
};

ConnectivitySettings::ConnectivitySettings(int type, const QString& path, QObject* parent)
    : QObject(parent)
    , d(new ConnectivitySettingsPrivate(this, type, path))
{
    const char* root = nullptr;
    if (type == NetworkTypeSettings)
        root = networkTypeRoot;
    else if (type == WlanSettings)
        root = wlanRoot;

    if (!root) {
        qWarning("Velin::ConnectivitySettings: unknown settings type %d", type);
    } else if (path.isEmpty()) {
        qWarning("Velin::ConnectivitySettings: empty path for settings type %d", type);
    } else {
        d->prefix = QLatin1String(root) + encodePathComponent(path) + QLatin1Char('/');
    }
}

ConnectivitySettings::~ConnectivitySettings()
{
    delete d;
}

int ConnectivitySettings::type() const
{
    return d->type;
}

QString ConnectivitySettings::path() const
{
    return d->path;
}

QString ConnectivitySettings::keyPath(const QString& key) const
{
    if (d->prefix.isEmpty())
        return QString();
    if (key.isEmpty() || key.contains(QLatin1Char('/'))) {
        qWarning("Velin::ConnectivitySettings: \"%s\" is not a valid settings key", qPrintable(key));
        return QString();
    }
    return d->prefix + key;
}

QVariant ConnectivitySettings::get(const QString& key) const
{
    const QString fullPath = keyPath(key);
    if (fullPath.isEmpty())
        return QVariant();
    return Touch::SettingsItem(fullPath).value();
}

QString ConnectivitySettings::encodePathComponent(const QString& component)
{
    bool latin1 = true;
    for (const QChar c : component) {
        if (c.unicode() > 0xff) {
            latin1 = false;
            break;
        }
    }
    const QByteArray bytes = latin1 ? component.toLatin1() : component.toUtf8();

    static const char hex[] = "0123456789ABCDEF";
    QString encoded;
    encoded.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        if (isUnreserved(c)) {
            encoded.append(QLatin1Char(c));
        } else {
            const uchar byte = uchar(c);
            encoded.append(QLatin1Char('%'));
            encoded.append(QLatin1Char(hex[byte >> 4]));
            encoded.append(QLatin1Char(hex[byte & 0x0f]));
        }
    }
    return encoded;
}

} // namespace Velin
