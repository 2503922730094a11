#include "settingswriter.h"

#include "simlog.h"

#include "base/connectivitysettings.h"
#include "touch/settingsitem.h"

const QString SettingsWriter::wlanRoot = QStringLiteral("/system/ravo/connectivity/wlan/");

class SettingsWriterPrivate
{
public:
    SettingsWriter* q = nullptr;
    bool enabled = false;
    int saved = 0;
};

SettingsWriter::SettingsWriter(QObject* parent)
    : QObject(parent)
    , d(new SettingsWriterPrivate)
{
    d->q = this;
}

SettingsWriter::~SettingsWriter()
{
    delete d;
}

void SettingsWriter::setEnabled(bool enabled)
{
    d->enabled = enabled;
}

bool SettingsWriter::isEnabled() const
{
    return d->enabled;
}

int SettingsWriter::saved() const
{
    return d->saved;
}

QString SettingsWriter::directory(const QString& id)
{
    return wlanRoot + Velin::ConnectivitySettings::encodePathComponent(id) + QLatin1Char('/');
}

bool SettingsWriter::save(const Network& network)
{
    if (!d->enabled)
        return true;
    QVariantMap values = network.credentials;
    values.insert(QStringLiteral("wlan_security"), Network::securityName(network.security));
    values.insert(QStringLiteral("type"), network.networkType());

    const QString base = directory(network.id());
    // Start from an empty folder: keys written earlier (by the host, say)
    // would otherwise outlive the configuration WPS brings.
    bool ok = Touch::SettingsItem::resetDirectory(base);
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        // SettingsItem warns with the key path only, never the value.
        if (!Touch::SettingsItem(base + it.key()).set(it.value()))
            ok = false;
    }
    if (ok) {
        ++d->saved;
        qCInfo(lcSim).noquote() << "saved" << values.size() << "settings under" << base;
    } else {
        qCWarning(lcSim).noquote() << "could not save every setting under" << base;
    }
    return ok;
}
