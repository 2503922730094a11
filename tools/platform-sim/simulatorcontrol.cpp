#include "simulatorcontrol.h"

#include "connectivitydaemon.h"
#include "dbusobject.h"
#include "eapdaemon.h"
#include "networkcatalogue.h"
#include "simlog.h"
#include "wlandaemon.h"

#include <QDBusMessage>

const QString SimulatorControl::serviceName = QStringLiteral("com.qorva.platformsim");
const QString SimulatorControl::path = QStringLiteral("/com/qorva/platformsim");
const QString SimulatorControl::interfaceName = QStringLiteral("com.qorva.platformsim.Control");
const QString SimulatorControl::invalidArgumentsError = QStringLiteral("com.qorva.platformsim.Error.InvalidArguments");
const QString SimulatorControl::invalidFileError = QStringLiteral("com.qorva.platformsim.Error.InvalidFile");

namespace {

struct Method
{
    const char* name;
    const char* in;  // signature of the arguments
    const char* out; // signature of the reply
    const char* argumentXml;
};

const Method methods[] = {
    {"SetScanMode", "s", "", "<arg name=\"mode\" type=\"s\" direction=\"in\"/>"},
    {"SetScanDelay", "u", "", "<arg name=\"ms\" type=\"u\" direction=\"in\"/>"},
    {"SetConnectDelay", "u", "", "<arg name=\"ms\" type=\"u\" direction=\"in\"/>"},
    {"AnnounceWpsSuccess", "as", "", "<arg name=\"ids\" type=\"as\" direction=\"in\"/>"},
    {"DropLink", "", "", ""},
    {"FailNextConnection", "s", "", "<arg name=\"reason\" type=\"s\" direction=\"in\"/>"},
    {"LoadNetworks", "s", "", "<arg name=\"path\" type=\"s\" direction=\"in\"/>"},
    {"Networks", "", "as", "<arg name=\"ids\" type=\"as\" direction=\"out\"/>"},
    {"ScanRequests", "", "u", "<arg name=\"count\" type=\"u\" direction=\"out\"/>"},
    {"LastScanRequest", "", "iay",
     "<arg name=\"power\" type=\"i\" direction=\"out\"/><arg name=\"ssid\" type=\"ay\" direction=\"out\"/>"},
    {"ConnectRequests", "", "s", "<arg name=\"id\" type=\"s\" direction=\"out\"/>"},
    {"ConnectRequestCount", "", "u", "<arg name=\"count\" type=\"u\" direction=\"out\"/>"},
    {"LastConnectProperties", "", "a{sv}", "<arg name=\"properties\" type=\"a{sv}\" direction=\"out\"/>"},
    {"CurrentLink", "", "s", "<arg name=\"id\" type=\"s\" direction=\"out\"/>"},
};

QString introspection()
{
    QString xml = QStringLiteral("  <interface name=\"com.qorva.platformsim.Control\">\n");
    for (const Method& method : methods) {
        xml += QStringLiteral("    <method name=\"%1\">%2</method>\n")
                   .arg(QLatin1String(method.name), QLatin1String(method.argumentXml));
    }
    xml += QStringLiteral("  </interface>\n");
    return xml;
}

} // namespace

class SimulatorControlPrivate
{
public:
    SimulatorControl* q = nullptr;
    // Runs one well-formed call; returns the reply or an error message.
    QDBusMessage run(const QDBusMessage& call);
    void handle(const QDBusMessage& call);
    static QVariantMap dbusMap(const QVariantMap& plain);
    static QVariant dbusValue(const QVariant& plain);

    QDBusConnection connection{QString()};
    NetworkCatalogue* catalogue = nullptr;
    WlanDaemon* wlan = nullptr;
    EapDaemon* eap = nullptr;
    ConnectivityDaemon* connectivity = nullptr;
    uint calls = 0;
};

QVariant SimulatorControlPrivate::dbusValue(const QVariant& plain)
{
    // Lists and maps go back on the bus as "av" and "a{sv}".
    if (plain.userType() == QMetaType::QVariantList) {
        QVariantList items;
        for (const QVariant& item : plain.toList())
            items.append(dbusValue(item));
        return items;
    }
    if (plain.userType() == QMetaType::QVariantMap)
        return dbusMap(plain.toMap());
    return plain;
}

QVariantMap SimulatorControlPrivate::dbusMap(const QVariantMap& plain)
{
    QVariantMap map;
    for (auto it = plain.constBegin(); it != plain.constEnd(); ++it)
        map.insert(it.key(), dbusValue(it.value()));
    return map;
}

