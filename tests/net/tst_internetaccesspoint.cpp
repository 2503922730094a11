#include "net/internetaccesspoint.h"
#include "net/internetaccesspointfactory.h"

#include "base/connectivitysettings.h"
#include "touch/settingsitem.h"

#include "dconffixture.h"
#include "fakedbusservice.h"
#include "privatebus.h"
#include "testdata.h"

#include <QAtomicInt>
#include <QPoint>
#include <QSemaphore>
#include <QRegularExpression>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QtTest>

using Velin::InternetAccessPoint;
using Velin::InternetAccessPointFactory;
using NetTestData::wlanData;

typedef QMap<QString, QVariant> PropertyMap;
typedef QHash<QString, QString> AliasHash;

namespace {

const QString wlanRoot = QStringLiteral("/system/ravo/connectivity/wlan");

// Sends an access point through a queued connection, as a signal argument.
class Carrier : public QObject
{
    Q_OBJECT
Q_SIGNALS:
    void carry(const Velin::InternetAccessPoint& iap);
};

} // namespace

class tst_InternetAccessPoint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void emptyIsInvalid();
    void idFromData_data();
    void idFromData();
    void badDataLists_data();
    void badDataLists();
    void copiesShareRecord();
    void recordFreedWithLastInstance();
    void instancesWithoutIdAreSeparate();
    void setDataMovesRecord();
    void setDataJoinsLiveRecord();
    void defaultsAndAliases();
    void propertiesMerge();
    void propertyHidesQObjectProperty();
    void nameAndType_data();
    void nameAndType();
    void securityImageName_data();
    void securityImageName();
    void metaType();

    void saveAndLoad_data();
    void saveAndLoad();
    void saveDropsRemovedProperties();
    void saveWithoutId();
    void saveUnstorableProperty();
    void loadUnsaved();
    void savedIdsListsEveryNetwork();

    void disconnectSendsRequest();

private:
    QScopedPointer<DconfFixture> m_dconf;
};

void tst_InternetAccessPoint::init()
{
    m_dconf.reset(new DconfFixture);
    m_dconf->setUserDatabaseEnabled(true);
    QVERIFY(m_dconf->load({{QStringLiteral("/system/ravo/connectivity/settings/unrelated"), QVariant(1)}}));
}

void tst_InternetAccessPoint::cleanup()
{
    // The user database outlives a test function: start each from an empty one.
    QVERIFY(Touch::SettingsItem::resetDirectory(wlanRoot));
    m_dconf.reset();
}

void tst_InternetAccessPoint::emptyIsInvalid()
{
    InternetAccessPoint iap;
    QVERIFY(!iap.isValid());
    QVERIFY(iap.id().isEmpty());
    QVERIFY(iap.name().isEmpty());
    QVERIFY(iap.type().isEmpty());
    QVERIFY(iap.data().isEmpty());
    QVERIFY(iap.properties().isEmpty());
    QVERIFY(iap.securityImageName().isEmpty());
    QVERIFY(!iap.isSaved());
}

void tst_InternetAccessPoint::idFromData_data()
{
    QTest::addColumn<QList<QVariant>>("data");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("type");

    QTest::newRow("ssid with nul") << wlanData("HomeNet") << QStringLiteral("HomeNet") << QStringLiteral("WLAN_INFRA");
    QList<QVariant> noNul = wlanData("HomeNet", QStringLiteral("WLAN_ADHOC"));
    noNul[5] = QByteArray("HomeNet");
    QTest::newRow("ssid without nul") << noNul << QStringLiteral("HomeNet") << QStringLiteral("WLAN_ADHOC");
    QTest::newRow("slash and space") << wlanData("My Net/2") << QStringLiteral("My Net/2")
                                     << QStringLiteral("WLAN_INFRA");
    QTest::newRow("non-ascii bytes") << wlanData("Caf\xe9\xff\x01")
                                     << QString::fromLatin1("Caf\xe9\xff\x01") << QStringLiteral("WLAN_INFRA");
    QTest::newRow("utf-8 bytes stay bytes")
        << wlanData("\xc3\xa9t\xc3\xa9") << QString::fromLatin1("\xc3\xa9t\xc3\xa9") << QStringLiteral("WLAN_INFRA");
    QList<QVariant> fixed = wlanData("", QStringLiteral("DUN_GSM_PS"));
    fixed[5] = QString::fromUtf8("Operator \xe2\x82\xac net");
    QTest::newRow("fixed entry") << fixed << QString::fromUtf8("Operator \xe2\x82\xac net")
                                 << QStringLiteral("DUN_GSM_PS");
    QTest::newRow("hidden, no ssid") << wlanData("", QStringLiteral("WLAN_HIDDEN")) << QString()
                                     << QStringLiteral("WLAN_HIDDEN");
}

