#include "connectivitydaemon.h"

#include "credentialcheck.h"
#include "dbusobject.h"
#include "eapdaemon.h"
#include "networkcatalogue.h"
#include "plainvalues.h"
#include "settingswriter.h"
#include "simlog.h"
#include "wpsexchange.h"

#include <QDBusMessage>
#include <QTimer>

const QString ConnectivityDaemon::serviceName = QStringLiteral("com.qorva.nexd2");
const QString ConnectivityDaemon::path = QStringLiteral("/com/qorva/nexd2");
const QString ConnectivityDaemon::interfaceName = QStringLiteral("com.qorva.nexd2");
const QString ConnectivityDaemon::invalidArgumentsError = QStringLiteral("com.qorva.nexd2.Error.InvalidArguments");
const QString ConnectivityDaemon::busyError = QStringLiteral("com.qorva.nexd2.Error.Busy");

namespace {

const char introspection[] =
    "  <interface name=\"com.qorva.nexd2\">\n"
    "    <method name=\"connect_req\">\n"
    "      <arg name=\"id\" type=\"s\" direction=\"in\"/>\n"
    "      <arg name=\"properties\" type=\"a{sv}\" direction=\"in\"/>\n"
    "    </method>\n"
    "    <method name=\"update_properties\">\n"
    "      <arg name=\"id\" type=\"s\" direction=\"in\"/>\n"
    "      <arg name=\"properties\" type=\"a{sv}\" direction=\"in\"/>\n"
    "      <annotation name=\"org.freedesktop.DBus.Method.NoReply\" value=\"true\"/>\n"
    "    </method>\n"
    "    <method name=\"disconnect_req\">\n"
    "      <arg name=\"flags\" type=\"u\" direction=\"in\"/>\n"
    "    </method>\n"
    "    <signal name=\"connection_state\">\n"
    "      <arg name=\"id\" type=\"s\"/>\n"
    "      <arg name=\"state\" type=\"s\"/>\n"
    "      <arg name=\"reason\" type=\"s\"/>\n"
    "    </signal>\n"
    "  </interface>\n";

const QString connecting = QStringLiteral("connecting");
const QString connected = QStringLiteral("connected");
const QString failed = QStringLiteral("failed");
const QString disconnected = QStringLiteral("disconnected");
const QString pinKey = QStringLiteral("EAP_SIMPLE_CONFIG_device_password");

} // namespace

class ConnectivityDaemonPrivate
{
public:
    struct Attempt
    {
        enum Outcome { Connect, Fail, Wps };
        QString id;
        Outcome outcome = Fail;
        QString reason;
        QString why; // for the log
        Network network;
        bool found = false;
        bool forced = false; // failure asked for through the control interface
        // A WPS PIN attempt without a valid PIN: the PIN may still come
        // with update_properties.
        bool waitingForPin = false;
        QVariantMap properties;
    };

    // Sets the outcome from what the attempt knows now.
    static void decide(Attempt* attempt);
    // Runs the timer that ends the attempt in its current state.
    void schedule();

    void handle(const QDBusMessage& call);
    bool readIdAndProperties(const QDBusMessage& call, QString* id, QVariantMap* properties);
    void connectRequest(const QDBusMessage& call);
    void disconnectRequest(const QDBusMessage& call);
    void updateProperties(const QDBusMessage& call);
    void finishAttempt();
    void report(const QString& id, const QString& state, const QString& reason);
    void refuse(const QDBusMessage& call, const QString& error, const QString& text);

    ConnectivityDaemon* q = nullptr;
    QDBusConnection connection{QString()};
    NetworkCatalogue* catalogue = nullptr;
    EapDaemon* eap = nullptr;
    SettingsWriter* writer = nullptr;
    QTimer* attemptTimer = nullptr;
    QTimer* pinTimer = nullptr;
    bool attemptRunning = false;
    Attempt attempt;
    QString link;
    uint requests = 0;
    uint updates = 0;
    QString lastId;
    QVariantMap lastProperties;
    bool failNext = false;
    QString failReason;
};

void ConnectivityDaemonPrivate::refuse(const QDBusMessage& call, const QString& error, const QString& text)
{
    qCWarning(lcSim).noquote() << call.member() + QLatin1Char(':') << text;
    DBusObject::answer(connection, call, call.createErrorReply(error, text));
}

