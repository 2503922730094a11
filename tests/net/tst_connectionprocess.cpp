#include "net/connectionprocess.h"
#include "net/connectionwatcher.h"
#include "net/internetaccesspoint.h"
#include "net/internetaccesspointfactory.h"

#include "fakedbusservice.h"
#include "privatebus.h"
#include "testdata.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QPoint>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using Velin::ConnectionProcess;
using Velin::ConnectionWatcher;
using Velin::InternetAccessPoint;
using Velin::InternetAccessPointFactory;
using NetTestData::wlanData;

namespace {

// A value D-Bus has no type for.
struct LocalOnly
{
    int value = 0;
};

} // namespace

Q_DECLARE_METATYPE(LocalOnly)

namespace {

const QString connectivityService = QStringLiteral("com.qorva.nexd2");
const QString connectivityPath = QStringLiteral("/com/qorva/nexd2");
const QString connectivityInterface = QStringLiteral("com.qorva.nexd2");

void syncSystemBus()
{
    const QDBusMessage ping = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    QDBusConnection::systemBus().call(ping);
}

} // namespace

class tst_ConnectionProcess : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void connectSucceeds();
    void requestCarriesProperties();
    void connectFails_data();
    void connectFails();
    void refusedRequest_data();
    void refusedRequest();
    void statesOfOtherAccessPointsIgnored();
    void queueOrder();
    void emptyQueue();
    void accessPointWithoutIdRefused();
    void startWhileRunning();
    void daemonThatNeverReports();
    void unmarshallableProperty();
    void noSecretInLogs();
    void propertyChangesReachDaemon_data();
    void propertyChangesReachDaemon();
    void noUpdateOutsideTheAttempt();

    void watcherSignals_data();
    void watcherSignals();
    void watcherCarriesSharedAccessPoint();
    void watcherIgnoresMalformedState_data();
    void watcherIgnoresMalformedState();
    void watcherWithoutId();

    void noSystemBus(); // stops the system bus: keep last

private:
    void state(const QString& id, const QString& state, const QString& reason = QString())
    {
        QVERIFY(m_daemon->emitSignal(connectivityPath, connectivityInterface, QStringLiteral("connection_state"),
                                     {id, state, reason}));
    }

    // Returns once the daemon has every message this process sent before.
    void flushToDaemon()
    {
        const QDBusMessage ping = QDBusMessage::createMethodCall(connectivityService, connectivityPath,
                                                                 connectivityInterface, QStringLiteral("flush"));
        QCOMPARE(QDBusConnection::systemBus().call(ping).type(), QDBusMessage::ReplyMessage);
    }

    FakeDBusService* m_daemon = nullptr;
};

void tst_ConnectionProcess::init()
{
    m_daemon = new FakeDBusService(FakeDBusService::SystemBus, connectivityService, this);
    QVERIFY(m_daemon->isRegistered());
}

void tst_ConnectionProcess::cleanup()
{
    delete m_daemon;
    m_daemon = nullptr;
}

void tst_ConnectionProcess::connectSucceeds()
{
    ConnectionProcess process;
    QSignalSpy finished(&process, &ConnectionProcess::finished);
    QSignalSpy errors(&process, &ConnectionProcess::error);
    QSignalSpy running(&process, &ConnectionProcess::runningChanged);

    process.addInternetAccessPoint(InternetAccessPoint(wlanData("Office")));
    QCOMPARE(process.queuedCount(), 1);
    process.start();
    QVERIFY(process.isRunning());
    QCOMPARE(process.currentId(), QStringLiteral("Office"));
    QCOMPARE(process.queuedCount(), 0);
    QTRY_COMPARE(m_daemon->callCount(QStringLiteral("connect_req")), 1);
    const FakeDBusService::Call call = m_daemon->lastCall();
    QCOMPARE(call.path, connectivityPath);
    QCOMPARE(call.interface, connectivityInterface);
    QCOMPARE(call.signature, QStringLiteral("sa{sv}"));
    QCOMPARE(call.arguments.first(), QVariant(QStringLiteral("Office")));

    state(QStringLiteral("Office"), QStringLiteral("connecting"));
    state(QStringLiteral("Office"), QStringLiteral("connected"));
    QVERIFY(finished.wait());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(errors.count(), 0);
    QVERIFY(!process.isRunning());
    QVERIFY(process.currentId().isEmpty());
    QCOMPARE(running.count(), 2);

    // Later states are not this process's business any more; a watcher's
    // signal for a state sent after them shows they have been handled.
    ConnectionWatcher watcher(InternetAccessPoint(wlanData("Office")));
    QSignalSpy marker(&watcher, &ConnectionWatcher::connecting);
    syncSystemBus();
    state(QStringLiteral("Office"), QStringLiteral("failed"), QStringLiteral("forced"));
    state(QStringLiteral("Office"), QStringLiteral("connected"));
    state(QStringLiteral("Office"), QStringLiteral("connecting"));
    QVERIFY(marker.wait());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(errors.count(), 0);
}

