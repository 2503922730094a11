#include "base/dbusdispatcher.h"

#include "fakedbusservice.h"
#include "privatebus.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QScopedPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

using Velin::DBusDispatcher;

namespace {

const QString serviceName = QStringLiteral("com.velin.test.daemon");
const QString requestPath = QStringLiteral("/com/velin/test/daemon/request");
const QString requestInterface = QStringLiteral("com.velin.test.daemon.request");
const QString signalPath = QStringLiteral("/com/velin/test/daemon/signal");
const QString pathInterface = QStringLiteral("com.velin.test.daemon.signal");
const QString otherInterface = QStringLiteral("org.velin.test.Other");

typedef QList<QVariant> VariantList;

// A type D-Bus knows nothing about.
struct LocalOnly
{
    int value = 0;
};

} // namespace

Q_DECLARE_METATYPE(LocalOnly)

class tst_DBusDispatcher : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void accessors();
    void callArguments_data();
    void callArguments();
    void replyArguments_data();
    void replyArguments();
    void errorText_data();
    void errorText();
    void lateReply();
    void unknownService();
    void refusedCalls_data();
    void refusedCalls();
    void signalDelivered_data();
    void signalDelivered();
    void signalsFiltered();
    void signalFromRestartedService();
    void noSystemBus(); // stops the system bus: keep last

private:
    DBusDispatcher* newDispatcher()
    {
        return new DBusDispatcher(serviceName, requestPath, requestInterface, signalPath, this);
    }

    FakeDBusService* m_service = nullptr;
};

void tst_DBusDispatcher::init()
{
    m_service = new FakeDBusService(FakeDBusService::SystemBus, serviceName, this);
    QVERIFY(m_service->isRegistered());
    m_service->setIntrospection(signalPath,
                                QStringLiteral("<interface name=\"%1\"><signal name=\"changed\">"
                                               "<arg type=\"s\"/></signal></interface>")
                                    .arg(otherInterface));
}

void tst_DBusDispatcher::cleanup()
{
    delete m_service;
    m_service = nullptr;
}

void tst_DBusDispatcher::accessors()
{
    DBusDispatcher dispatcher(serviceName, requestPath, requestInterface, signalPath);
    QCOMPARE(dispatcher.service(), serviceName);
    QCOMPARE(dispatcher.requestPath(), requestPath);
    QCOMPARE(dispatcher.requestInterface(), requestInterface);
    QCOMPARE(dispatcher.signalPath(), signalPath);
}

void tst_DBusDispatcher::callArguments_data()
{
    QTest::addColumn<VariantList>("given");    // exactly eight
    QTest::addColumn<VariantList>("expected");
    QTest::addColumn<QString>("signature");

    const QVariant none;
    QTest::newRow("no arguments") << VariantList{none, none, none, none, none, none, none, none} << VariantList()
                                  << QString();
    QTest::newRow("first only") << VariantList{QStringLiteral("scan"), none, none, none, none, none, none, none}
                                << VariantList{QStringLiteral("scan")} << QStringLiteral("s");
    QTest::newRow("gaps skipped")
        << VariantList{none, QVariant(5u), none, QStringLiteral("b"), none, none, QVariant(true), none}
        << VariantList{QVariant(5u), QStringLiteral("b"), QVariant(true)} << QStringLiteral("usb");
    QTest::newRow("last only") << VariantList{none, none, none, none, none, none, none, QVariant(-3)}
                               << VariantList{QVariant(-3)} << QStringLiteral("i");
    const QStringList list = {QStringLiteral("x"), QStringLiteral("y")};
    const QByteArray bytes("\x00\xff\x10", 3);
    QTest::newRow("all eight, in order")
        << VariantList{QStringLiteral("s"), QVariant(-1), QVariant(2u), QVariant(true), QVariant(qlonglong(1) << 40),
                       QVariant(0.5), QVariant(list), QVariant(bytes)}
        << VariantList{QStringLiteral("s"), QVariant(-1), QVariant(2u), QVariant(true), QVariant(qlonglong(1) << 40),
                       QVariant(0.5), QVariant(list), QVariant(bytes)}
        << QStringLiteral("siubxdasay");
}

