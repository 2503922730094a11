#pragma once

#include "net/netglobal.h"

#include <QObject>

namespace Velin {

class InetSettingsModelPrivate;

// The connectivity settings that concern every network.
class VELINNET_EXPORT InetSettingsModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int wlanTxPower READ wlanTxPower)

public:
    enum WlanTxPower {
        DefaultTxPower = 0,
        LowTxPower = 1
    };
    Q_ENUM(WlanTxPower)

    explicit InetSettingsModel(QObject* parent = nullptr);
    ~InetSettingsModel() override;

    // The stored transmit-power setting; 0 (default power) when absent or
    // not an integer, 1 for the low-power setting.
    int wlanTxPower() const;

private:
    InetSettingsModelPrivate* const d;
};

} // namespace Velin