QDBusMessage SimulatorControlPrivate::run(const QDBusMessage& call)
{
    const QString member = call.member();
    const QList<QVariant> arguments = call.arguments();
    const auto invalid = [&call](const QString& text) {
        return call.createErrorReply(SimulatorControl::invalidArgumentsError, text);
    };

    if (member == QLatin1String("SetScanMode")) {
        const QString mode = arguments.at(0).toString();
        if (!wlan->setScanMode(mode))
            return invalid(QStringLiteral("unknown scan mode \"%1\" (answer, ignore, error, silent)").arg(mode));
        qCInfo(lcSim).noquote() << "control: scan mode" << mode;
        return call.createReply();
    }
    if (member == QLatin1String("SetScanDelay") || member == QLatin1String("SetConnectDelay")) {
        const uint ms = arguments.at(0).toUInt();
        if (ms > SimulatorControl::maximumDelay)
            return invalid(QStringLiteral("%1 ms is above the limit of %2 ms").arg(ms).arg(SimulatorControl::maximumDelay));
        if (member == QLatin1String("SetScanDelay"))
            wlan->setScanDelay(ms);
        else
            connectivity->setConnectDelay(ms);
        qCInfo(lcSim).noquote() << "control:" << member << ms;
        return call.createReply();
    }
    if (member == QLatin1String("AnnounceWpsSuccess")) {
        if (!eap->announceWpsSuccess(arguments.at(0).toStringList()))
            return call.createErrorReply(QStringLiteral("com.qorva.platformsim.Error.Failed"),
                                         QStringLiteral("cannot emit wps_success"));
        return call.createReply();
    }
    if (member == QLatin1String("DropLink")) {
        if (!connectivity->dropLink(QStringLiteral("forced")))
            qCInfo(lcSim) << "control: DropLink without a link";
        return call.createReply();
    }
    if (member == QLatin1String("FailNextConnection")) {
        connectivity->failNextConnection(arguments.at(0).toString());
        qCInfo(lcSim).noquote() << "control: the next connection fails with" << connectivity->nextFailure();
        return call.createReply();
    }
    if (member == QLatin1String("LoadNetworks")) {
        QString error;
        const QString file = arguments.at(0).toString();
        if (file.isEmpty())
            return invalid(QStringLiteral("the path is empty"));
        if (!catalogue->load(file, &error))
            return call.createErrorReply(SimulatorControl::invalidFileError, error);
        qCInfo(lcSim).noquote() << "control: loaded" << catalogue->count() << "networks from" << file;
        return call.createReply();
    }
    if (member == QLatin1String("Networks"))
        return call.createReply(QVariant(catalogue->ids()));
    if (member == QLatin1String("ScanRequests"))
        return call.createReply(QVariant(wlan->scanRequests()));
    if (member == QLatin1String("LastScanRequest"))
        return call.createReply(QList<QVariant>{wlan->lastScanPower(), wlan->lastScanSsid()});
    if (member == QLatin1String("ConnectRequests"))
        return call.createReply(QVariant(connectivity->lastConnectId()));
    if (member == QLatin1String("ConnectRequestCount"))
        return call.createReply(QVariant(connectivity->connectRequests()));
    if (member == QLatin1String("LastConnectProperties"))
        return call.createReply(QVariant(dbusMap(connectivity->lastConnectProperties())));
    if (member == QLatin1String("CurrentLink"))
        return call.createReply(QVariant(connectivity->currentLink()));
    return QDBusMessage();
}

void SimulatorControlPrivate::handle(const QDBusMessage& call)
{
    const QString interface = call.interface();
    const Method* method = nullptr;
    if (interface.isEmpty() || interface == SimulatorControl::interfaceName) {
        for (const Method& candidate : methods) {
            if (call.member() == QLatin1String(candidate.name))
                method = &candidate;
        }
    }
    if (!method) {
        qCWarning(lcSim).noquote() << "control: unknown method" << interface + QLatin1Char('.') + call.member();
        DBusObject::answerUnknownMethod(connection, call);
        return;
    }
    if (call.signature() != QLatin1String(method->in)) {
        const QString text = QStringLiteral("%1 takes \"%2\", got \"%3\"")
                                 .arg(call.member(), QLatin1String(method->in), call.signature());
        qCWarning(lcSim).noquote() << "control:" << text;
        DBusObject::answer(connection, call, call.createErrorReply(SimulatorControl::invalidArgumentsError, text));
        return;
    }
    const QDBusMessage reply = run(call);
    if (reply.type() == QDBusMessage::ErrorMessage)
        qCWarning(lcSim).noquote() << "control:" << call.member() + QLatin1Char(':') << reply.errorMessage();
    else
        ++calls;
    DBusObject::answer(connection, call, reply);
}

SimulatorControl::SimulatorControl(const QDBusConnection& connection, NetworkCatalogue* catalogue, WlanDaemon* wlan,
                                   EapDaemon* eap, ConnectivityDaemon* connectivity, QObject* parent)
    : QObject(parent)
    , d(new SimulatorControlPrivate)
{
    d->q = this;
    d->connection = connection;
    d->catalogue = catalogue;
    d->wlan = wlan;
    d->eap = eap;
    d->connectivity = connectivity;
}

SimulatorControl::~SimulatorControl()
{
    delete d;
}

bool SimulatorControl::registerObjects()
{
    auto* object = new DBusObject(introspection(), [this](const QDBusMessage& call) { d->handle(call); }, this);
    return d->connection.registerVirtualObject(path, object);
}

uint SimulatorControl::calls() const
{
    return d->calls;
}
