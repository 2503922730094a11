#include "base/dbusdispatcher.h"

#include "base/dbusvalues.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QDBusSignature>
#include <QDBusVariant>
#include <QPointer>
#include <QXmlStreamReader>
#include <QtDebug>

#include <limits>

namespace Velin {

namespace {

const char introspectableInterface[] = "org.freedesktop.DBus.Introspectable";


bool isNameCharacter(QChar c, bool allowDash)
{
    const ushort u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '_'
        || (allowDash && u == '-');
}

bool isValidMemberName(const QString& name)
{
    if (name.isEmpty() || name.size() > 255 || name.at(0).isDigit())
        return false;
    for (const QChar c : name) {
        if (!isNameCharacter(c, false))
            return false;
    }
    return true;
}

// Interface and well-known bus names: two or more dot-separated elements.
bool isValidDottedName(const QString& name, bool busName)
{
    if (busName && name.startsWith(QLatin1Char(':')))
        return name.size() > 1 && name.size() <= 255; // unique name, given by the bus
    const QStringList elements = name.split(QLatin1Char('.'));
    if (name.size() > 255 || elements.size() < 2)
        return false;
    for (const QString& element : elements) {
        if (element.isEmpty() || element.at(0).isDigit())
            return false;
        for (const QChar c : element) {
            if (!isNameCharacter(c, busName))
                return false;
        }
    }
    return true;
}

bool isValidObjectPath(const QString& path)
{
    if (path == QLatin1String("/"))
        return true;
    if (!path.startsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('/')))
        return false;
    const QStringList elements = path.mid(1).split(QLatin1Char('/'));
    for (const QString& element : elements) {
        if (element.isEmpty())
            return false;
        for (const QChar c : element) {
            if (!isNameCharacter(c, false))
                return false;
        }
    }
    return true;
}

bool isMarshallable(const QVariant& value)
{
    const int type = value.userType();
    return type == qMetaTypeId<QDBusArgument>() || QDBusMetaType::typeToSignature(type) != nullptr;
}

// "/com/example/daemon/signal" -> "com.example.daemon.signal", the usual
// interface of a daemon's signal object.
QString interfaceForPath(const QString& path)
{
    QString name = path.mid(1);
    name.replace(QLatin1Char('/'), QLatin1Char('.'));
    return name;
}

QStringList interfacesWithSignals(const QString& xml)
{
    QStringList result;
    QXmlStreamReader reader(xml);
    int depth = 0;
    QString current;
    bool currentHasSignals = false;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            // <node> is depth 1, its own interfaces depth 2.
            if (depth == 2 && reader.name() == QLatin1String("interface")) {
                current = reader.attributes().value(QLatin1String("name")).toString();
                currentHasSignals = false;
            } else if (depth == 3 && !current.isEmpty() && reader.name() == QLatin1String("signal")) {
                currentHasSignals = true;
            }
            break;
        case QXmlStreamReader::EndElement:
            if (depth == 2 && !current.isEmpty()) {
                if (currentHasSignals)
                    result.append(current);
                current.clear();
            }
            --depth;
            break;
        default:
            break;
        }
    }
    if (reader.hasError())
        qWarning("Velin::DBusDispatcher: unreadable introspection data: %s", qPrintable(reader.errorString()));
    return result;
}

} // namespace

class DBusDispatcherPrivate : public QObject
{
    Q_OBJECT

public:
    DBusDispatcherPrivate(DBusDispatcher* dispatcher, const QString& service, const QString& requestPath,
                          const QString& requestInterface, const QString& signalPath)
        : QObject(dispatcher)
        , q(dispatcher)
        , service(service)
        , requestPath(requestPath)
        , requestInterface(requestInterface)
        , signalPath(signalPath)
    {
    }

    void subscribe();
    void subscribeInterface(const QString& interface);
    void introspectSignalPath();

    DBusDispatcher* const q;
    const QString service;
    const QString requestPath;
    const QString requestInterface;
    const QString signalPath;
    QStringList interfaces;

public Q_SLOTS:
    // Name-based slot: QDBusConnection::connect only takes SLOT() signatures.
    void handleSignal(const QDBusMessage& message);
};

void DBusDispatcherPrivate::subscribe()
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected() || signalPath.isEmpty())
        return;

    // The bus cannot match "any interface and any member" in one rule, so
    // every interface that may carry signals on the path is subscribed.
    subscribeInterface(requestInterface);
    subscribeInterface(interfaceForPath(signalPath));

    if (!service.isEmpty()) {
        auto* watcher = new QDBusServiceWatcher(service, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
        connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
                [this](const QString&, const QString&, const QString& newOwner) {
                    if (!newOwner.isEmpty())
                        introspectSignalPath();
                });
        introspectSignalPath();
    }
}