void tst_DBusDispatcher::callArguments()
{
    QFETCH(VariantList, given);
    QFETCH(VariantList, expected);
    QFETCH(QString, signature);

    QScopedPointer<DBusDispatcher> dispatcher(newDispatcher());
    QSignalSpy replies(dispatcher.data(), &DBusDispatcher::callReply);
    QVERIFY(dispatcher->callAsynchronous(QStringLiteral("scan"), given[0], given[1], given[2], given[3], given[4],
                                         given[5], given[6], given[7]));
    QVERIFY(replies.wait());

    QCOMPARE(m_service->callCount(), 1);
    const FakeDBusService::Call call = m_service->lastCall();
    QCOMPARE(call.path, requestPath);
    QCOMPARE(call.interface, requestInterface);
    QCOMPARE(call.member, QStringLiteral("scan"));
    QCOMPARE(call.signature, signature);
    QCOMPARE(call.arguments, expected);
}

void tst_DBusDispatcher::replyArguments_data()
{
    QTest::addColumn<VariantList>("reply");
    QTest::addColumn<VariantList>("expected");

    QTest::newRow("none") << VariantList() << VariantList();
    QTest::newRow("basic") << VariantList{QVariant(7u), QStringLiteral("ok"), QVariant(false)}
                           << VariantList{QVariant(7u), QStringLiteral("ok"), QVariant(false)};
    const QStringList list = {QStringLiteral("a"), QStringLiteral("b c")};
    const QByteArray ssid("My\x00Net", 6);
    QTest::newRow("as and ay") << VariantList{QVariant(list), QVariant(ssid)}
                               << VariantList{QVariant(list), QVariant(ssid)};
    QVariantMap map;
    map.insert(QStringLiteral("ssid"), ssid);
    map.insert(QStringLiteral("names"), list);
    map.insert(QStringLiteral("level"), -60);
    QTest::newRow("a{sv} to map") << VariantList{QVariant(map)} << VariantList{QVariant(map)};
    QTest::newRow("variant") << VariantList{QVariant::fromValue(QDBusVariant(QVariant(list)))}
                             << VariantList{QVariant(list)};
    QTest::newRow("object path") << VariantList{QVariant::fromValue(QDBusObjectPath(QStringLiteral("/a/b")))}
                                 << VariantList{QVariant(QStringLiteral("/a/b"))};
}

void tst_DBusDispatcher::replyArguments()
{
    QFETCH(VariantList, reply);
    QFETCH(VariantList, expected);

    m_service->setReply(QStringLiteral("scan_results"), reply);
    QScopedPointer<DBusDispatcher> dispatcher(newDispatcher());
    QSignalSpy replies(dispatcher.data(), &DBusDispatcher::callReply);
    QVERIFY(dispatcher->callAsynchronous(QStringLiteral("scan_results"), QStringLiteral("wlan0")));
    QVERIFY(replies.wait());

    QCOMPARE(replies.count(), 1);
    QCOMPARE(replies.at(0).at(0).toString(), QStringLiteral("scan_results"));
    QCOMPARE(replies.at(0).at(1).value<VariantList>(), expected);
    QCOMPARE(replies.at(0).at(2).toString(), QString());
}

void tst_DBusDispatcher::errorText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("expected");

    QTest::newRow("message") << QStringLiteral("com.velin.test.Error.Busy") << QStringLiteral("scan in progress")
                             << QStringLiteral("scan in progress");
    QTest::newRow("no message: name") << QStringLiteral("com.velin.test.Error.Busy") << QString()
                                      << QStringLiteral("com.velin.test.Error.Busy");
}

void tst_DBusDispatcher::errorText()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    QFETCH(QString, expected);

    m_service->setError(QStringLiteral("disconnect_req"), name, message);
    QScopedPointer<DBusDispatcher> dispatcher(newDispatcher());
    QSignalSpy replies(dispatcher.data(), &DBusDispatcher::callReply);
    QVERIFY(dispatcher->callAsynchronous(QStringLiteral("disconnect_req")));
    QVERIFY(replies.wait());

    QCOMPARE(replies.count(), 1);
    QCOMPARE(replies.at(0).at(0).toString(), QStringLiteral("disconnect_req"));
    QVERIFY(replies.at(0).at(1).value<VariantList>().isEmpty());
    QCOMPARE(replies.at(0).at(2).toString(), expected);
}