void ConnectivityDaemonPrivate::report(const QString& id, const QString& state, const QString& reason)
{
    QDBusMessage signal = QDBusMessage::createSignal(ConnectivityDaemon::path, ConnectivityDaemon::interfaceName,
                                                     QStringLiteral("connection_state"));
    signal.setArguments({id, state, reason});
    if (!connection.send(signal))
        qCWarning(lcSim) << "connection_state: cannot send:" << connection.lastError().message();
    qCInfo(lcSim).noquote() << QStringLiteral("connection_state: \"%1\" %2%3")
                                   .arg(id, state, reason.isEmpty() ? QString() : QLatin1Char(' ') + reason);
    Q_EMIT q->stateReported(id, state, reason);
}

void ConnectivityDaemonPrivate::handle(const QDBusMessage& call)
{
    const QString interface = call.interface();
    if (interface.isEmpty() || interface == ConnectivityDaemon::interfaceName) {
        if (call.member() == QLatin1String("connect_req")) {
            connectRequest(call);
            return;
        }
        if (call.member() == QLatin1String("update_properties")) {
            updateProperties(call);
            return;
        }
        if (call.member() == QLatin1String("disconnect_req")) {
            disconnectRequest(call);
            return;
        }
    }
    qCWarning(lcSim).noquote() << "connectivity daemon: unknown method" << interface + QLatin1Char('.') + call.member();
    DBusObject::answerUnknownMethod(connection, call);
}

// The (s id, a{sv} properties) of connect_req and update_properties; a
// malformed call is refused here.
bool ConnectivityDaemonPrivate::readIdAndProperties(const QDBusMessage& call, QString* id, QVariantMap* properties)
{
    if (call.signature() != QLatin1String("sa{sv}")) {
        refuse(call, ConnectivityDaemon::invalidArgumentsError,
               QStringLiteral("expected arguments (s id, a{sv} properties), got \"%1\"").arg(call.signature()));
        return false;
    }
    *id = call.arguments().at(0).toString();
    if (id->isEmpty()) {
        refuse(call, ConnectivityDaemon::invalidArgumentsError, QStringLiteral("the id is empty"));
        return false;
    }
    *properties = PlainValues::plainMap(call.arguments().at(1));
    return true;
}

void ConnectivityDaemonPrivate::connectRequest(const QDBusMessage& call)
{
    QString id;
    QVariantMap properties;
    if (!readIdAndProperties(call, &id, &properties))
        return;
    Attempt next;
    next.id = id;
    next.properties = properties;
    const bool found = catalogue->find(id, &next.network);
    next.found = found;
    const bool wps = WpsExchange::isWpsRequest(properties);
    if (wps) {
        QString why;
        if (WpsExchange::evaluate(next.network, properties, &why) == WpsExchange::BadRequest) {
            refuse(call, ConnectivityDaemon::invalidArgumentsError, why);
            return;
        }
    }

    ++requests;
    lastId = id;
    lastProperties = properties;
    if (attemptRunning) {
        refuse(call, ConnectivityDaemon::busyError,
               QStringLiteral("an attempt to connect \"%1\" is running").arg(attempt.id));
        return;
    }

    if (failNext) {
        failNext = false;
        next.forced = true;
        next.outcome = Attempt::Fail;
        next.reason = failReason;
        next.why = QStringLiteral("failure requested through the control interface");
    } else {
        decide(&next);
    }

    qCInfo(lcSim).noquote() << QStringLiteral("connect_req: \"%1\" %2%3")
                                   .arg(id, found ? Network::securityName(next.network.security)
                                                  : QStringLiteral("(unknown network)"),
                                        wps ? QStringLiteral(" WPS") : QString());
    DBusObject::answer(connection, call, call.createReply());

    // A new attempt replaces the link there is.
    if (!link.isEmpty()) {
        const QString previous = link;
        link.clear();
        report(previous, disconnected, QString());
    }
    attempt = next;
    attemptRunning = true;
    report(id, connecting, QString());
    if (attempt.waitingForPin)
        qCInfo(lcSim).noquote() << QStringLiteral("\"%1\": waiting up to %2 ms for a valid PIN")
                                       .arg(id)
                                       .arg(pinTimer->interval());
    schedule();
}