void tst_ConnectionProcess::requestCarriesProperties()
{
    InternetAccessPoint iap(wlanData("Props"));
    iap.setPropertyAliases({{QStringLiteral("psk"), QStringLiteral("EAP_wpa_preshared_passphrase")}});
    iap.setDefaults({{QStringLiteral("wlan_powersave"), 1}, {QStringLiteral("wlan_hidden"), true}});
    iap.setProperties({{QStringLiteral("psk"), QStringLiteral("passphrase 1")},
                       {QStringLiteral("wlan_ssid"), QByteArray("Props")},
                       {QStringLiteral("wlan_hidden"), false},
                       {QStringLiteral("wlan_wepdefkey"), 2},
                       {QStringLiteral("EAP_type_id"), 13u},
                       {QStringLiteral("EAP_default_type"), QVariantList{254, 0, 55, 42, 0, 0, 0, 1}},
                       {QStringLiteral("EAP_methods"), QStringList{QStringLiteral("PEAP")}}});

    ConnectionProcess process;
    process.addInternetAccessPoint(iap);
    // Set after queueing: the queued access point shares the record.
    iap.setProperty("wlan_security", QStringLiteral("WPA_PSK"));
    process.start();
    QTRY_COMPARE(m_daemon->callCount(QStringLiteral("connect_req")), 1);
    const QVariantMap sent = m_daemon->lastCall().arguments.at(1).toMap();
    const QVariantMap expected = {
        {QStringLiteral("EAP_wpa_preshared_passphrase"), QStringLiteral("passphrase 1")},
        {QStringLiteral("wlan_ssid"), QByteArray("Props")},
        {QStringLiteral("wlan_hidden"), false},
        {QStringLiteral("wlan_powersave"), 1},
        {QStringLiteral("wlan_wepdefkey"), 2},
        {QStringLiteral("EAP_type_id"), 13u},
        {QStringLiteral("EAP_default_type"), QVariantList{254, 0, 55, 42, 0, 0, 0, 1}},
        {QStringLiteral("EAP_methods"), QStringList{QStringLiteral("PEAP")}},
        {QStringLiteral("wlan_security"), QStringLiteral("WPA_PSK")},
    };
    QCOMPARE(sent.keys(), expected.keys());
    for (auto it = expected.constBegin(); it != expected.constEnd(); ++it) {
        QCOMPARE(sent.value(it.key()).userType(), it.value().userType());
        QCOMPARE(sent.value(it.key()), it.value());
    }
}

void tst_ConnectionProcess::connectFails_data()
{
    QTest::addColumn<QStringList>("states"); // "state" or "state:reason", in order
    QTest::addColumn<QString>("reported");

    QTest::newRow("wrong credentials") << QStringList{"connecting", "failed:wrong-credentials"}
                                       << QStringLiteral("wrong-credentials");
    QTest::newRow("not found") << QStringList{"connecting", "failed:not-found"} << QStringLiteral("not-found");
    QTest::newRow("no reason") << QStringList{"connecting", "failed"} << QStringLiteral("failed");
    // A WPS exchange ends so: no connection, and no waiting for one.
    QTest::newRow("disconnected once connecting") << QStringList{"connecting", "disconnected"}
                                                  << QStringLiteral("disconnected");
    // The end of the link the attempt replaces is not its outcome.
    QTest::newRow("disconnected before connecting") << QStringList{"disconnected", "connecting", "failed:timeout"}
                                                    << QStringLiteral("timeout");
}

