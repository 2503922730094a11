#include "net/scanresult.h"

#include "net/accesspointrecord_p.h"

#include <QSharedData>
#include <QtDebug>

namespace Velin {

class ScanResultPrivate : public QSharedData
{
public:
    QByteArray id;
    bool saved = false;
    bool found = false;
    QString networkType;
    int signalStrength = 0;
    QList<QVariant> configuration;
};

ScanResult::ScanResult()
    : d(new ScanResultPrivate)
{
    registerNetMetaTypes();
}

ScanResult::ScanResult(const ScanResult& other) = default;
ScanResult& ScanResult::operator=(const ScanResult& other) = default;
ScanResult::~ScanResult() = default;

bool ScanResult::operator==(const ScanResult& other) const
{
    return d == other.d
        || (d->id == other.d->id && d->saved == other.d->saved && d->found == other.d->found
            && d->networkType == other.d->networkType && d->signalStrength == other.d->signalStrength
            && d->configuration == other.d->configuration);
}

QByteArray ScanResult::id() const
{
    return d->id;
}

void ScanResult::setId(const QByteArray& id)
{
    d->id = id;
}

bool ScanResult::isSaved() const
{
    return d->saved;
}

void ScanResult::setSaved(bool saved)
{
    d->saved = saved;
}

bool ScanResult::isFound() const
{
    return d->found;
}

void ScanResult::setFound(bool found)
{
    d->found = found;
}

QString ScanResult::networkType() const
{
    return d->networkType;
}

void ScanResult::setNetworkType(const QString& type)
{
    d->networkType = type;
}

int ScanResult::signalStrength() const
{
    return d->signalStrength;
}

void ScanResult::setSignalStrength(int strength)
{
    if (strength < 0 || strength > 10) {
        qWarning("Velin::ScanResult: signal strength %d is outside 0..10; clamped", strength);
        strength = qBound(0, strength, 10);
    }
    d->signalStrength = strength;
}

QList<QVariant> ScanResult::configuration() const
{
    return d->configuration;
}

void ScanResult::setConfiguration(const QList<QVariant>& configuration)
{
    d->configuration = configuration;
}

bool ScanResult::isValid() const
{
    return !d->configuration.isEmpty();
}

} // namespace Velin
