#pragma once

#include "net/internetaccesspointtypeinterface.h"

#include <QObject>

namespace Velin {

class WLANInternetAccessPointTypePrivate;

// The plug-in object with which the connectivity framework handles WLAN
// access points: network types, list icons, scan-result filtering, the fixed
// entries, defaults of a new access point, and the automatic-connection rule.
class WLANInternetAccessPointType : public QObject, public InternetAccessPointTypeInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "com.qorva.InternetAccessPointTypeInterface")
    Q_INTERFACES(InternetAccessPointTypeInterface)

public:
    explicit WLANInternetAccessPointType(QObject* parent = nullptr);
    ~WLANInternetAccessPointType() override;

    QStringList types() const override;
    QString securityImageName(const QList<QVariant>& data) const override;
    QString bearerImageName(const QList<QVariant>& data, int signalStrength) const override;
    ScanResult filterScanResult(const ScanResult& result) const override;
    bool initializeInternetAccessPoint(InternetAccessPoint* iap) override;
    InternetAccessPoint createInternetAccessPoint(const QList<QVariant>& data) override;
    QList<InternetAccessPoint> defaultConnections() const override;
    InternetAccessPointEditorInterface* editor(InternetAccessPoint* iap) override;
    bool isAutoconnectable(const ScanResult& result) const override;

private:
    WLANInternetAccessPointTypePrivate* const d;
};

} // namespace Velin