void tst_ConnectionProcess::connectFails()
{
    QFETCH(QStringList, states);
    QFETCH(QString, reported);

    ConnectionProcess process;
    QSignalSpy finished(&process, &ConnectionProcess::finished);
    QSignalSpy errors(&process, &ConnectionProcess::error);
    process.addInternetAccessPoint(InternetAccessPoint(wlanData("Campus")));
    process.start();
    QTRY_COMPARE(m_daemon->callCount(QStringLiteral("connect_req")), 1);
    for (const QString& step : states)
        state(QStringLiteral("Campus"), step.section(':', 0, 0), step.section(':', 1));
    QVERIFY(errors.wait());
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.first().first().toString(), reported);
    QCOMPARE(finished.count(), 0);
    QVERIFY(!process.isRunning());
}

void tst_ConnectionProcess::refusedRequest_data()
{
    QTest::addColumn<QString>("errorName");

    QTest::newRow("busy") << QStringLiteral("com.qorva.nexd2.Error.Busy");
    QTest::newRow("invalid arguments") << QStringLiteral("com.qorva.nexd2.Error.InvalidArguments");
}

void tst_ConnectionProcess::refusedRequest()
{
    QFETCH(QString, errorName);

    m_daemon->setError(QStringLiteral("connect_req"), errorName, QStringLiteral("refused for the test"));
    ConnectionProcess process;
    QSignalSpy errors(&process, &ConnectionProcess::error);
    process.addInternetAccessPoint(InternetAccessPoint(wlanData("Refused")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("request was refused: ") + errorName));
    process.start();
    QVERIFY(errors.wait());
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.first().first().toString(), errorName);
    QVERIFY(!process.isRunning());
}

void tst_ConnectionProcess::statesOfOtherAccessPointsIgnored()
{
    ConnectionProcess process;
    QSignalSpy finished(&process, &ConnectionProcess::finished);
    QSignalSpy errors(&process, &ConnectionProcess::error);
    process.addInternetAccessPoint(InternetAccessPoint(wlanData("Mine")));
    process.start();
    QTRY_COMPARE(m_daemon->callCount(QStringLiteral("connect_req")), 1);

    state(QStringLiteral("Other"), QStringLiteral("failed"), QStringLiteral("wrong-credentials"));
    state(QStringLiteral("Other"), QStringLiteral("connected"));
    state(QStringLiteral("Mine2"), QStringLiteral("connected"));
    state(QStringLiteral("Mine"), QStringLiteral("connected"));
    QVERIFY(finished.wait());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(errors.count(), 0);
}

void tst_ConnectionProcess::queueOrder()
{
    ConnectionProcess process;
    QSignalSpy finished(&process, &ConnectionProcess::finished);
    QSignalSpy errors(&process, &ConnectionProcess::error);
    process.addInternetAccessPoint(InternetAccessPoint(wlanData("First")));
    process.addInternetAccessPoint(InternetAccessPoint(wlanData("Second")));
    QCOMPARE(process.queuedCount(), 2);

    process.start();
    QTRY_COMPARE(m_daemon->callCount(QStringLiteral("connect_req")), 1);
    QCOMPARE(m_daemon->lastCall().arguments.first(), QVariant(QStringLiteral("First")));
    state(QStringLiteral("First"), QStringLiteral("failed"), QStringLiteral("not-found"));
    QVERIFY(errors.wait());
    QCOMPARE(process.queuedCount(), 1);

    process.start();
    QCOMPARE(process.currentId(), QStringLiteral("Second"));
    QTRY_COMPARE(m_daemon->callCount(QStringLiteral("connect_req")), 2);
    QCOMPARE(m_daemon->lastCall().arguments.first(), QVariant(QStringLiteral("Second")));
    state(QStringLiteral("Second"), QStringLiteral("connected"));
    QVERIFY(finished.wait());
    QCOMPARE(process.queuedCount(), 0);
}

void tst_ConnectionProcess::emptyQueue()
{
    ConnectionProcess process;
    QSignalSpy errors(&process, &ConnectionProcess::error);
    process.start();
    // After start() has returned.
    QCOMPARE(errors.count(), 0);
    QVERIFY(errors.wait());
    QCOMPARE(errors.first().first().toString(), QStringLiteral("no access point"));
    QVERIFY(!process.isRunning());
    QCOMPARE(m_daemon->callCount(), 0);
}

void tst_ConnectionProcess::accessPointWithoutIdRefused()
{
    ConnectionProcess process;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("without id cannot be connected")));
    process.addInternetAccessPoint(InternetAccessPoint());
    QCOMPARE(process.queuedCount(), 0);
}

