#pragma once

#include "net/netglobal.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QSharedDataPointer>
#include <QString>
#include <QVariant>

namespace Velin {

class ScanResultPrivate;

// One network as a scan (or the settings store) reports it.
class VELINNET_EXPORT ScanResult
{
    Q_GADGET
    Q_PROPERTY(QByteArray id READ id WRITE setId)
    Q_PROPERTY(bool saved READ isSaved WRITE setSaved)
    Q_PROPERTY(bool found READ isFound WRITE setFound)
    Q_PROPERTY(QString networkType READ networkType WRITE setNetworkType)
    Q_PROPERTY(int signalStrength READ signalStrength WRITE setSignalStrength)
    Q_PROPERTY(QList<QVariant> configuration READ configuration WRITE setConfiguration)
    Q_PROPERTY(bool valid READ isValid)

public:
    ScanResult();
    ScanResult(const ScanResult& other);
    ScanResult& operator=(const ScanResult& other);
    ~ScanResult();

    bool operator==(const ScanResult& other) const;
    bool operator!=(const ScanResult& other) const { return !(*this == other); }

    // The SSID bytes (no trailing NUL).
    QByteArray id() const;
    void setId(const QByteArray& id);

    bool isSaved() const;
    void setSaved(bool saved);

    bool isFound() const;
    void setFound(bool found);

    QString networkType() const;
    void setNetworkType(const QString& type);

    // 0 (none) .. 10; values outside are clamped, with a warning.
    int signalStrength() const;
    void setSignalStrength(int strength);

    // The access point data list.
    QList<QVariant> configuration() const;
    void setConfiguration(const QList<QVariant>& configuration);

    // True when it has a configuration.
    bool isValid() const;

private:
    QSharedDataPointer<ScanResultPrivate> d;
};

} // namespace Velin

Q_DECLARE_METATYPE(Velin::ScanResult)