void tst_InternetAccessPoint::idFromData()
{
    QFETCH(QList<QVariant>, data);
    QFETCH(QString, id);
    QFETCH(QString, type);

    const InternetAccessPoint iap(data);
    QCOMPARE(iap.id(), id);
    QCOMPARE(iap.isValid(), !id.isEmpty());
    QCOMPARE(iap.name(), id);
    QCOMPARE(iap.type(), type);
    QCOMPARE(iap.data(), data);
}

void tst_InternetAccessPoint::badDataLists_data()
{
    QTest::addColumn<QList<QVariant>>("data");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("type");

    const QList<QVariant> good = wlanData("Net");
    QTest::newRow("five entries") << good.mid(0, 5) << QStringLiteral("5 entries instead of 6") << QString()
                                  << QString();
    QTest::newRow("seven entries") << (good + QList<QVariant>{1}) << QStringLiteral("7 entries instead of 6")
                                   << QString() << QString();
    QTest::newRow("one entry") << QList<QVariant>{QByteArray("Net")} << QStringLiteral("1 entries instead of 6")
                               << QString() << QString();

    QList<QVariant> list = good;
    list[5] = 42;
    QTest::newRow("network id a number") << list << QStringLiteral("types or content: network id") << QString()
                                         << QStringLiteral("WLAN_INFRA");
    list = good;
    list[3] = 7;
    QTest::newRow("network type a number") << list << QStringLiteral("types or content: network type")
                                           << QStringLiteral("Net") << QString();
    list = good;
    list[4] = QStringLiteral("0x2");
    QTest::newRow("attributes a string") << list << QStringLiteral("types or content: network attributes")
                                         << QStringLiteral("Net") << QStringLiteral("WLAN_INFRA");
    list = good;
    list[0] = QVariant();
    list[1] = QStringLiteral("x");
    QTest::newRow("service entries") << list << QStringLiteral("types or content: service type, service attributes")
                                     << QStringLiteral("Net") << QStringLiteral("WLAN_INFRA");
    list = good;
    list[5] = QByteArray("Net\0junk", 8);
    QTest::newRow("bytes after nul") << list << QStringLiteral("bytes after its NUL") << QStringLiteral("Net")
                                     << QStringLiteral("WLAN_INFRA");
}

void tst_InternetAccessPoint::badDataLists()
{
    QFETCH(QList<QVariant>, data);
    QFETCH(QString, warning);
    QFETCH(QString, id);
    QFETCH(QString, type);

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(warning)));
    InternetAccessPoint iap(data);
    QCOMPARE(iap.id(), id);
    QCOMPARE(iap.isValid(), !id.isEmpty());
    QCOMPARE(iap.type(), type);
    // Kept as given, so that a caller can see what it passed.
    QCOMPARE(iap.data(), data);
    // Reading derived values again does not warn again, and nothing reads out of range.
    QCOMPARE(iap.securityImageName(), QString());
    QCOMPARE(iap.name(), id);

    // The same through setData() on a good access point.
    InternetAccessPoint other(wlanData("Other"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(warning)));
    other.setData(data);
    QCOMPARE(other.id(), id);
}