void tst_ConnectionProcess::startWhileRunning()
{
    m_daemon->setSilent(QStringLiteral("connect_req"));
    ConnectionProcess process;
    process.addInternetAccessPoint(InternetAccessPoint(wlanData("A")));
    process.addInternetAccessPoint(InternetAccessPoint(wlanData("B")));
    process.start();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("already running")));
    process.start();
    QCOMPARE(process.currentId(), QStringLiteral("A"));
    QCOMPARE(process.queuedCount(), 1);
    QTRY_COMPARE(m_daemon->callCount(QStringLiteral("connect_req")), 1);
}

void tst_ConnectionProcess::daemonThatNeverReports()
{
    // The request is acknowledged, then nothing: the attempt ends by itself.
    ConnectionProcess process;
    QSignalSpy errors(&process, &ConnectionProcess::error);
    auto timer = process.findChild<QTimer*>(QStringLiteral("connectionOutcomeTimeout"));
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 60000);
    timer->setInterval(50);
    process.addInternetAccessPoint(InternetAccessPoint(wlanData("Office")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no outcome")));
    process.start();
    QVERIFY(errors.wait());
    QCOMPARE(errors.first().first().toString(), QStringLiteral("timeout"));
    QVERIFY(!process.isRunning());

    // A late report for the abandoned attempt changes nothing.
    QSignalSpy finished(&process, &ConnectionProcess::finished);
    state(QStringLiteral("Office"), QStringLiteral("connected"));
    syncSystemBus();
    QCoreApplication::processEvents();
    QCOMPARE(finished.count(), 0);
}

void tst_ConnectionProcess::unmarshallableProperty()
{
    InternetAccessPoint iap(wlanData("Geometry"));
    iap.setProperty("local", QVariant::fromValue(LocalOnly()));
    iap.setProperty("nested", QVariantList{1, QVariant::fromValue(LocalOnly())});
    iap.setProperty("point", QPoint(1, 2));
    iap.setProperty("wlan_hidden", true);
    ConnectionProcess process;
    process.addInternetAccessPoint(iap);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("left out: local, nested$")));
    process.start();
    QTRY_COMPARE(m_daemon->callCount(QStringLiteral("connect_req")), 1);
    const QVariantMap sent = m_daemon->lastCall().arguments.at(1).toMap();
    QCOMPARE(sent.keys(), (QStringList{QStringLiteral("point"), QStringLiteral("wlan_hidden")}));
    QCOMPARE(sent.value(QStringLiteral("wlan_hidden")), QVariant(true));
}

void tst_ConnectionProcess::noSecretInLogs()
{
    const QString passphrase = QStringLiteral("s3cret-passphrase-4711");
    const QByteArray wepKey("k3y-bytes-0815");
    NetTestData::LogCapture log;
    {
        m_daemon->setError(QStringLiteral("connect_req"), QStringLiteral("com.qorva.nexd2.Error.Busy"),
                           QStringLiteral("busy"));
        InternetAccessPoint iap(wlanData("Secret"));
        iap.setProperty("EAP_wpa_preshared_passphrase", passphrase);
        iap.setProperty("wlan_wepkey1", wepKey);
        iap.setProperty("unsendable", QVariant::fromValue(LocalOnly()));
        ConnectionProcess process;
        QSignalSpy errors(&process, &ConnectionProcess::error);
        process.addInternetAccessPoint(iap);
        process.start();
        QVERIFY(errors.wait());

        m_daemon->setReply(QStringLiteral("connect_req"), {});
        process.addInternetAccessPoint(iap);
        process.start();
        QTRY_COMPARE(m_daemon->callCount(QStringLiteral("connect_req")), 2);
        state(QStringLiteral("Secret"), QStringLiteral("failed"), QStringLiteral("wrong-credentials"));
        QVERIFY(errors.wait());
        state(QStringLiteral("Secret"), QStringLiteral("bogus"));
        QVERIFY(m_daemon->emitSignal(connectivityPath, connectivityInterface, QStringLiteral("connection_state"),
                                     {QStringLiteral("Secret"), 5}));
        QTRY_VERIFY(log.warnings.size() >= 4);
    }
    QVERIFY(!log.warnings.isEmpty());
    for (const QString& message : qAsConst(log.messages)) {
        QVERIFY2(!message.contains(passphrase), qPrintable(message));
        QVERIFY2(!message.contains(QString::fromLatin1(wepKey)), qPrintable(message));
    }
}