void tst_DBusDispatcher::lateReply()
{
    m_service->setSilent(QStringLiteral("connect"));
    QScopedPointer<DBusDispatcher> dispatcher(newDispatcher());
    QSignalSpy replies(dispatcher.data(), &DBusDispatcher::callReply);

    // Returns at once although no answer has come.
    QVERIFY(dispatcher->callAsynchronous(QStringLiteral("connect"), QStringLiteral("Office")));
    QTRY_COMPARE(m_service->callCount(QStringLiteral("connect")), 1);
    QCOMPARE(replies.count(), 0);

    QVERIFY(m_service->answer(m_service->lastCall(), {QVariant(1u)}));
    QVERIFY(replies.wait());
    QCOMPARE(replies.at(0).at(0).toString(), QStringLiteral("connect"));
    QCOMPARE(replies.at(0).at(1).value<VariantList>(), VariantList{QVariant(1u)});
}

void tst_DBusDispatcher::unknownService()
{
    DBusDispatcher dispatcher(QStringLiteral("com.velin.test.nobody"), requestPath, requestInterface, signalPath);
    QSignalSpy replies(&dispatcher, &DBusDispatcher::callReply);
    QVERIFY(dispatcher.callAsynchronous(QStringLiteral("scan")));
    QVERIFY(replies.wait());
    QCOMPARE(replies.at(0).at(0).toString(), QStringLiteral("scan"));
    QVERIFY(!replies.at(0).at(2).toString().isEmpty());
}

void tst_DBusDispatcher::refusedCalls_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QVariant>("argument");

    QTest::newRow("argument without D-Bus type") << requestPath << QStringLiteral("scan")
                                                 << QVariant::fromValue(LocalOnly());
    QTest::newRow("invalid method name") << requestPath << QStringLiteral("scan-now") << QVariant();
    QTest::newRow("empty method name") << requestPath << QString() << QVariant();
    QTest::newRow("invalid request path") << QStringLiteral("/com/velin//request") << QStringLiteral("scan")
                                          << QVariant();
}

void tst_DBusDispatcher::refusedCalls()
{
    QFETCH(QString, path);
    QFETCH(QString, method);
    QFETCH(QVariant, argument);

    DBusDispatcher dispatcher(serviceName, path, requestInterface, signalPath);
    QSignalSpy replies(&dispatcher, &DBusDispatcher::callReply);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("could not send")));
    QVERIFY(!dispatcher.callAsynchronous(method, QStringLiteral("first"), argument));

    // Nothing reached the daemon, and no answer is announced for it: the
    // next call's reply is the first one.
    DBusDispatcher valid(serviceName, requestPath, requestInterface, signalPath);
    QSignalSpy validReplies(&valid, &DBusDispatcher::callReply);
    QVERIFY(valid.callAsynchronous(QStringLiteral("ping")));
    QVERIFY(validReplies.wait());
    QCOMPARE(replies.count(), 0);
    QCOMPARE(m_service->callCount(), 1);
    QCOMPARE(m_service->lastCall().member, QStringLiteral("ping"));
}

void tst_DBusDispatcher::signalDelivered_data()
{
    QTest::addColumn<QString>("interface");
    QTest::addColumn<QString>("member");
    QTest::addColumn<VariantList>("arguments");
    QTest::addColumn<VariantList>("expected");

    const QStringList list = {QStringLiteral("Office"), QStringLiteral("Home")};
    const QByteArray ssid("\x01\x02Net", 5);
    QTest::newRow("request interface") << requestInterface << QStringLiteral("scan_results")
                                       << VariantList{QVariant(2u), QVariant(list)}
                                       << VariantList{QVariant(2u), QVariant(list)};
    QTest::newRow("interface of the path") << pathInterface << QStringLiteral("wps_success")
                                           << VariantList{QVariant(ssid), QStringLiteral("key")}
                                           << VariantList{QVariant(ssid), QStringLiteral("key")};
    QVariantMap map;
    map.insert(QStringLiteral("ssid"), ssid);
    map.insert(QStringLiteral("level"), -60);
    QTest::newRow("introspected interface") << otherInterface << QStringLiteral("changed")
                                            << VariantList{QVariant(map), QVariant::fromValue(QDBusVariant(7))}
                                            << VariantList{QVariant(map), QVariant(7)};
    QTest::newRow("no arguments") << pathInterface << QStringLiteral("state_changed") << VariantList()
                                  << VariantList();
}