void tst_InternetAccessPoint::copiesShareRecord()
{
    InternetAccessPoint original(wlanData("Shared"));
    InternetAccessPoint copy(original);
    InternetAccessPoint assigned;
    assigned = original;
    InternetAccessPoint fromData(wlanData("Shared"));
    const InternetAccessPoint fromFactory = InternetAccessPointFactory::create(QStringLiteral("Shared"));
    const InternetAccessPoint fromVariant = QVariant::fromValue(original).value<InternetAccessPoint>();

    const QList<const InternetAccessPoint*> all = {&original, &copy, &assigned, &fromData, &fromFactory,
                                                   &fromVariant};
    const QList<InternetAccessPoint*> writers = {&original, &copy, &assigned, &fromData};
    int round = 0;
    for (InternetAccessPoint* writer : writers) {
        ++round;
        writer->setProperty("wlan_wepdefkey", round);
        for (const InternetAccessPoint* reader : all)
            QCOMPARE(reader->property("wlan_wepdefkey"), QVariant(round));
    }

    copy.setDefaults({{QStringLiteral("EAP_type"), 25}});
    fromData.setPropertyAliases({{QStringLiteral("key"), QStringLiteral("wlan_wepdefkey")}});
    for (const InternetAccessPoint* reader : all) {
        QCOMPARE(reader->property("EAP_type"), QVariant(25));
        QCOMPARE(reader->property("key"), QVariant(round));
    }

    // A new data list reaches every instance too.
    original.setData(wlanData("Shared", QStringLiteral("WLAN_ADHOC"), 0x1));
    for (const InternetAccessPoint* reader : all)
        QCOMPARE(reader->type(), QStringLiteral("WLAN_ADHOC"));

    // An instance of another id is not part of it.
    const InternetAccessPoint stranger(wlanData("Stranger"));
    QVERIFY(!stranger.property("wlan_wepdefkey").isValid());
}

void tst_InternetAccessPoint::recordFreedWithLastInstance()
{
    QVariant kept;
    {
        InternetAccessPoint first(wlanData("Transient"));
        first.setProperty("wlan_security", QStringLiteral("WEP"));
        InternetAccessPoint second(first);
        kept = QVariant::fromValue(second);
    }
    // A copy inside a QVariant keeps the record alive.
    QCOMPARE(InternetAccessPoint(wlanData("Transient")).property("wlan_security"), QVariant(QStringLiteral("WEP")));

    kept = QVariant();
    // Nothing refers to the record any more: a new instance starts afresh.
    const InternetAccessPoint fresh(wlanData("Transient"));
    QVERIFY(fresh.properties().isEmpty());
    QVERIFY(!fresh.property("wlan_security").isValid());
    QVERIFY(!InternetAccessPointFactory::create(QStringLiteral("Transient")).property("wlan_security").isValid());
}

void tst_InternetAccessPoint::instancesWithoutIdAreSeparate()
{
    InternetAccessPoint first;
    InternetAccessPoint second;
    first.setProperty("wlan_ssid", QByteArray("a"));
    QVERIFY(!second.property("wlan_ssid").isValid());

    // Copies of one share its record all the same.
    const InternetAccessPoint copy(first);
    first.setProperty("wlan_ssid", QByteArray("b"));
    QCOMPARE(copy.property("wlan_ssid"), QVariant(QByteArray("b")));
}

void tst_InternetAccessPoint::setDataMovesRecord()
{
    InternetAccessPoint iap;
    const InternetAccessPoint copy(iap);
    iap.setProperty("EAP_wpa_preshared_passphrase", QStringLiteral("secret phrase"));
    iap.setData(wlanData("Moved"));

    QCOMPARE(iap.id(), QStringLiteral("Moved"));
    QCOMPARE(copy.id(), QStringLiteral("Moved"));
    const InternetAccessPoint lookedUp(wlanData("Moved"));
    QCOMPARE(lookedUp.property("EAP_wpa_preshared_passphrase"), QVariant(QStringLiteral("secret phrase")));

    // A new id takes the record along; the old id is free again.
    iap.setData(wlanData("Renamed"));
    QCOMPARE(lookedUp.id(), QStringLiteral("Renamed"));
    QVERIFY(!InternetAccessPoint(wlanData("Moved")).property("EAP_wpa_preshared_passphrase").isValid());
}

