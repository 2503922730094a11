#include "wlandaemon.h"

#include "dbusobject.h"
#include "networkcatalogue.h"
#include "simlog.h"

#include <QDBusMessage>
#include <QTimer>

const QString WlanDaemon::serviceName = QStringLiteral("com.qorva.skylard");
const QString WlanDaemon::requestPath = QStringLiteral("/com/qorva/skylard/request");
const QString WlanDaemon::requestInterface = QStringLiteral("com.qorva.skylard.request");
const QString WlanDaemon::signalPath = QStringLiteral("/com/qorva/skylard/signal");
const QString WlanDaemon::signalInterface = QStringLiteral("com.qorva.skylard.signal");
const QString WlanDaemon::invalidArgumentsError = QStringLiteral("com.qorva.skylard.Error.InvalidArguments");
const QString WlanDaemon::scanFailedError = QStringLiteral("com.qorva.skylard.Error.ScanFailed");

namespace {

const char introspection[] =
    "  <interface name=\"com.qorva.skylard.request\">\n"
    "    <method name=\"scan\">\n"
    "      <arg name=\"power\" type=\"i\" direction=\"in\"/>\n"
    "      <arg name=\"ssid\" type=\"ay\" direction=\"in\"/>\n"
    "    </method>\n"
    "  </interface>\n";

const QStringList scanModes = {QStringLiteral("answer"), QStringLiteral("ignore"), QStringLiteral("error"),
                               QStringLiteral("silent")};

} // namespace

class WlanDaemonPrivate
{
public:
    void handle(const QDBusMessage& call);
    void scan(const QDBusMessage& call);
    void emitResults(const QByteArray& directedSsid);
    void sendError(const QDBusMessage& call, const QString& name, const QString& text);

    WlanDaemon* q = nullptr;
    QDBusConnection connection{QString()};
    NetworkCatalogue* catalogue = nullptr;
    QString mode = QStringLiteral("answer");
    uint delay = WlanDaemon::defaultScanDelay;
    uint requests = 0;
    int lastPower = 0;
    QByteArray lastSsid;
};

void WlanDaemonPrivate::sendError(const QDBusMessage& call, const QString& name, const QString& text)
{
    qCWarning(lcSim).noquote() << "scan:" << text;
    DBusObject::answer(connection, call, call.createErrorReply(name, text));
}

void WlanDaemonPrivate::handle(const QDBusMessage& call)
{
    const QString interface = call.interface();
    if (call.member() == QLatin1String("scan")
        && (interface.isEmpty() || interface == WlanDaemon::requestInterface)) {
        scan(call);
        return;
    }
    qCWarning(lcSim).noquote() << "WLAN daemon: unknown method" << interface + QLatin1Char('.') + call.member();
    DBusObject::answerUnknownMethod(connection, call);
}

void WlanDaemonPrivate::scan(const QDBusMessage& call)
{
    if (call.signature() != QLatin1String("iay")) {
        sendError(call, WlanDaemon::invalidArgumentsError,
                  QStringLiteral("expected arguments (i power, ay ssid), got \"%1\"").arg(call.signature()));
        return;
    }
    const int power = call.arguments().at(0).toInt();
    QByteArray ssid = call.arguments().at(1).toByteArray();
    if (power < 1 || power > 20) {
        sendError(call, WlanDaemon::invalidArgumentsError,
                  QStringLiteral("power %1 is out of range 1..20").arg(power));
        return;
    }
    if (ssid.endsWith('\0'))
        ssid.chop(1);
    if (ssid.size() > 32 || ssid.contains('\0')) {
        sendError(call, WlanDaemon::invalidArgumentsError,
                  QStringLiteral("ssid must be at most 32 bytes followed by one NUL"));
        return;
    }

    ++requests;
    lastPower = power;
    lastSsid = ssid;
    qCInfo(lcSim).noquote() << "scan: power" << power
                            << (ssid.isEmpty() ? QStringLiteral("(broad)")
                                               : QStringLiteral("for \"%1\"").arg(QString::fromLatin1(ssid)))
                            << "mode" << mode;
    Q_EMIT q->scanRequested(power, ssid);

    if (mode == QLatin1String("ignore"))
        return;
    if (mode == QLatin1String("error")) {
        DBusObject::answer(connection, call,
                           call.createErrorReply(WlanDaemon::scanFailedError, QStringLiteral("The scan failed")));
        return;
    }
    DBusObject::answer(connection, call, call.createReply());
    if (mode == QLatin1String("silent"))
        return;
    QTimer::singleShot(int(delay), q, [this, ssid]() { emitResults(ssid); });
}

void WlanDaemonPrivate::emitResults(const QByteArray& directedSsid)
{
    const QList<Network> found = catalogue->scanResults(directedSsid);
    QDBusMessage signal = QDBusMessage::createSignal(WlanDaemon::signalPath, WlanDaemon::signalInterface,
                                                     QStringLiteral("scan_results"));
    QList<QVariant> arguments;
    arguments.reserve(1 + 5 * found.size());
    arguments << int(found.size());
    for (const Network& network : found)
        arguments << network.ssid << network.bssid << network.level << network.attributes << network.capability;
    signal.setArguments(arguments);
    if (!connection.send(signal))
        qCWarning(lcSim) << "scan_results: cannot send:" << connection.lastError().message();
    else
        qCInfo(lcSim) << "scan_results:" << found.size() << "networks";
}

WlanDaemon::WlanDaemon(const QDBusConnection& connection, NetworkCatalogue* catalogue, QObject* parent)
    : QObject(parent)
    , d(new WlanDaemonPrivate)
{
    d->q = this;
    d->connection = connection;
    d->catalogue = catalogue;
}

WlanDaemon::~WlanDaemon()
{
    delete d;
}

bool WlanDaemon::registerObjects()
{
    auto* object = new DBusObject(QLatin1String(introspection), [this](const QDBusMessage& call) { d->handle(call); },
                                  this);
    return d->connection.registerVirtualObject(requestPath, object);
}

bool WlanDaemon::setScanMode(const QString& mode)
{
    if (!isScanMode(mode))
        return false;
    if (d->mode != mode) {
        d->mode = mode;
        Q_EMIT scanModeChanged(mode);
    }
    return true;
}

QString WlanDaemon::scanMode() const
{
    return d->mode;
}

bool WlanDaemon::isScanMode(const QString& mode)
{
    return scanModes.contains(mode);
}

void WlanDaemon::setScanDelay(uint milliseconds)
{
    d->delay = milliseconds;
}

uint WlanDaemon::scanDelay() const
{
    return d->delay;
}

uint WlanDaemon::scanRequests() const
{
    return d->requests;
}

int WlanDaemon::lastScanPower() const
{
    return d->lastPower;
}

QByteArray WlanDaemon::lastScanSsid() const
{
    return d->lastSsid;
}