void tst_DBusDispatcher::signalDelivered()
{
    QFETCH(QString, interface);
    QFETCH(QString, member);
    QFETCH(VariantList, arguments);
    QFETCH(VariantList, expected);

    QScopedPointer<DBusDispatcher> dispatcher(newDispatcher());
    QSignalSpy received(dispatcher.data(), &DBusDispatcher::signalReceived);
    // The introspected interface is known once the daemon answered.
    QTRY_VERIFY(dispatcher->signalInterfaces().contains(interface));

    QVERIFY(m_service->emitSignal(signalPath, interface, member, arguments));
    QVERIFY(received.wait());
    QCOMPARE(received.count(), 1);
    QCOMPARE(received.at(0).at(0).toString(), interface);
    QCOMPARE(received.at(0).at(1).toString(), member);
    QCOMPARE(received.at(0).at(2).value<VariantList>(), expected);
}

void tst_DBusDispatcher::signalsFiltered()
{
    FakeDBusService impostor(FakeDBusService::SystemBus, QStringLiteral("com.velin.test.impostor"));
    QVERIFY(impostor.isRegistered());
    QScopedPointer<DBusDispatcher> dispatcher(newDispatcher());
    QSignalSpy received(dispatcher.data(), &DBusDispatcher::signalReceived);

    // None of these may arrive: wrong path, or the right path from another
    // daemon. Each is on the bus before the next is sent.
    QVERIFY(m_service->emitSignal(requestPath, requestInterface, QStringLiteral("wrong_path")));
    QVERIFY(m_service->emitSignal(QStringLiteral("/com/velin/test/daemon/signal/child"), pathInterface,
                                  QStringLiteral("child_path")));
    QVERIFY(impostor.emitSignal(signalPath, requestInterface, QStringLiteral("wrong_service")));
    QVERIFY(impostor.emitSignal(signalPath, pathInterface, QStringLiteral("wrong_service")));
    // This one arrives, after all the others would have.
    QVERIFY(m_service->emitSignal(signalPath, pathInterface, QStringLiteral("marker")));

    QVERIFY(received.wait());
    QCOMPARE(received.count(), 1);
    QCOMPARE(received.at(0).at(1).toString(), QStringLiteral("marker"));
}

void tst_DBusDispatcher::signalFromRestartedService()
{
    QScopedPointer<DBusDispatcher> dispatcher(newDispatcher());
    QSignalSpy received(dispatcher.data(), &DBusDispatcher::signalReceived);

    // The daemon goes away and comes back under a new connection.
    delete m_service;
    m_service = new FakeDBusService(FakeDBusService::SystemBus, serviceName, this);
    QVERIFY(m_service->isRegistered());

    QTRY_VERIFY_WITH_TIMEOUT(
        (m_service->emitSignal(signalPath, pathInterface, QStringLiteral("back")), received.count() > 0), 5000);
    QCOMPARE(received.at(0).at(1).toString(), QStringLiteral("back"));
}

void tst_DBusDispatcher::noSystemBus()
{
    QScopedPointer<DBusDispatcher> dispatcher(newDispatcher());
    delete m_service;
    m_service = nullptr;

    QVERIFY(PrivateBus::instance());
    PrivateBus::instance()->stop(PrivateBus::SystemBus);
    QTRY_VERIFY(!QDBusConnection::systemBus().isConnected());

    QSignalSpy replies(dispatcher.data(), &DBusDispatcher::callReply);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("system bus is not connected")));
    QVERIFY(!dispatcher->callAsynchronous(QStringLiteral("scan"), QStringLiteral("wlan0")));
    QCOMPARE(replies.count(), 0);

    // Made while there is no bus: no crash, calls refused.
    DBusDispatcher late(serviceName, requestPath, requestInterface, signalPath);
    QVERIFY(late.signalInterfaces().isEmpty());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("system bus is not connected")));
    QVERIFY(!late.callAsynchronous(QStringLiteral("scan")));
}

VELIN_TEST_MAIN_WITH_BUS(tst_DBusDispatcher)

#include "tst_dbusdispatcher.moc"