void tst_InternetAccessPoint::setDataJoinsLiveRecord()
{
    const InternetAccessPoint live(wlanData("Live"));
    InternetAccessPoint writer(live);
    writer.setProperty("wlan_security", QStringLiteral("WPA_PSK"));
    writer.setProperty("wlan_hidden", false);

    InternetAccessPoint newcomer;
    newcomer.setProperty("wlan_hidden", true);
    newcomer.setProperty("EAP_wpa_preshared_passphrase", QStringLiteral("typed"));
    newcomer.setData(wlanData("Live", QStringLiteral("WLAN_INFRA"), 0x2));

    // One record: what the newcomer set wins, the rest stays.
    QCOMPARE(live.property("wlan_hidden"), QVariant(true));
    QCOMPARE(live.property("EAP_wpa_preshared_passphrase"), QVariant(QStringLiteral("typed")));
    QCOMPARE(newcomer.property("wlan_security"), QVariant(QStringLiteral("WPA_PSK")));
    QCOMPARE(live.data(), wlanData("Live", QStringLiteral("WLAN_INFRA"), 0x2));
    writer.setProperty("wlan_hidden", QVariant());
    QVERIFY(!newcomer.property("wlan_hidden").isValid());
}

void tst_InternetAccessPoint::defaultsAndAliases()
{
    InternetAccessPoint iap(wlanData("Defaults"));
    iap.setDefaults({{QStringLiteral("wlan_wepdefkey"), 1}, {QStringLiteral("wlan_powersave"), 2}});
    iap.setPropertyAliases({{QStringLiteral("defkey"), QStringLiteral("wlan_wepdefkey")},
                            {QStringLiteral("powersave"), QStringLiteral("wlan_powersave")}});

    // Defaults where unset, through the real key and its alias.
    QCOMPARE(iap.property("wlan_wepdefkey"), QVariant(1));
    QCOMPARE(iap.property("defkey"), QVariant(1));
    QVERIFY(iap.properties().isEmpty());

    // Writing through the alias sets the real key; the default stops applying.
    iap.setProperty("defkey", 3);
    QCOMPARE(iap.property("wlan_wepdefkey"), QVariant(3));
    QCOMPARE(iap.property(QStringLiteral("defkey")), QVariant(3));
    QCOMPARE(iap.properties(), (PropertyMap{{QStringLiteral("wlan_wepdefkey"), 3}}));

    // An invalid value removes the property: the default is back.
    iap.setProperty(QStringLiteral("wlan_wepdefkey"), QVariant());
    QCOMPARE(iap.property("defkey"), QVariant(1));
    QVERIFY(iap.properties().isEmpty());

    // A default given under the alias name applies as well.
    iap.setDefaults({{QStringLiteral("powersave"), 5}});
    QCOMPARE(iap.property("powersave"), QVariant(5));
    QVERIFY(!iap.property("wlan_wepdefkey").isValid());

    QCOMPARE(iap.propertyAliases().value(QStringLiteral("defkey")), QStringLiteral("wlan_wepdefkey"));
    QCOMPARE(iap.defaults(), (PropertyMap{{QStringLiteral("powersave"), 5}}));
    // An empty key is refused.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("needs a key")));
    iap.setProperty(QString(), 1);
    QVERIFY(iap.properties().isEmpty());
}

void tst_InternetAccessPoint::propertiesMerge()
{
    InternetAccessPoint iap(wlanData("Merge"));
    iap.setPropertyAliases({{QStringLiteral("alias"), QStringLiteral("real")}});
    iap.setProperties({{QStringLiteral("a"), 1}, {QStringLiteral("b"), 2}});
    iap.setProperties({{QStringLiteral("b"), 3}, {QStringLiteral("alias"), 4}, {QStringLiteral("a"), QVariant()}});
    QCOMPARE(iap.properties(), (PropertyMap{{QStringLiteral("b"), 3}, {QStringLiteral("real"), 4}}));
}

void tst_InternetAccessPoint::propertyHidesQObjectProperty()
{
    InternetAccessPoint iap(wlanData("Hidden"));
    iap.setProperty("wlan_ssid", QByteArray("Hidden"));
    iap.setProperty("name", QStringLiteral("Shown name"));

    QCOMPARE(iap.property("wlan_ssid"), QVariant(QByteArray("Hidden")));
    // Not a dynamic QObject property.
    QVERIFY(iap.dynamicPropertyNames().isEmpty());
    QVERIFY(!iap.QObject::property("wlan_ssid").isValid());
    // Qt's property system still answers with the getters.
    QCOMPARE(iap.QObject::property("id"), QVariant(QStringLiteral("Hidden")));
    QCOMPARE(iap.QObject::property("name"), QVariant(QStringLiteral("Shown name")));
    QCOMPARE(iap.QObject::property("valid"), QVariant(true));
    // The object name is Qt's own business.
    iap.setObjectName(QStringLiteral("object"));
    QVERIFY(!iap.property("objectName").isValid());
}

