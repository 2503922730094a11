#include "net/internetaccesspointfactory.h"
#include "net/scanresult.h"

#include "touch/settingsitem.h"

#include "dconffixture.h"
#include "privatebus.h"
#include "testdata.h"

#include <QRegularExpression>
#include <QScopedPointer>
#include <QtTest>

using Velin::InternetAccessPoint;
using Velin::InternetAccessPointFactory;
using Velin::ScanResult;
using NetTestData::wlanData;

typedef QMap<QString, QVariant> PropertyMap;

namespace {

const QString wlanRoot = QStringLiteral("/system/ravo/connectivity/wlan");

ScanResult scanResult(const QByteArray& ssid, uint attributes = 0)
{
    ScanResult result;
    result.setId(ssid);
    result.setFound(true);
    result.setNetworkType(QStringLiteral("WLAN_INFRA"));
    result.setSignalStrength(7);
    result.setConfiguration(wlanData(ssid, QStringLiteral("WLAN_INFRA"), attributes));
    return result;
}

} // namespace

class tst_InternetAccessPointFactory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void scanResultValue();
    void scanResultStrengthClamped_data();
    void scanResultStrengthClamped();
    void scanResultMetaType();

    void createFromUnsavedResult();
    void createFromSavedResult_data();
    void createFromSavedResult();
    void createFromSavedResultReplacesLiveProperties();
    void createFromUnsavedResultKeepsLiveEdits();
    void createFromBadResult_data();
    void createFromBadResult();
    void createByIdLive();
    void createByIdSaved();
    void createByIdUnknown();
    void createByEmptyId();

private:
    QScopedPointer<DconfFixture> m_dconf;
};

void tst_InternetAccessPointFactory::init()
{
    m_dconf.reset(new DconfFixture);
    m_dconf->setUserDatabaseEnabled(true);
    QVERIFY(m_dconf->load({{QStringLiteral("/system/ravo/connectivity/settings/unrelated"), QVariant(1)}}));
}

void tst_InternetAccessPointFactory::cleanup()
{
    QVERIFY(Touch::SettingsItem::resetDirectory(wlanRoot));
    m_dconf.reset();
}

void tst_InternetAccessPointFactory::scanResultValue()
{
    const ScanResult empty;
    QVERIFY(!empty.isValid());
    QVERIFY(empty.id().isEmpty());
    QVERIFY(!empty.isSaved());
    QVERIFY(!empty.isFound());
    QCOMPARE(empty.signalStrength(), 0);

    ScanResult result = scanResult("Value");
    QVERIFY(result.isValid());
    ScanResult copy = result;
    QVERIFY(copy == result);
    // A value: changing the copy leaves the original alone.
    copy.setSaved(true);
    copy.setSignalStrength(2);
    copy.setNetworkType(QStringLiteral("WLAN_ADHOC"));
    QVERIFY(copy != result);
    QVERIFY(!result.isSaved());
    QCOMPARE(result.signalStrength(), 7);
    QCOMPARE(result.networkType(), QStringLiteral("WLAN_INFRA"));
    QCOMPARE(copy.id(), QByteArray("Value"));
    copy.setConfiguration(QList<QVariant>());
    QVERIFY(!copy.isValid());
}

void tst_InternetAccessPointFactory::scanResultStrengthClamped_data()
{
    QTest::addColumn<int>("given");
    QTest::addColumn<int>("kept");
    QTest::addColumn<bool>("warns");

    QTest::newRow("0") << 0 << 0 << false;
    QTest::newRow("10") << 10 << 10 << false;
    QTest::newRow("-1") << -1 << 0 << true;
    QTest::newRow("11") << 11 << 10 << true;
    QTest::newRow("huge") << 1000000 << 10 << true;
}

void tst_InternetAccessPointFactory::scanResultStrengthClamped()
{
    QFETCH(int, given);
    QFETCH(int, kept);
    QFETCH(bool, warns);

    ScanResult result;
    if (warns)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("outside 0..10")));
    result.setSignalStrength(given);
    QCOMPARE(result.signalStrength(), kept);
}