void ConnectivityDaemonPrivate::decide(Attempt* attempt)
{
    attempt->waitingForPin = false;
    attempt->why.clear();
    attempt->reason.clear();
    if (!attempt->found) {
        attempt->outcome = Attempt::Fail;
        attempt->reason = QStringLiteral("not-found");
        attempt->why = QStringLiteral("no such network");
        return;
    }
    if (WpsExchange::isWpsRequest(attempt->properties)) {
        switch (WpsExchange::evaluate(attempt->network, attempt->properties, &attempt->why)) {
        case WpsExchange::Accepted:
            attempt->outcome = Attempt::Wps;
            attempt->why.clear();
            break;
        case WpsExchange::WrongPin:
            // The framework may set the PIN once the attempt has started.
            attempt->outcome = Attempt::Fail;
            attempt->reason = QStringLiteral("wrong-credentials");
            attempt->waitingForPin = true;
            break;
        default:
            attempt->outcome = Attempt::Fail;
            attempt->reason = QStringLiteral("wps-unavailable");
            break;
        }
        return;
    }
    if (CredentialCheck::accepts(attempt->network, attempt->properties, &attempt->why)) {
        attempt->outcome = Attempt::Connect;
    } else {
        attempt->outcome = Attempt::Fail;
        attempt->reason = QStringLiteral("wrong-credentials");
    }
}

void ConnectivityDaemonPrivate::schedule()
{
    if (attempt.waitingForPin) {
        attemptTimer->stop();
        if (!pinTimer->isActive())
            pinTimer->start();
    } else {
        pinTimer->stop();
        if (!attemptTimer->isActive())
            attemptTimer->start();
    }
}

void ConnectivityDaemonPrivate::updateProperties(const QDBusMessage& call)
{
    QString id;
    QVariantMap update;
    if (!readIdAndProperties(call, &id, &update))
        return;
    if (!attemptRunning || id != attempt.id) {
        qCInfo(lcSim).noquote() << QStringLiteral("update_properties: \"%1\" ignored: no attempt for it runs").arg(id);
        DBusObject::answer(connection, call, call.createReply());
        return;
    }

    QVariantMap merged = attempt.properties;
    for (auto it = update.constBegin(); it != update.constEnd(); ++it)
        merged.insert(it.key(), it.value());
    if (WpsExchange::isWpsRequest(merged)) {
        QString why;
        if (WpsExchange::evaluate(attempt.network, merged, &why) == WpsExchange::BadRequest) {
            refuse(call, ConnectivityDaemon::invalidArgumentsError, why);
            return;
        }
    }
    ++updates;
    qCInfo(lcSim).noquote() << QStringLiteral("update_properties: \"%1\" %2 properties").arg(id).arg(update.size());
    DBusObject::answer(connection, call, call.createReply());

    const bool pinChanged = update.contains(pinKey)
        && PlainValues::bytes(update.value(pinKey)) != PlainValues::bytes(attempt.properties.value(pinKey));
    attempt.properties = merged;
    if (attempt.forced)
        return;
    decide(&attempt);
    if (attempt.waitingForPin && pinChanged) {
        // A new PIN that cannot work ends the wait; the log never shows it.
        attempt.waitingForPin = false;
        attemptTimer->stop();
        pinTimer->stop();
        finishAttempt();
        return;
    }
    schedule();
}

void ConnectivityDaemonPrivate::finishAttempt()
{
    if (!attemptRunning)
        return;
    attemptRunning = false;
    const Attempt done = attempt;
    attempt = Attempt();
    switch (done.outcome) {
    case Attempt::Connect:
        link = done.id;
        report(done.id, connected, QString());
        break;
    case Attempt::Fail:
        if (!done.why.isEmpty())
            qCInfo(lcSim).noquote() << QStringLiteral("\"%1\":").arg(done.id) << done.why;
        report(done.id, failed, done.reason);
        break;
    case Attempt::Wps:
        // Saved before anyone hears of it, so that listeners find it in the store.
        writer->save(done.network);
        eap->announceWpsSuccess({done.network.id()});
        report(done.id, disconnected, QString());
        break;
    }
}