void tst_InternetAccessPoint::nameAndType_data()
{
    QTest::addColumn<PropertyMap>("properties");
    QTest::addColumn<PropertyMap>("defaults");
    QTest::addColumn<AliasHash>("aliases");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("type");

    QTest::newRow("from data") << PropertyMap() << PropertyMap() << AliasHash() << QStringLiteral("Net")
                               << QStringLiteral("WLAN_INFRA");
    QTest::newRow("properties") << PropertyMap{{QStringLiteral("name"), QStringLiteral("Kitchen")},
                                               {QStringLiteral("type"), QStringLiteral("WLAN_ADHOC")}}
                                << PropertyMap() << AliasHash() << QStringLiteral("Kitchen")
                                << QStringLiteral("WLAN_ADHOC");
    QTest::newRow("defaults") << PropertyMap()
                              << PropertyMap{{QStringLiteral("name"), QStringLiteral("Default name")}}
                              << AliasHash() << QStringLiteral("Default name") << QStringLiteral("WLAN_INFRA");
    QTest::newRow("aliased") << PropertyMap{{QStringLiteral("iap_name"), QStringLiteral("Aliased")}}
                             << PropertyMap() << AliasHash{{QStringLiteral("name"), QStringLiteral("iap_name")}}
                             << QStringLiteral("Aliased") << QStringLiteral("WLAN_INFRA");
    QTest::newRow("empty name") << PropertyMap{{QStringLiteral("name"), QString(QLatin1String(""))}}
                                << PropertyMap() << AliasHash() << QStringLiteral("Net")
                                << QStringLiteral("WLAN_INFRA");
}

void tst_InternetAccessPoint::nameAndType()
{
    QFETCH(PropertyMap, properties);
    QFETCH(PropertyMap, defaults);
    QFETCH(AliasHash, aliases);
    QFETCH(QString, name);
    QFETCH(QString, type);

    InternetAccessPoint iap(wlanData("Net"));
    iap.setPropertyAliases(aliases);
    iap.setDefaults(defaults);
    iap.setProperties(properties);
    QCOMPARE(iap.name(), name);
    QCOMPARE(iap.type(), type);
    QCOMPARE(iap.id(), QStringLiteral("Net"));
}

void tst_InternetAccessPoint::securityImageName_data()
{
    QTest::addColumn<QVariant>("security");
    QTest::addColumn<uint>("attributes");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("warning");

    const QString wep = QStringLiteral("icon-s-wlan-wep");
    const QString wpa = QStringLiteral("icon-s-wlan-wpa");
    QTest::newRow("open") << QVariant(QStringLiteral("NONE")) << 0u << QString() << QString();
    QTest::newRow("WEP") << QVariant(QStringLiteral("WEP")) << 0u << wep << QString();
    QTest::newRow("WPA_PSK") << QVariant(QStringLiteral("WPA_PSK")) << 0u << wpa << QString();
    QTest::newRow("WPA_EAP") << QVariant(QStringLiteral("WPA_EAP")) << 0u << wpa << QString();
    QTest::newRow("WAI_PSK") << QVariant(QStringLiteral("WAI_PSK")) << 0u << wpa << QString();
    QTest::newRow("WAI_certificate") << QVariant(QStringLiteral("WAI_certificate")) << 0u << wpa << QString();
    QTest::newRow("lower case") << QVariant(QStringLiteral("wep")) << 0u << wep << QString();
    QTest::newRow("property wins") << QVariant(QStringLiteral("NONE")) << 0x10u << QString() << QString();
    // Attributes words as the framework derives them from capability words
    // 0x21 (WEP), 0x41 (WPA-PSK), 0x81 (WPA-EAP), 0x71, 0xB1 (WAPI).
    QTest::newRow("attributes WEP") << QVariant() << 0x11u << wep << QString();
    QTest::newRow("attributes WPA-PSK") << QVariant() << 0x21u << wpa << QString();
    QTest::newRow("attributes WPA-EAP") << QVariant() << 0x41u << wpa << QString();
    QTest::newRow("attributes WAPI") << QVariant() << 0x39u << wpa << QString();
    QTest::newRow("attributes WAPI certificate") << QVariant() << 0x59u << wpa << QString();
    QTest::newRow("attributes open, other bits") << QVariant() << 0xf087u << QString() << QString();
    QTest::newRow("attributes WPA-PSK with WPS") << QVariant() << 0xF021u << wpa << QString();
    QTest::newRow("attributes unknown") << QVariant() << 0x08u << QString()
                                        << QStringLiteral("unknown security method 0x8");
    QTest::newRow("unknown text") << QVariant(QStringLiteral("ROT13")) << 0x10u << QString()
                                  << QStringLiteral("unknown security method \"ROT13\"");
    QTest::newRow("number property") << QVariant(2) << 0x10u << wep << QStringLiteral("wlan_security holds a int");
    QTest::newRow("wrong type") << QVariant(QPoint(1, 1)) << 0x20u << wpa
                                << QStringLiteral("wlan_security holds a QPoint");
}

