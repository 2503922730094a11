#include "base/simplenotification.h"

#include "notificationobserver.h"
#include "privatebus.h"

#include <QDBusConnection>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

using Velin::SimpleNotification;

class tst_SimpleNotification : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void delivered_data();
    void delivered();
    void idsComeFromTheServer();
    void noService();
    void noSessionBus(); // stops the session bus: keep last
};

void tst_SimpleNotification::delivered_data()
{
    QTest::addColumn<QString>("eventType");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("image");

    QTest::newRow("plain") << QStringLiteral("wlan.connected") << QStringLiteral("Connected")
                           << QStringLiteral("Office WLAN") << QStringLiteral("icon-s-status-wlan");
    QTest::newRow("no body, no image") << QStringLiteral("wlan.error") << QStringLiteral("Connection failed")
                                       << QString() << QString();
    QTest::newRow("non-ascii") << QStringLiteral("wlan.wps") << QString::fromUtf8("Yhdistetty \xe2\x80\x94 \xe6\x97\xa5")
                               << QString::fromUtf8("Caf\xc3\xa9 <b>Wi-Fi</b>") << QStringLiteral("/tmp/x.png");
}

void tst_SimpleNotification::delivered()
{
    QFETCH(QString, eventType);
    QFETCH(QString, summary);
    QFETCH(QString, body);
    QFETCH(QString, image);

    NotificationObserver observer;
    QVERIFY(observer.isRegistered());
    QSignalSpy received(&observer, &NotificationObserver::notificationReceived);

    const uint id = SimpleNotification::show(eventType, summary, body, image);
    QVERIFY(id != 0);
    QCOMPARE(observer.count(), 1);
    const NotificationObserver::Notification n = observer.last();
    QCOMPARE(n.id, id);
    QCOMPARE(n.appName, QStringLiteral("velin-wlan"));
    QCOMPARE(n.summary, summary);
    QCOMPARE(n.body, body);
    QCOMPARE(n.icon, image);
    QCOMPARE(n.category(), eventType);
    QCOMPARE(n.replacesId, 0u);
    QCOMPARE(n.expireTimeout, -1);
    QVERIFY(n.actions.isEmpty());
    QTRY_COMPARE(received.count(), 1);
    QCOMPARE(received.at(0).at(0).toUInt(), id);
}

void tst_SimpleNotification::idsComeFromTheServer()
{
    NotificationObserver observer;
    QVERIFY(observer.isRegistered());
    const uint first = SimpleNotification::show(QStringLiteral("a"), QStringLiteral("one"), QString(), QString());
    const uint second = SimpleNotification::show(QStringLiteral("b"), QStringLiteral("two"), QString(), QString());
    QCOMPARE(observer.count(), 2);
    QCOMPARE(observer.notifications().at(0).id, first);
    QCOMPARE(observer.notifications().at(1).id, second);
    QVERIFY(second > first);
    QCOMPARE(observer.notifications().at(1).category(), QStringLiteral("b"));
}

void tst_SimpleNotification::noService()
{
    {
        NotificationObserver observer;
        QVERIFY(observer.isRegistered());
    }
    // The observer took the service with it.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("notification not shown")));
    QCOMPARE(SimpleNotification::show(QStringLiteral("a"), QStringLiteral("lost"), QString(), QString()), 0u);
}

void tst_SimpleNotification::noSessionBus()
{
    QVERIFY(PrivateBus::instance());
    QVERIFY(QDBusConnection::sessionBus().isConnected());
    PrivateBus::instance()->stop(PrivateBus::SessionBus);
    QTRY_VERIFY(!QDBusConnection::sessionBus().isConnected());

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no session bus")));
    QCOMPARE(SimpleNotification::show(QStringLiteral("a"), QStringLiteral("lost"), QString(), QString()), 0u);
}

VELIN_TEST_MAIN_WITH_BUS(tst_SimpleNotification)

#include "tst_simplenotification.moc"