void ConnectivityDaemonPrivate::disconnectRequest(const QDBusMessage& call)
{
    if (call.signature() != QLatin1String("u")) {
        refuse(call, ConnectivityDaemon::invalidArgumentsError,
               QStringLiteral("expected arguments (u flags), got \"%1\"").arg(call.signature()));
        return;
    }
    const uint flags = call.arguments().at(0).toUInt();
    if (flags != ConnectivityDaemon::dropLinkFlag) {
        refuse(call, ConnectivityDaemon::invalidArgumentsError,
               QStringLiteral("flags 0x%1 are not supported (only 0x8000)").arg(flags, 0, 16));
        return;
    }
    qCInfo(lcSim) << "disconnect_req";
    DBusObject::answer(connection, call, call.createReply());
    if (attemptRunning) {
        attemptTimer->stop();
        pinTimer->stop();
        attemptRunning = false;
        const QString id = attempt.id;
        attempt = Attempt();
        report(id, failed, QStringLiteral("cancelled"));
    }
    q->dropLink(QString());
}

ConnectivityDaemon::ConnectivityDaemon(const QDBusConnection& connection, NetworkCatalogue* catalogue,
                                       EapDaemon* eap, SettingsWriter* writer, QObject* parent)
    : QObject(parent)
    , d(new ConnectivityDaemonPrivate)
{
    d->q = this;
    d->connection = connection;
    d->catalogue = catalogue;
    d->eap = eap;
    d->writer = writer;
    d->attemptTimer = new QTimer(this);
    d->attemptTimer->setSingleShot(true);
    d->attemptTimer->setInterval(int(defaultConnectDelay));
    connect(d->attemptTimer, &QTimer::timeout, this, [this]() { d->finishAttempt(); });
    d->pinTimer = new QTimer(this);
    d->pinTimer->setSingleShot(true);
    d->pinTimer->setInterval(int(defaultPinWait));
    connect(d->pinTimer, &QTimer::timeout, this, [this]() {
        if (!d->attemptRunning || !d->attempt.waitingForPin)
            return;
        d->attempt.waitingForPin = false;
        d->attempt.outcome = ConnectivityDaemonPrivate::Attempt::Fail;
        d->attempt.reason = QStringLiteral("timeout");
        d->attempt.why = QStringLiteral("no valid PIN within %1 ms").arg(d->pinTimer->interval());
        d->finishAttempt();
    });
}

ConnectivityDaemon::~ConnectivityDaemon()
{
    delete d;
}

bool ConnectivityDaemon::registerObjects()
{
    auto* object = new DBusObject(QLatin1String(introspection), [this](const QDBusMessage& call) { d->handle(call); },
                                  this);
    return d->connection.registerVirtualObject(path, object);
}

QString ConnectivityDaemon::currentLink() const
{
    return d->link;
}

QString ConnectivityDaemon::pendingAttempt() const
{
    return d->attemptRunning ? d->attempt.id : QString();
}

void ConnectivityDaemon::setConnectDelay(uint milliseconds)
{
    d->attemptTimer->setInterval(int(milliseconds));
}

uint ConnectivityDaemon::connectDelay() const
{
    return uint(d->attemptTimer->interval());
}

void ConnectivityDaemon::setPinWait(uint milliseconds)
{
    d->pinTimer->setInterval(int(milliseconds));
}

uint ConnectivityDaemon::pinWait() const
{
    return uint(d->pinTimer->interval());
}

uint ConnectivityDaemon::propertyUpdates() const
{
    return d->updates;
}

uint ConnectivityDaemon::connectRequests() const
{
    return d->requests;
}

QString ConnectivityDaemon::lastConnectId() const
{
    return d->lastId;
}

QVariantMap ConnectivityDaemon::lastConnectProperties() const
{
    return d->lastProperties;
}

void ConnectivityDaemon::failNextConnection(const QString& reason)
{
    d->failNext = true;
    d->failReason = reason.isEmpty() ? QStringLiteral("forced") : reason;
}

QString ConnectivityDaemon::nextFailure() const
{
    return d->failNext ? d->failReason : QString();
}

bool ConnectivityDaemon::dropLink(const QString& reason)
{
    if (d->link.isEmpty())
        return false;
    const QString id = d->link;
    d->link.clear();
    d->report(id, disconnected, reason);
    return true;
}