void tst_InternetAccessPoint::securityImageName()
{
    QFETCH(QVariant, security);
    QFETCH(uint, attributes);
    QFETCH(QString, image);
    QFETCH(QString, warning);

    InternetAccessPoint iap(wlanData("Secure", QStringLiteral("WLAN_INFRA"), attributes));
    iap.setProperty("wlan_security", security);
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(warning)));
    QCOMPARE(iap.securityImageName(), image);
}

void tst_InternetAccessPoint::metaType()
{
    const int id = QMetaType::type("Velin::InternetAccessPoint");
    QVERIFY(id != QMetaType::UnknownType);
    QCOMPARE(id, qMetaTypeId<InternetAccessPoint>());

    InternetAccessPoint iap(wlanData("Queued"));
    Carrier carrier;
    QList<InternetAccessPoint> received;
    QObject receiver;
    connect(&carrier, &Carrier::carry, &receiver,
            [&received](const InternetAccessPoint& got) { received.append(got); }, Qt::QueuedConnection);
    Q_EMIT carrier.carry(iap);
    QVERIFY(received.isEmpty());
    QTRY_COMPARE(received.size(), 1);
    // The delivered copy shares the record.
    iap.setProperty("late", 1);
    QCOMPARE(received.first().property("late"), QVariant(1));
    QCOMPARE(received.first().id(), QStringLiteral("Queued"));
    QObject::disconnect(&carrier, nullptr, &receiver, nullptr);

    QSignalSpy spy(&carrier, &Carrier::carry);
    QVERIFY(spy.isValid());
    Q_EMIT carrier.carry(iap);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().first().value<InternetAccessPoint>().property("late"), QVariant(1));
}

void tst_InternetAccessPoint::saveAndLoad_data()
{
    QTest::addColumn<QByteArray>("ssid");
    QTest::addColumn<QString>("directory");

    QTest::newRow("plain") << QByteArray("Plain") << wlanRoot + QStringLiteral("/Plain");
    QTest::newRow("slash and space") << QByteArray("My Net/2") << wlanRoot + QStringLiteral("/My%20Net%2F2");
    QTest::newRow("non-ascii bytes") << QByteArray("Caf\xe9 \xff\x01") << wlanRoot + QStringLiteral("/Caf%E9%20%FF%01");
    QTest::newRow("utf-8") << QByteArray("\xe6\x97\xa5\xe6\x9c\xac") << wlanRoot + QStringLiteral("/%E6%97%A5%E6%9C%AC");
}

