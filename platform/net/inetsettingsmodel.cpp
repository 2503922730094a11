#include "net/inetsettingsmodel.h"

#include "net/platformdbus_p.h"
#include "touch/settingsitem.h"

#include <QtDebug>

#include <limits>

namespace Velin {

namespace {

const char txPowerKey[] = "/system/ravo/connectivity/settings/wlan_tx_power";

} // namespace

class InetSettingsModelPrivate
{
public:
    explicit InetSettingsModelPrivate(InetSettingsModel* model)
        : q(model)
    {
    }

    InetSettingsModel* const q;
};

InetSettingsModel::InetSettingsModel(QObject* parent)
    : QObject(parent)
    , d(new InetSettingsModelPrivate(this))
{
}

InetSettingsModel::~InetSettingsModel()
{
    delete d;
}

int InetSettingsModel::wlanTxPower() const
{
    const QVariant value = Touch::SettingsItem(QLatin1String(txPowerKey)).value();
    if (!value.isValid())
        return DefaultTxPower;
    const qlonglong number = value.toLongLong();
    if (!PlatformDBus::isIntegral(value) || number < std::numeric_limits<int>::min()
        || number > std::numeric_limits<int>::max()) {
        qWarning("Velin::InetSettingsModel: %s holds a %s, not an integer; using the default power", txPowerKey,
                 value.typeName());
        return DefaultTxPower;
    }
    return int(number);
}

} // namespace Velin