void tst_ConnectionProcess::propertyChangesReachDaemon_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QVariantMap>("expected");

    const QString pinKey = QStringLiteral("EAP_SIMPLE_CONFIG_device_password");
    const QVariantMap before = {{QStringLiteral("EAP_default_type"), QVariantList{254, 0, 55, 42, 0, 0, 0, 1}},
                                {QStringLiteral("wlan_wps_method"), QStringLiteral("pin")},
                                {QStringLiteral("wlan_powersave"), 1}};
    QVariantMap withPin = before;
    withPin.insert(pinKey, QStringLiteral("12345670"));
    QTest::newRow("PIN set") << "pin" << withPin;
    QVariantMap several = withPin;
    several.insert(QStringLiteral("wlan_hidden"), true);
    QTest::newRow("several at once") << "several" << several;
    QVariantMap removed = before;
    removed.remove(QStringLiteral("wlan_wps_method"));
    QTest::newRow("property removed") << "remove" << removed;
    QVariantMap otherDefault = before;
    otherDefault.insert(QStringLiteral("wlan_powersave"), 3);
    QTest::newRow("defaults changed") << "defaults" << otherDefault;
}

void tst_ConnectionProcess::propertyChangesReachDaemon()
{
    QFETCH(QString, change);
    QFETCH(QVariantMap, expected);

    InternetAccessPoint iap(wlanData("Enrolling"));
    iap.setDefaults({{QStringLiteral("wlan_powersave"), 1}});
    iap.setProperty("EAP_default_type", QVariantList{254, 0, 55, 42, 0, 0, 0, 1});
    iap.setProperty("wlan_wps_method", QStringLiteral("pin"));
    ConnectionProcess process;
    process.addInternetAccessPoint(iap);
    process.start();
    QTRY_COMPARE(m_daemon->callCount(QStringLiteral("connect_req")), 1);
    QVERIFY(!m_daemon->lastCall().arguments.at(1).toMap().contains(QStringLiteral("EAP_SIMPLE_CONFIG_device_password")));

    // Through an instance of its own, sharing the record.
    InternetAccessPoint other = InternetAccessPointFactory::create(QStringLiteral("Enrolling"));
    if (change == QLatin1String("pin")) {
        other.setProperty("EAP_SIMPLE_CONFIG_device_password", QStringLiteral("12345670"));
    } else if (change == QLatin1String("several")) {
        other.setProperties({{QStringLiteral("EAP_SIMPLE_CONFIG_device_password"), QStringLiteral("12345670")},
                             {QStringLiteral("wlan_hidden"), true}});
    } else if (change == QLatin1String("remove")) {
        other.setProperty("wlan_wps_method", QVariant());
    } else {
        other.setDefaults({{QStringLiteral("wlan_powersave"), 3}});
    }
    flushToDaemon();

    const QList<FakeDBusService::Call> updates = m_daemon->calls(QStringLiteral("update_properties"));
    QCOMPARE(updates.size(), 1);
    const FakeDBusService::Call update = updates.first();
    QCOMPARE(update.path, connectivityPath);
    QCOMPARE(update.interface, connectivityInterface);
    QCOMPARE(update.signature, QStringLiteral("sa{sv}"));
    QVERIFY(!update.message.isReplyRequired());
    QCOMPARE(update.arguments.first(), QVariant(QStringLiteral("Enrolling")));
    const QVariantMap sent = update.arguments.at(1).toMap();
    QCOMPARE(sent.keys(), expected.keys());
    for (auto it = expected.constBegin(); it != expected.constEnd(); ++it)
        QCOMPARE(sent.value(it.key()), it.value());

    // Setting the same value again changes nothing, so sends nothing.
    if (change == QLatin1String("pin")) {
        other.setProperty("EAP_SIMPLE_CONFIG_device_password", QStringLiteral("12345670"));
        flushToDaemon();
        QCOMPARE(m_daemon->callCount(QStringLiteral("update_properties")), 1);
    }
}