void tst_InternetAccessPoint::saveAndLoad()
{
    QFETCH(QByteArray, ssid);
    QFETCH(QString, directory);

    const QString id = QString::fromLatin1(ssid);
    const PropertyMap properties = {
        {QStringLiteral("name"), QString::fromUtf8("K\xc3\xbc" "che")},
        {QStringLiteral("wlan_ssid"), ssid},
        {QStringLiteral("wlan_security"), QStringLiteral("WPA_PSK")},
        {QStringLiteral("EAP_wpa_preshared_passphrase"), QStringLiteral("correct horse")},
        {QStringLiteral("wlan_wepdefkey"), 2},
        {QStringLiteral("wlan_hidden"), true},
        {QStringLiteral("EAP_default_type"), QVariantList{254, 0, 55, 42, 0, 0, 0, 1}},
        {QStringLiteral("EAP_methods"), QStringList{QStringLiteral("PEAP"), QStringLiteral("TTLS")}},
    };
    {
        InternetAccessPoint iap(wlanData(ssid, QStringLiteral("WLAN_ADHOC"), 0x22));
        QVERIFY(!iap.isSaved());
        iap.setProperties(properties);
        iap.setDefaults({{QStringLiteral("wlan_powersave"), 1}});
        QVERIFY(iap.save());
        QVERIFY(iap.isSaved());
        QVERIFY(InternetAccessPoint::savedIds().contains(id));

        // Where the settings readers of the platform find it.
        QCOMPARE(Velin::ConnectivitySettings::encodePathComponent(id), directory.mid(wlanRoot.size() + 1));
        const Velin::ConnectivitySettings settings(Velin::ConnectivitySettings::WlanSettings, id);
        QCOMPARE(settings.get(QStringLiteral("EAP_wpa_preshared_passphrase")),
                 QVariant(QStringLiteral("correct horse")));
        QCOMPARE(settings.get(QStringLiteral("type")), QVariant(QStringLiteral("WLAN_ADHOC")));
        QCOMPARE(settings.get(QStringLiteral("network_attributes")).toUInt(), 0x22u);
        QCOMPARE(Touch::SettingsItem(directory + QStringLiteral("/wlan_ssid")).value(), QVariant(ssid));
        // Defaults are not user data: not saved.
        QVERIFY(!settings.get(QStringLiteral("wlan_powersave")).isValid());
    }

    // No instance left: everything comes from the store.
    const InternetAccessPoint loaded = InternetAccessPoint::loadSaved(id);
    QVERIFY(loaded.isValid());
    QCOMPARE(loaded.id(), id);
    QCOMPARE(loaded.type(), QStringLiteral("WLAN_ADHOC"));
    QCOMPARE(loaded.data(), wlanData(ssid, QStringLiteral("WLAN_ADHOC"), 0x22));
    QCOMPARE(loaded.properties(), properties);
    QCOMPARE(loaded.securityImageName(), QStringLiteral("icon-s-wlan-wpa"));
    QVERIFY(loaded.isSaved());

    InternetAccessPoint another(loaded);
    QVERIFY(another.forget());
    QVERIFY(!loaded.isSaved());
    QVERIFY(!InternetAccessPoint::savedIds().contains(id));
    QVERIFY(Touch::SettingsItem(directory).listKeys().isEmpty());
    // Forgetting leaves the in-process record alone.
    QCOMPARE(loaded.properties(), properties);
}

void tst_InternetAccessPoint::saveDropsRemovedProperties()
{
    InternetAccessPoint iap(wlanData("Dropping"));
    iap.setProperty("wlan_wepkey1", QByteArray("0123456789"));
    iap.setProperty("wlan_wepdefkey", 1);
    QVERIFY(iap.save());
    iap.setProperty("wlan_wepkey1", QVariant());
    QVERIFY(iap.save());

    const Velin::ConnectivitySettings settings(Velin::ConnectivitySettings::WlanSettings, QStringLiteral("Dropping"));
    QVERIFY(!settings.get(QStringLiteral("wlan_wepkey1")).isValid());
    QCOMPARE(settings.get(QStringLiteral("wlan_wepdefkey")), QVariant(1));
}

void tst_InternetAccessPoint::saveWithoutId()
{
    InternetAccessPoint iap;
    iap.setProperty("wlan_security", QStringLiteral("WEP"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot save an access point without id")));
    QVERIFY(!iap.save());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot forget an access point without id")));
    QVERIFY(!iap.forget());
    QVERIFY(InternetAccessPoint::savedIds().isEmpty());
}

void tst_InternetAccessPoint::saveUnstorableProperty()
{
    NetTestData::LogCapture log;
    InternetAccessPoint iap(wlanData("Partly"));
    iap.setProperty("geometry", QPoint(3, 4));
    iap.setProperty("bad/key", 1);
    iap.setProperty("EAP_wpa_preshared_passphrase", QStringLiteral("never-logged-9f3"));
    iap.setProperty("wlan_hidden", true);

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot store a value of type QPoint")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("\"bad/key\" is not a valid settings key")));
    QVERIFY(!iap.save());

    // What can be stored is.
    const Velin::ConnectivitySettings settings(Velin::ConnectivitySettings::WlanSettings, QStringLiteral("Partly"));
    QCOMPARE(settings.get(QStringLiteral("wlan_hidden")), QVariant(true));
    QCOMPARE(settings.get(QStringLiteral("EAP_wpa_preshared_passphrase")), QVariant(QStringLiteral("never-logged-9f3")));
    QVERIFY(!log.warnings.isEmpty());
    for (const QString& message : qAsConst(log.messages))
        QVERIFY2(!message.contains(QLatin1String("never-logged-9f3")), qPrintable(message));
}

