#include "wlanui/discovery/ssidscanningprocess.h"
#include "wlanui/discovery/ssidscanningprocess_p.h"

#include "base/dbusdispatcher.h"
#include "base/simplenotification.h"
#include "net/inetsettingsmodel.h"

#include <QByteArray>
#include <QTimer>
#include <QtDebug>

#include <limits>

namespace Velin {

namespace {

const char wlanService[] = "com.qorva.skylard";
const char requestPath[] = "/com/qorva/skylard/request";
const char requestInterface[] = "com.qorva.skylard.request";
const char signalPath[] = "/com/qorva/skylard/signal";
const char signalInterface[] = "com.qorva.skylard.signal";
const char scanMethod[] = "scan";
const char resultsSignal[] = "scan_results";

const char notSentMessage[] = "Couldn't send scan request";
const char notFoundMessage[] = "Unable to find the given SSID";

const int RetryInterval = 1500;
// Requests sent before the retries give up.
const int MaximumRequests = 5;
// Transmit power of the probe: low when the user asked for low power.
const int LowPower = 4;
const int DefaultPower = 8;
// Arguments per network in the results, after the count.
const int EntrySize = 5;
const int SsidOffset = 0;
const int CapabilityOffset = 4;

bool isSignedIntegral(int type)
{
    switch (type) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::SChar:
    case QMetaType::Char:
        return true;
    default:
        return false;
    }
}

bool isUnsignedIntegral(int type)
{
    switch (type) {
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::ULong:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

// The count of a result list: any integer that fits an int.
bool readCount(const QVariant& value, int* count)
{
    const int type = value.userType();
    if (isSignedIntegral(type)) {
        const qlonglong number = value.toLongLong();
        if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
            return false;
        *count = int(number);
        return true;
    }
    if (isUnsignedIntegral(type)) {
        const qulonglong number = value.toULongLong();
        if (number > qulonglong(std::numeric_limits<int>::max()))
            return false;
        *count = int(number);
        return true;
    }
    return false;
}

// A network's SSID: text, or the SSID's bytes as the daemon sends them. The
// bytes are read as Latin-1, the way the request encodes the SSID; a NUL
// inside stays part of the SSID (QVariant's own conversion would end the
// text there and so match a shorter SSID).
bool readSsid(const QVariant& value, QString* ssid)
{
    switch (value.userType()) {
    case QMetaType::QString:
        *ssid = value.toString();
        return true;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        *ssid = QString::fromLatin1(bytes.constData(), bytes.size());
        return true;
    }
    default:
        return false;
    }
}

// The capability word: an unsigned number that fits 32 bits.
bool readCapabilities(const QVariant& value, uint* capabilities)
{
    if (!isUnsignedIntegral(value.userType()))
        return false;
    const qulonglong number = value.toULongLong();
    if (number > std::numeric_limits<uint>::max())
        return false;
    *capabilities = uint(number);
    return true;
}

} // namespace

SSIDScanningProcessPrivate::SSIDScanningProcessPrivate(SSIDScanningProcess* q)
    : QObject(q)
    , q(q)
{
}

SSIDScanningProcessPrivate::~SSIDScanningProcessPrivate()
{
    delete dispatcher;
}

void SSIDScanningProcessPrivate::stopRetrying()
{
    if (!retryTimer)
        return;
    retryTimer->stop();
    // This may run from the timer's own timeout().
    retryTimer->deleteLater();
    retryTimer = nullptr;
}

void SSIDScanningProcessPrivate::sendScanRequest()
{
    busy = true;

    if (attempts >= MaximumRequests) {
        stopRetrying();
        attempts = 0;
        return;
    }

    if (!dispatcher) {
        dispatcher = new DBusDispatcher(QLatin1String(wlanService), QLatin1String(requestPath),
                                        QLatin1String(requestInterface), QLatin1String(signalPath));
        connect(dispatcher, &DBusDispatcher::callReply, this, &SSIDScanningProcessPrivate::callReply);
        connect(dispatcher, &DBusDispatcher::signalReceived, this, &SSIDScanningProcessPrivate::signalReceived);
    }
    if (!retryTimer) {
        attempts = 0;
        retryTimer = new QTimer(this);
        retryTimer->setObjectName(QStringLiteral("SSIDScanRetryTimer"));
        connect(retryTimer, &QTimer::timeout, this, &SSIDScanningProcessPrivate::sendScanRequest);
        retryTimer->start(RetryInterval);
    }

    const int power = InetSettingsModel().wlanTxPower() == InetSettingsModel::LowTxPower ? LowPower : DefaultPower;
    QByteArray ssidBytes = ssid.toLatin1();
    if (QString::fromLatin1(ssidBytes) != ssid)
        qWarning("Velin::SSIDScanningProcess: the SSID has characters outside Latin-1; they are sent as '?'");
    ssidBytes.append('\0');

    if (!dispatcher->callAsynchronous(QLatin1String(scanMethod), QVariant(power), QVariant(ssidBytes))) {
        // The failure is reported once: retrying would report it again on
        // every tick and leave the process busy for good after the fifth.
        // A later start() tries afresh.
        stopRetrying();
        attempts = 0;
        busy = false;
        qWarning("%s", notSentMessage);
        // Last: a receiver may delete the process.
        Q_EMIT q->error(QLatin1String(notSentMessage));
        return;
    }
    ++attempts;
}

void SSIDScanningProcessPrivate::callReply(const QString& method, const QList<QVariant>& arguments,
                                           const QString& errorText)
{
    Q_UNUSED(method)
    Q_UNUSED(arguments)
    stopRetrying();
    attempts = MaximumRequests;
    if (!errorText.isEmpty()) {
        busy = false;
        Q_EMIT q->error(errorText);
    }
}

void SSIDScanningProcessPrivate::signalReceived(const QString& interface, const QString& name,
                                                const QList<QVariant>& arguments)
{
    if (interface != QLatin1String(signalInterface) || name != QLatin1String(resultsSignal))
        return;

    int count = 0;
    if (arguments.isEmpty())
        qWarning("Velin::SSIDScanningProcess: scan results without a count; no networks in them");
    else if (!readCount(arguments.constFirst(), &count))
        qWarning("Velin::SSIDScanningProcess: the count of the scan results is a %s, not a number; no networks read",
                 arguments.constFirst().typeName());

    // Only entries that are there in full are read, whatever the count says.
    const int present = qMax(0, (arguments.size() - 1) / EntrySize);
    if (count > present)
        qWarning("Velin::SSIDScanningProcess: the scan results announce %d networks but hold %d", count, present);
    const int entries = qMin(count, present);

    for (int i = 0; i < entries; ++i) {
        const int first = 1 + EntrySize * i;
        const QVariant& ssidValue = arguments.at(first + SsidOffset);
        QString entrySsid;
        if (!readSsid(ssidValue, &entrySsid)) {
            qWarning("Velin::SSIDScanningProcess: the SSID of scan result %d is a %s, not text; skipped", i,
                     ssidValue.typeName());
            continue;
        }
        if (entrySsid != ssid)
            continue;
        const QVariant& capabilityValue = arguments.at(first + CapabilityOffset);
        uint capabilities = 0;
        if (!readCapabilities(capabilityValue, &capabilities)) {
            qWarning("Velin::SSIDScanningProcess: the capability word of scan result %d is a %s, not an unsigned"
                     " 32-bit number; skipped",
                     i, capabilityValue.typeName());
            continue;
        }
        busy = false;
        Q_EMIT q->found(capabilities);
        return;
    }

    // Only a search that is still waiting tells the user. A process whose
    // search has ended answers later scans too (its owner may keep it), and
    // every scan anyone makes would otherwise repeat the notification.
    if (busy) {
        SimpleNotification::show(QStringLiteral("x-qorva.internet"), QString(),
                                 qtTrId("qtn_conn_error_ssid_not_found"), QString());
    }
    qWarning() << notFoundMessage << ssid;
    busy = false;
    Q_EMIT q->error(QLatin1String(notFoundMessage));
}

SSIDScanningProcess::SSIDScanningProcess(QObject* parent)
    : QObject(parent)
    , d(new SSIDScanningProcessPrivate(this))
{
}

SSIDScanningProcess::~SSIDScanningProcess() = default;

QString SSIDScanningProcess::ssid() const
{
    return d->ssid;
}

bool SSIDScanningProcess::isBusy() const
{
    return d->busy;
}

bool SSIDScanningProcess::start(const QString& ssid)
{
    if (d->busy)
        return false;
    d->ssid = ssid;
    d->sendScanRequest();
    return true;
}

} // namespace Velin