void tst_ConnectionProcess::noUpdateOutsideTheAttempt()
{
    InternetAccessPoint iap(wlanData("Quiet"));
    InternetAccessPoint bystander(wlanData("Bystander"));
    ConnectionProcess process;
    process.addInternetAccessPoint(iap);

    // Not started yet.
    iap.setProperty("wlan_hidden", true);
    process.start();
    QTRY_COMPARE(m_daemon->callCount(QStringLiteral("connect_req")), 1);
    QCOMPARE(m_daemon->lastCall().arguments.at(1).toMap().value(QStringLiteral("wlan_hidden")), QVariant(true));

    // Another access point changes during the attempt.
    bystander.setProperty("wlan_hidden", true);
    InternetAccessPointFactory::create(QStringLiteral("Bystander")).setProperty("wlan_powersave", 2);
    flushToDaemon();
    QCOMPARE(m_daemon->callCount(QStringLiteral("update_properties")), 0);

    // Once the attempt is over.
    QSignalSpy finished(&process, &ConnectionProcess::finished);
    state(QStringLiteral("Quiet"), QStringLiteral("connected"));
    QVERIFY(finished.wait());
    iap.setProperty("wlan_hidden", false);
    InternetAccessPointFactory::create(QStringLiteral("Quiet")).setProperty("wlan_powersave", 2);
    flushToDaemon();
    QCOMPARE(m_daemon->callCount(QStringLiteral("update_properties")), 0);
    QCOMPARE(m_daemon->callCount(QStringLiteral("flush")), 2);
}

void tst_ConnectionProcess::watcherSignals_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("connecting");
    QTest::addColumn<int>("disconnected");
    QTest::addColumn<int>("connected");

    QTest::newRow("connecting") << QStringLiteral("Watched") << QStringLiteral("connecting") << 1 << 0 << 0;
    QTest::newRow("disconnected") << QStringLiteral("Watched") << QStringLiteral("disconnected") << 0 << 1 << 0;
    QTest::newRow("failed") << QStringLiteral("Watched") << QStringLiteral("failed") << 0 << 1 << 0;
    QTest::newRow("connected") << QStringLiteral("Watched") << QStringLiteral("connected") << 0 << 0 << 1;
    QTest::newRow("other connecting") << QStringLiteral("Other") << QStringLiteral("connecting") << 0 << 0 << 0;
    QTest::newRow("other disconnected") << QStringLiteral("Other") << QStringLiteral("disconnected") << 0 << 0 << 0;
    QTest::newRow("other connected") << QStringLiteral("Other") << QStringLiteral("connected") << 0 << 0 << 0;
    QTest::newRow("prefix of id") << QStringLiteral("Watch") << QStringLiteral("failed") << 0 << 0 << 0;
}

void tst_ConnectionProcess::watcherSignals()
{
    QFETCH(QString, id);
    QFETCH(QString, state);
    QFETCH(int, connecting);
    QFETCH(int, disconnected);
    QFETCH(int, connected);

    ConnectionWatcher watcher(InternetAccessPoint(wlanData("Watched")));
    QCOMPARE(watcher.id(), QStringLiteral("Watched"));
    QSignalSpy connectingSpy(&watcher, &ConnectionWatcher::connecting);
    QSignalSpy disconnectedSpy(&watcher, &ConnectionWatcher::disconnected);
    QSignalSpy connectedSpy(&watcher, &ConnectionWatcher::connected);
    QVERIFY(connectingSpy.isValid());
    syncSystemBus();

    this->state(id, state);
    // A marker state for the watched access point shows the first one was handled.
    this->state(QStringLiteral("Watched"), QStringLiteral("connecting"));
    QTRY_COMPARE(connectingSpy.count(), connecting + 1);
    QCOMPARE(disconnectedSpy.count(), disconnected);
    QCOMPARE(connectedSpy.count(), connected);
    for (const QList<QVariant>& arguments : qAsConst(connectedSpy))
        QCOMPARE(arguments.first().value<InternetAccessPoint>().id(), QStringLiteral("Watched"));
    for (const QList<QVariant>& arguments : qAsConst(connectingSpy))
        QCOMPARE(arguments.first().value<InternetAccessPoint>().id(), QStringLiteral("Watched"));
    for (const QList<QVariant>& arguments : qAsConst(disconnectedSpy))
        QCOMPARE(arguments.first().value<InternetAccessPoint>().id(), QStringLiteral("Watched"));
}