void tst_InternetAccessPoint::loadUnsaved()
{
    const InternetAccessPoint none = InternetAccessPoint::loadSaved(QStringLiteral("Nowhere"));
    QVERIFY(!none.isValid());
    QVERIFY(none.data().isEmpty());
    QVERIFY(!InternetAccessPoint::loadSaved(QString()).isValid());

    // A store entry with a wrong "type" still loads, with a warning.
    const QString dir = wlanRoot + QStringLiteral("/Odd");
    QVERIFY(Touch::SettingsItem(dir + QStringLiteral("/type")).set(5));
    QVERIFY(Touch::SettingsItem(dir + QStringLiteral("/network_attributes")).set(QStringLiteral("x")));
    QVERIFY(Touch::SettingsItem(dir + QStringLiteral("/wlan_hidden")).set(false));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Odd/type holds a int")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Odd/network_attributes does not hold")));
    const InternetAccessPoint odd = InternetAccessPoint::loadSaved(QStringLiteral("Odd"));
    QCOMPARE(odd.id(), QStringLiteral("Odd"));
    QCOMPARE(odd.type(), QStringLiteral("WLAN_INFRA"));
    QCOMPARE(odd.properties(), (PropertyMap{{QStringLiteral("wlan_hidden"), false}}));
}

void tst_InternetAccessPoint::savedIdsListsEveryNetwork()
{
    const QList<QByteArray> ssids = {"b-net", "A net", "caf\xe9/x", "Z"};
    QStringList expected;
    for (const QByteArray& ssid : ssids) {
        InternetAccessPoint iap(wlanData(ssid));
        iap.setProperty("wlan_hidden", false);
        QVERIFY(iap.save());
        expected.append(QString::fromLatin1(ssid));
    }
    QStringList ids = InternetAccessPoint::savedIds();
    ids.sort();
    expected.sort();
    QCOMPARE(ids, expected);
}

void tst_InternetAccessPoint::disconnectSendsRequest()
{
    FakeDBusService daemon(FakeDBusService::SystemBus, QStringLiteral("com.qorva.nexd2"));
    QVERIFY(daemon.isRegistered());

    InternetAccessPoint iap(wlanData("Connected"));
    iap.disconnect();
    QTRY_COMPARE(daemon.callCount(QStringLiteral("disconnect_req")), 1);
    const FakeDBusService::Call call = daemon.lastCall();
    QCOMPARE(call.path, QStringLiteral("/com/qorva/nexd2"));
    QCOMPARE(call.interface, QStringLiteral("com.qorva.nexd2"));
    QCOMPARE(call.signature, QStringLiteral("u"));
    QCOMPARE(call.arguments, QList<QVariant>{QVariant(0x8000u)});

    // Not waiting for the answer: the daemon holds its answer until
    // disconnect() has returned, which a blocking call would only do after
    // the call timed out (25 s, longer than the daemon waits).
    QSemaphore returned;
    QAtomicInt sawReturn(-1);
    daemon.setHandler(QStringLiteral("disconnect_req"), [&returned, &sawReturn](const FakeDBusService::Call&) {
        sawReturn.storeRelease(returned.tryAcquire(1, 10000) ? 1 : 0);
        return FakeDBusService::Reply::withArguments({});
    });
    iap.disconnect();
    returned.release();
    QTRY_VERIFY_WITH_TIMEOUT(sawReturn.loadAcquire() != -1, 30000);
    QCOMPARE(sawReturn.loadAcquire(), 1);
}

VELIN_TEST_MAIN_WITH_BUS(tst_InternetAccessPoint)

#include "tst_internetaccesspoint.moc"
