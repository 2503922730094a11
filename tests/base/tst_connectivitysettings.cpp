#include "base/connectivitysettings.h"

#include "dconffixture.h"
#include "privatebus.h"

#include <QRegularExpression>
#include <QtTest>

using Velin::ConnectivitySettings;

namespace {

const QString wlanRoot = QStringLiteral("/system/ravo/connectivity/wlan/");
const QString networkTypeRoot = QStringLiteral("/system/ravo/connectivity/network_type/");

} // namespace

class tst_ConnectivitySettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void encodePathComponent_data();
    void encodePathComponent();
    void keyPath_data();
    void keyPath();
    void readsFromStore_data();
    void readsFromStore();
    void unsetKeyIsInvalid();
    void refusedKeys_data();
    void refusedKeys();
    void unknownType();
};

void tst_ConnectivitySettings::encodePathComponent_data()
{
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("encoded");

    QTest::newRow("unreserved") << QStringLiteral("Home-Net_2.4") << QStringLiteral("Home-Net_2.4");
    QTest::newRow("space") << QStringLiteral("My Net") << QStringLiteral("My%20Net");
    QTest::newRow("slash") << QStringLiteral("a/b") << QStringLiteral("a%2Fb");
    QTest::newRow("percent") << QStringLiteral("100%") << QStringLiteral("100%25");
    QTest::newRow("punctuation") << QStringLiteral("x~!*'()") << QStringLiteral("x%7E%21%2A%27%28%29");
    // Every character fits Latin-1: one byte each.
    QTest::newRow("latin-1") << QString::fromUtf8("Caf\xc3\xa9 \xc3\xbc") << QStringLiteral("Caf%E9%20%FC");
    // One character above U+00FF: the whole string goes as UTF-8.
    QTest::newRow("utf-8") << QString::fromUtf8("\xc3\xbc\xe2\x82\xac") << QStringLiteral("%C3%BC%E2%82%AC");
    QTest::newRow("cjk") << QString::fromUtf8("\xe6\x97\xa5\xe6\x9c\xac") << QStringLiteral("%E6%97%A5%E6%9C%AC");
    QTest::newRow("control byte") << QString(QChar(0x01)) << QStringLiteral("%01");
    QTest::newRow("empty") << QString() << QString();
}

void tst_ConnectivitySettings::encodePathComponent()
{
    QFETCH(QString, component);
    QFETCH(QString, encoded);
    QCOMPARE(ConnectivitySettings::encodePathComponent(component), encoded);
}

void tst_ConnectivitySettings::keyPath_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("network type") << 2 << QStringLiteral("WLAN_INFRA") << QStringLiteral("name")
                                  << networkTypeRoot + QStringLiteral("WLAN_INFRA/name");
    QTest::newRow("network type encoded") << 2 << QStringLiteral("a b") << QStringLiteral("name")
                                          << networkTypeRoot + QStringLiteral("a%20b/name");
    QTest::newRow("wlan") << 3 << QStringLiteral("Office") << QStringLiteral("EAP_type")
                          << wlanRoot + QStringLiteral("Office/EAP_type");
    QTest::newRow("wlan slash and space") << 3 << QStringLiteral("My Net/2") << QStringLiteral("wlan_security")
                                          << wlanRoot + QStringLiteral("My%20Net%2F2/wlan_security");
}

void tst_ConnectivitySettings::keyPath()
{
    QFETCH(int, type);
    QFETCH(QString, path);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    ConnectivitySettings settings(type, path);
    QCOMPARE(settings.type(), type);
    QCOMPARE(settings.path(), path);
    QCOMPARE(settings.keyPath(key), expected);
}