void tst_InternetAccessPointFactory::scanResultMetaType()
{
    QVERIFY(QMetaType::type("Velin::ScanResult") != QMetaType::UnknownType);
    const ScanResult result = scanResult("Meta");
    const QVariant variant = QVariant::fromValue(result);
    QCOMPARE(variant.value<ScanResult>(), result);
    const QList<ScanResult> list = {result, scanResult("Other")};
    QCOMPARE(QVariant::fromValue(list).value<QList<ScanResult>>(), list);
}

void tst_InternetAccessPointFactory::createFromUnsavedResult()
{
    const ScanResult result = scanResult("Fresh", 0x21);
    const InternetAccessPoint iap = InternetAccessPointFactory::create(result);
    QVERIFY(iap.isValid());
    QCOMPARE(iap.id(), QStringLiteral("Fresh"));
    QCOMPARE(iap.data(), result.configuration());
    QVERIFY(iap.properties().isEmpty());
    QVERIFY(!iap.isSaved());
    QCOMPARE(iap.securityImageName(), QStringLiteral("icon-s-wlan-wpa"));

    // The same record as an instance built from the data list.
    InternetAccessPoint fromData(wlanData("Fresh", QStringLiteral("WLAN_INFRA"), 0x21));
    fromData.setProperty("wlan_hidden", true);
    QCOMPARE(iap.property("wlan_hidden"), QVariant(true));
}

void tst_InternetAccessPointFactory::createFromSavedResult_data()
{
    QTest::addColumn<QByteArray>("ssid");

    QTest::newRow("plain") << QByteArray("Saved");
    QTest::newRow("slash and space") << QByteArray("Home / Garden");
    QTest::newRow("non-ascii bytes") << QByteArray("Stra\xdf" "e \x80\xfe");
}

void tst_InternetAccessPointFactory::createFromSavedResult()
{
    QFETCH(QByteArray, ssid);

    const PropertyMap saved = {{QStringLiteral("wlan_security"), QStringLiteral("WPA_PSK")},
                               {QStringLiteral("EAP_wpa_preshared_passphrase"), QStringLiteral("saved phrase")},
                               {QStringLiteral("wlan_ssid"), ssid}};
    {
        InternetAccessPoint iap(wlanData(ssid, QStringLiteral("WLAN_INFRA"), 0x21));
        iap.setProperties(saved);
        QVERIFY(iap.save());
    }
    // A later scan reports other attributes: the data list follows the scan,
    // the properties come from the store.
    const ScanResult result = scanResult(ssid, 0xF021);
    const InternetAccessPoint created = InternetAccessPointFactory::create(result);
    QCOMPARE(created.id(), QString::fromLatin1(ssid));
    QCOMPARE(created.properties(), saved);
    QCOMPARE(created.data(), result.configuration());
    QVERIFY(created.isSaved());
}

void tst_InternetAccessPointFactory::createFromSavedResultReplacesLiveProperties()
{
    const PropertyMap saved = {{QStringLiteral("wlan_security"), QStringLiteral("WPA_PSK")},
                               {QStringLiteral("EAP_wpa_preshared_passphrase"), QStringLiteral("configured phrase")}};
    {
        InternetAccessPoint stored(wlanData("Configured", QStringLiteral("WLAN_INFRA"), 0x21));
        stored.setProperties(saved);
        QVERIFY(stored.save());
    }
    // A record kept alive elsewhere, still holding keys of an earlier use
    // (a WPS enrolment) and an older data list.
    InternetAccessPoint live = InternetAccessPointFactory::create(QStringLiteral("Configured"));
    live.setProperties({{QStringLiteral("EAP_default_type"), QVariantList{254, 0, 55, 42, 0, 0, 0, 1}},
                        {QStringLiteral("wlan_wps_method"), QStringLiteral("pin")},
                        {QStringLiteral("wlan_security"), QStringLiteral("NONE")}});
    live.setData(wlanData("Configured", QStringLiteral("WLAN_INFRA"), 0x01));

    const ScanResult result = scanResult("Configured", 0xF021);
    const InternetAccessPoint created = InternetAccessPointFactory::create(result);
    QCOMPARE(created.properties(), saved);
    QCOMPARE(created.data(), result.configuration());
    // The record is shared: the instance kept alive sees the saved state too.
    QCOMPARE(live.properties(), saved);
    QCOMPARE(live.data(), result.configuration());
    QCOMPARE(InternetAccessPointFactory::create(QStringLiteral("Configured")).properties(), saved);
}