void DBusDispatcherPrivate::subscribeInterface(const QString& interface)
{
    if (interface.isEmpty() || interfaces.contains(interface))
        return;
    // connect() refuses names that are not valid interface names; those can
    // never carry a signal anyway.
    if (QDBusConnection::systemBus().connect(service, signalPath, interface, QString(), this,
                                             SLOT(handleSignal(QDBusMessage)))) {
        interfaces.append(interface);
        Q_EMIT q->signalInterfacesChanged(interfaces);
    }
}

void DBusDispatcherPrivate::introspectSignalPath()
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, signalPath,
                                                          QLatin1String(introspectableInterface),
                                                          QStringLiteral("Introspect"));
    // Only look at a daemon that runs; never start one for this.
    message.setAutoStartService(false);
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        const QDBusMessage reply = call->reply();
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return; // daemons need not be introspectable
        const QStringList found = interfacesWithSignals(reply.arguments().constFirst().toString());
        for (const QString& interface : found)
            subscribeInterface(interface);
    });
}

void DBusDispatcherPrivate::handleSignal(const QDBusMessage& message)
{
    Q_EMIT q->signalReceived(message.interface(), message.member(), DBusValues::plain(message.arguments()));
}

DBusDispatcher::DBusDispatcher(const QString& service, const QString& requestPath,
                               const QString& requestInterface, const QString& signalPath, QObject* parent)
    : QObject(parent)
    , d(new DBusDispatcherPrivate(this, service, requestPath, requestInterface, signalPath))
{
    d->subscribe();
}

DBusDispatcher::~DBusDispatcher()
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (bus.isConnected()) {
        for (const QString& interface : qAsConst(d->interfaces))
            bus.disconnect(d->service, d->signalPath, interface, QString(), d, SLOT(handleSignal(QDBusMessage)));
    }
}

QString DBusDispatcher::service() const
{
    return d->service;
}

QString DBusDispatcher::requestPath() const
{
    return d->requestPath;
}

QString DBusDispatcher::requestInterface() const
{
    return d->requestInterface;
}

QString DBusDispatcher::signalPath() const
{
    return d->signalPath;
}

QStringList DBusDispatcher::signalInterfaces() const
{
    return d->interfaces;
}

bool DBusDispatcher::callAsynchronous(const QString& method, const QVariant& a1, const QVariant& a2,
                                      const QVariant& a3, const QVariant& a4, const QVariant& a5,
                                      const QVariant& a6, const QVariant& a7, const QVariant& a8)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        qWarning("Velin::DBusDispatcher: the system bus is not connected; %s.%s not sent",
                 qPrintable(d->service), qPrintable(method));
        return false;
    }

    // The bus connection would only find out later, in its own thread, that
    // a message cannot be built; a caller needs to know now.
    if (!isValidDottedName(d->service, true) || !isValidObjectPath(d->requestPath)
        || !isValidDottedName(d->requestInterface, false) || !isValidMemberName(method)) {
        qWarning("Velin::DBusDispatcher: could not send %s.%s: invalid service, path, interface or method name",
                 qPrintable(d->service), qPrintable(method));
        return false;
    }

    QList<QVariant> arguments;
    int position = 0;
    for (const QVariant* argument : {&a1, &a2, &a3, &a4, &a5, &a6, &a7, &a8}) {
        ++position;
        if (!argument->isValid())
            continue;
        if (!isMarshallable(*argument)) {
            qWarning("Velin::DBusDispatcher: could not send %s.%s: argument %d of type %s has no D-Bus type",
                     qPrintable(d->service), qPrintable(method), position, argument->typeName());
            return false;
        }
        arguments.append(*argument);
    }
    QDBusMessage message = QDBusMessage::createMethodCall(d->service, d->requestPath, d->requestInterface, method);
    message.setArguments(arguments);

    // No time-out of our own: a daemon that does not answer is not an error
    // (callers have their own time-outs), while one that goes away still
    // gets its calls answered with an error by the bus.
    const QDBusPendingCall call = bus.asyncCall(message, std::numeric_limits<int>::max());
    if (call.isFinished() && call.isError()) {
        qWarning("Velin::DBusDispatcher: could not send %s.%s: %s", qPrintable(d->service), qPrintable(method),
                 qPrintable(call.error().message()));
        return false;
    }

    auto* watcher = new QDBusPendingCallWatcher(call, d);
    connect(watcher, &QDBusPendingCallWatcher::finished, d, [this, method](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        const QDBusMessage reply = finished->reply();
        if (reply.type() == QDBusMessage::ErrorMessage) {
            const QString error = reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
            Q_EMIT callReply(method, QList<QVariant>(), error);
        } else {
            Q_EMIT callReply(method, DBusValues::plain(reply.arguments()), QString());
        }
    });
    return true;
}

} // namespace Velin

#include "dbusdispatcher.moc"