void tst_ConnectivitySettings::readsFromStore_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("storedAt"); // written by hand, not by the code under test
    QTest::addColumn<QVariant>("value");

    QTest::newRow("network type") << 2 << QStringLiteral("GPRS")
                                  << networkTypeRoot + QStringLiteral("GPRS/timeout") << QVariant(30);
    QTest::newRow("plain ssid") << 3 << QStringLiteral("Office")
                                << wlanRoot + QStringLiteral("Office/timeout") << QVariant(QStringLiteral("x"));
    QTest::newRow("ssid with slash") << 3 << QStringLiteral("a/b")
                                     << wlanRoot + QStringLiteral("a%2Fb/timeout") << QVariant(true);
    QTest::newRow("ssid with space") << 3 << QStringLiteral("Guest WLAN")
                                     << wlanRoot + QStringLiteral("Guest%20WLAN/timeout")
                                     << QVariant(QStringList{QStringLiteral("a")});
    QTest::newRow("ssid latin-1") << 3 << QString::fromUtf8("Caf\xc3\xa9")
                                  << wlanRoot + QStringLiteral("Caf%E9/timeout") << QVariant(7);
    QTest::newRow("ssid utf-8") << 3 << QString::fromUtf8("\xe6\x97\xa5 /\xe2\x82\xac")
                                << wlanRoot + QStringLiteral("%E6%97%A5%20%2F%E2%82%AC/timeout")
                                << QVariant(QByteArray("\x00\x01", 2));
}

void tst_ConnectivitySettings::readsFromStore()
{
    QFETCH(int, type);
    QFETCH(QString, path);
    QFETCH(QString, storedAt);
    QFETCH(QVariant, value);

    DconfFixture dconf;
    // A neighbour with the unencoded name must not be what is read.
    QVERIFY(dconf.load({{storedAt, value},
                        {wlanRoot + QStringLiteral("Other/timeout"), QVariant(QStringLiteral("other"))}}));

    ConnectivitySettings settings(type, path);
    QCOMPARE(settings.get(QStringLiteral("timeout")), value);
}

void tst_ConnectivitySettings::unsetKeyIsInvalid()
{
    DconfFixture dconf;
    QVERIFY(dconf.load({{wlanRoot + QStringLiteral("Office/EAP_type"), QVariant(25)}}));

    ConnectivitySettings settings(ConnectivitySettings::WlanSettings, QStringLiteral("Office"));
    QCOMPARE(settings.get(QStringLiteral("EAP_type")), QVariant(25));
    QVERIFY(!settings.get(QStringLiteral("EAP_phase2")).isValid());
    QVERIFY(!ConnectivitySettings(ConnectivitySettings::WlanSettings, QStringLiteral("Home"))
                 .get(QStringLiteral("EAP_type"))
                 .isValid());
}

void tst_ConnectivitySettings::refusedKeys_data()
{
    QTest::addColumn<QString>("key");

    QTest::newRow("slash") << QStringLiteral("Office/EAP_type");
    QTest::newRow("leading slash") << QStringLiteral("/EAP_type");
    QTest::newRow("empty") << QString();
}

void tst_ConnectivitySettings::refusedKeys()
{
    QFETCH(QString, key);

    DconfFixture dconf;
    // What a key with "/" would reach if it were appended as it is.
    QVERIFY(dconf.load({{wlanRoot + QStringLiteral("Office/EAP_type"), QVariant(25)},
                        {wlanRoot + QStringLiteral("Office/Office/EAP_type"), QVariant(26)},
                        {wlanRoot + QStringLiteral("Office/EAP_type/x"), QVariant(27)}}));

    ConnectivitySettings settings(ConnectivitySettings::WlanSettings, QStringLiteral("Office"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("not a valid settings key")));
    QVERIFY(!settings.get(key).isValid());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("not a valid settings key")));
    QCOMPARE(settings.keyPath(key), QString());
}

void tst_ConnectivitySettings::unknownType()
{
    DconfFixture dconf;
    QVERIFY(dconf.load({{wlanRoot + QStringLiteral("Office/EAP_type"), QVariant(25)},
                        {networkTypeRoot + QStringLiteral("Office/EAP_type"), QVariant(25)}}));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("unknown settings type 4")));
    ConnectivitySettings settings(4, QStringLiteral("Office"));
    QVERIFY(!settings.get(QStringLiteral("EAP_type")).isValid());
    QCOMPARE(settings.keyPath(QStringLiteral("EAP_type")), QString());
}

VELIN_TEST_GUILESS_MAIN_WITH_BUS(tst_ConnectivitySettings)

#include "tst_connectivitysettings.moc"