void tst_InternetAccessPointFactory::createFromUnsavedResultKeepsLiveEdits()
{
    InternetAccessPoint editing = InternetAccessPointFactory::create(QStringLiteral("Edited"));
    editing.setProperty("wlan_hidden", true);
    QVERIFY(!editing.isSaved());

    const InternetAccessPoint created = InternetAccessPointFactory::create(scanResult("Edited", 0x11));
    QCOMPARE(created.properties(), PropertyMap({{QStringLiteral("wlan_hidden"), true}}));
    QCOMPARE(editing.data(), scanResult("Edited", 0x11).configuration());
}

void tst_InternetAccessPointFactory::createFromBadResult_data()
{
    QTest::addColumn<QList<QVariant>>("configuration");
    QTest::addColumn<QStringList>("warnings");

    QTest::newRow("empty") << QList<QVariant>() << QStringList{QStringLiteral("without a usable configuration")};
    QTest::newRow("short") << wlanData("Short").mid(0, 4)
                           << QStringList{QStringLiteral("4 entries instead of 6"),
                                          QStringLiteral("without a usable configuration")};
    QList<QVariant> noId = wlanData("x");
    noId[5] = 3.5;
    QTest::newRow("no id") << noId
                           << QStringList{QStringLiteral("network id"),
                                          QStringLiteral("without a usable configuration")};
}

void tst_InternetAccessPointFactory::createFromBadResult()
{
    QFETCH(QList<QVariant>, configuration);
    QFETCH(QStringList, warnings);

    ScanResult result;
    result.setConfiguration(configuration);
    for (const QString& warning : qAsConst(warnings))
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(warning)));
    const InternetAccessPoint iap = InternetAccessPointFactory::create(result);
    QVERIFY(!iap.isValid());
    QVERIFY(iap.data().isEmpty());
}

void tst_InternetAccessPointFactory::createByIdLive()
{
    InternetAccessPoint live(wlanData("Live"));
    live.setProperty("wlan_wepdefkey", 4);
    InternetAccessPoint created = InternetAccessPointFactory::create(QStringLiteral("Live"));
    QCOMPARE(created.data(), live.data());
    QCOMPARE(created.property("wlan_wepdefkey"), QVariant(4));
    created.setProperty("wlan_wepdefkey", 2);
    QCOMPARE(live.property("wlan_wepdefkey"), QVariant(2));
}

void tst_InternetAccessPointFactory::createByIdSaved()
{
    {
        InternetAccessPoint iap(wlanData("Stored", QStringLiteral("WLAN_ADHOC"), 0x12));
        iap.setProperty("wlan_security", QStringLiteral("WEP"));
        iap.setProperty("wlan_wepkey1", QByteArray("abcde"));
        QVERIFY(iap.save());
    }
    const InternetAccessPoint created = InternetAccessPointFactory::create(QStringLiteral("Stored"));
    QCOMPARE(created.data(), wlanData("Stored", QStringLiteral("WLAN_ADHOC"), 0x12));
    QCOMPARE(created.type(), QStringLiteral("WLAN_ADHOC"));
    QCOMPARE(created.property("wlan_wepkey1"), QVariant(QByteArray("abcde")));
    QCOMPARE(created.securityImageName(), QStringLiteral("icon-s-wlan-wep"));
}

void tst_InternetAccessPointFactory::createByIdUnknown()
{
    InternetAccessPoint created = InternetAccessPointFactory::create(QStringLiteral("Unknown"));
    QVERIFY(created.isValid());
    QCOMPARE(created.id(), QStringLiteral("Unknown"));
    QVERIFY(created.data().isEmpty());
    QVERIFY(created.properties().isEmpty());

    // Registered: a data list for the id joins it.
    created.setProperty("wlan_hidden", true);
    const InternetAccessPoint fromData(wlanData("Unknown"));
    QCOMPARE(fromData.property("wlan_hidden"), QVariant(true));
    QCOMPARE(created.data(), wlanData("Unknown"));
}

void tst_InternetAccessPointFactory::createByEmptyId()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("needs an id")));
    QVERIFY(!InternetAccessPointFactory::create(QString()).isValid());
}

VELIN_TEST_MAIN_WITH_BUS(tst_InternetAccessPointFactory)

#include "tst_internetaccesspointfactory.moc"