void tst_ConnectionProcess::watcherCarriesSharedAccessPoint()
{
    InternetAccessPoint iap(wlanData("Shared"));
    ConnectionWatcher watcher(iap);
    QSignalSpy disconnected(&watcher, &ConnectionWatcher::disconnected);
    syncSystemBus();
    iap.setProperty("wlan_hidden", true);
    state(QStringLiteral("Shared"), QStringLiteral("disconnected"));
    QVERIFY(disconnected.wait());
    QCOMPARE(disconnected.first().first().value<InternetAccessPoint>().property("wlan_hidden"), QVariant(true));
    QCOMPARE(watcher.internetAccessPoint().property("wlan_hidden"), QVariant(true));
}

void tst_ConnectionProcess::watcherIgnoresMalformedState_data()
{
    QTest::addColumn<QList<QVariant>>("arguments");

    QTest::newRow("two arguments") << QList<QVariant>{QStringLiteral("W"), QStringLiteral("disconnected")};
    QTest::newRow("no arguments") << QList<QVariant>();
    QTest::newRow("id a byte array") << QList<QVariant>{QByteArray("W"), QStringLiteral("disconnected"), QString()};
    QTest::newRow("reason a number") << QList<QVariant>{QStringLiteral("W"), QStringLiteral("disconnected"), 3};
    QTest::newRow("four arguments") << QList<QVariant>{QStringLiteral("W"), QStringLiteral("disconnected"),
                                                       QString(), QString()};
}

void tst_ConnectionProcess::watcherIgnoresMalformedState()
{
    QFETCH(QList<QVariant>, arguments);

    ConnectionWatcher watcher(InternetAccessPoint(wlanData("W")));
    QSignalSpy disconnected(&watcher, &ConnectionWatcher::disconnected);
    QSignalSpy connecting(&watcher, &ConnectionWatcher::connecting);
    syncSystemBus();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("ignoring a connection_state signal")));
    QVERIFY(m_daemon->emitSignal(connectivityPath, connectivityInterface, QStringLiteral("connection_state"),
                                 arguments));
    state(QStringLiteral("W"), QStringLiteral("connecting"));
    QVERIFY(connecting.wait());
    QCOMPARE(disconnected.count(), 0);
}

void tst_ConnectionProcess::watcherWithoutId()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("watching an access point without id")));
    ConnectionWatcher watcher((InternetAccessPoint()));
    QSignalSpy disconnected(&watcher, &ConnectionWatcher::disconnected);
    QSignalSpy connecting(&watcher, &ConnectionWatcher::connecting);
    syncSystemBus();
    state(QString(), QStringLiteral("disconnected"));
    state(QString(), QStringLiteral("connecting"));
    // A watcher with an id sees the same signals: they did arrive.
    ConnectionWatcher other(InternetAccessPoint(wlanData("Other")));
    QSignalSpy otherConnecting(&other, &ConnectionWatcher::connecting);
    syncSystemBus();
    state(QStringLiteral("Other"), QStringLiteral("connecting"));
    QVERIFY(otherConnecting.wait());
    QCOMPARE(disconnected.count(), 0);
    QCOMPARE(connecting.count(), 0);
}

void tst_ConnectionProcess::noSystemBus()
{
    InternetAccessPoint iap(wlanData("Offline"));
    delete m_daemon;
    m_daemon = nullptr;
    QVERIFY(PrivateBus::instance());
    PrivateBus::instance()->stop(PrivateBus::SystemBus);
    QTRY_VERIFY(!QDBusConnection::systemBus().isConnected());

    ConnectionProcess process;
    QSignalSpy errors(&process, &ConnectionProcess::error);
    process.addInternetAccessPoint(iap);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("system bus is not connected; cannot connect")));
    process.start();
    QVERIFY(errors.wait());
    QCOMPARE(errors.first().first().toString(), QStringLiteral("no system bus"));
    QVERIFY(!process.isRunning());
    // Still queued: nothing was attempted.
    QCOMPARE(process.queuedCount(), 1);

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot listen to the connectivity daemon")));
    ConnectionWatcher watcher(iap);
    QCOMPARE(watcher.id(), QStringLiteral("Offline"));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("system bus is not connected; cannot disconnect")));
    iap.disconnect();
}

VELIN_TEST_MAIN_WITH_BUS(tst_ConnectionProcess)

#include "tst_connectionprocess.moc"
