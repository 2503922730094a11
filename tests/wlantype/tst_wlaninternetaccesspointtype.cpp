// The plug-in as the connectivity framework uses it: loaded from the built
// module with QPluginLoader and reached only through its interface.
#include "net/internetaccesspoint.h"
#include "net/internetaccesspointtypeinterface.h"
#include "base/internetaccesspointeditorinterface.h"
#include "net/scanresult.h"

#include "dconffixture.h"
#include "privatebus.h"

#include <QPluginLoader>
#include <QPointer>
#include <QTranslator>
#include "markingtranslator.h"

#include <QtTest>

using Velin::InternetAccessPoint;
using Velin::ScanResult;

namespace {

const char interfaceId[] = "com.qorva.InternetAccessPointTypeInterface";
const QString wlanSettingsRoot = QStringLiteral("/system/ravo/connectivity/wlan/");

QList<QVariant> wlanData(const QString& networkType, uint attributes, const QByteArray& id)
{
    return {QStringLiteral("WLAN"), 0u, QStringLiteral("wlan0"), networkType, attributes, id};
}

ScanResult scanResult(const QList<QVariant>& configuration, const QByteArray& id, bool saved, bool found,
                      int strength)
{
    ScanResult result;
    result.setConfiguration(configuration);
    result.setId(id);
    result.setSaved(saved);
    result.setFound(found);
    result.setSignalStrength(strength);
    if (configuration.size() > 3)
        result.setNetworkType(configuration.at(3).toString());
    return result;
}

} // namespace

class tst_WLANInternetAccessPointType : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void metaData();
    void oneInstance();
    void metacast_data();
    void metacast();
    void noMembersOfItsOwn();
    void types();
    void securityImageName_data();
    void securityImageName();
    void bearerImageName_data();
    void bearerImageName();
    void filterScanResult_data();
    void filterScanResult();
    void initializeInternetAccessPoint();
    void initializeWithoutAccessPoint();
    void defaultConnections();
    void defaultConnectionsAreTranslated();
    void editorIsAnEditorPlugin();
    void configureForConnection();
    void isAutoconnectable_data();
    void isAutoconnectable();
    void deletedInstanceIsReplaced();

private:
    QPluginLoader m_loader{QStringLiteral(VELIN_WLANTYPE_PLUGIN)};
    QPointer<QObject> m_instance;
    InternetAccessPointTypeInterface* m_type = nullptr;
};

void tst_WLANInternetAccessPointType::initTestCase()
{
    m_instance = m_loader.instance();
    QVERIFY2(m_instance, qPrintable(m_loader.errorString()));
    m_type = qobject_cast<InternetAccessPointTypeInterface*>(m_instance.data());
    QVERIFY(m_type);
}

void tst_WLANInternetAccessPointType::metaData()
{
    const QJsonObject metaData = m_loader.metaData();
    QCOMPARE(metaData.value(QLatin1String("IID")).toString(), QLatin1String(interfaceId));
    QCOMPARE(metaData.value(QLatin1String("className")).toString(), QStringLiteral("WLANInternetAccessPointType"));
}

void tst_WLANInternetAccessPointType::oneInstance()
{
    QCOMPARE(m_loader.instance(), m_instance.data());
    QPluginLoader second(QStringLiteral(VELIN_WLANTYPE_PLUGIN));
    QCOMPARE(second.instance(), m_instance.data());
    // Nobody owns it but the plug-in's guard.
    QCOMPARE(m_instance->parent(), nullptr);
    const auto statics = QPluginLoader::staticInstances();
    QVERIFY(!statics.contains(m_instance.data()));
}

void tst_WLANInternetAccessPointType::metacast_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("answers");

    QTest::newRow("class") << QByteArray("Velin::WLANInternetAccessPointType") << true;
    QTest::newRow("interface") << QByteArray("InternetAccessPointTypeInterface") << true;
    QTest::newRow("identifier") << QByteArray(interfaceId) << true;
    QTest::newRow("QObject") << QByteArray("QObject") << true;
    QTest::newRow("unqualified class") << QByteArray("WLANInternetAccessPointType") << false;
    QTest::newRow("editor identifier") << QByteArray("com.qorva.InternetAccessPointEditorInterface") << false;
}

void tst_WLANInternetAccessPointType::metacast()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, answers);
    void* cast = m_instance->qt_metacast(name.constData());
    QCOMPARE(cast != nullptr, answers);
    if (name.contains("InternetAccessPointTypeInterface"))
        QCOMPARE(cast, static_cast<void*>(m_type));
}

void tst_WLANInternetAccessPointType::noMembersOfItsOwn()
{
    const QMetaObject* meta = m_instance->metaObject();
    QCOMPARE(meta->className(), "Velin::WLANInternetAccessPointType");
    QCOMPARE(meta->superClass(), &QObject::staticMetaObject);
    QCOMPARE(meta->methodCount(), QObject::staticMetaObject.methodCount());
    QCOMPARE(meta->propertyCount(), QObject::staticMetaObject.propertyCount());
    // Its companion lives as its child.
    const QObjectList children = m_instance->children();
    QCOMPARE(children.size(), 1);
    QCOMPARE(children.first()->metaObject()->className(), "Velin::WLANInternetAccessPointTypePrivate");
}

void tst_WLANInternetAccessPointType::types()
{
    QCOMPARE(m_type->types(), (QStringList{"WLAN_INFRA", "WLAN_ADHOC", "WLAN_HIDDEN", "WLAN_NEW"}));
    // Asked again, the same list.
    QCOMPARE(m_type->types(), (QStringList{"WLAN_INFRA", "WLAN_ADHOC", "WLAN_HIDDEN", "WLAN_NEW"}));
}

void tst_WLANInternetAccessPointType::securityImageName_data()
{
    QTest::addColumn<QList<QVariant>>("data");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("warning");

    const QByteArray ssid("Office");
    QTest::newRow("open") << wlanData("WLAN_INFRA", 0, ssid) << "" << QString();
    QTest::newRow("WEP") << wlanData("WLAN_INFRA", 0x10, ssid) << "icon-s-wlan-wep" << QString();
    QTest::newRow("WPA-PSK") << wlanData("WLAN_INFRA", 0x20, ssid) << "icon-s-wlan-wpa" << QString();
    QTest::newRow("WPA-EAP") << wlanData("WLAN_INFRA", 0x40, ssid) << "icon-s-wlan-wpa" << QString();
    QTest::newRow("WAPI pre-shared key") << wlanData("WLAN_INFRA", 0x38, ssid) << "icon-s-wlan-wpa" << QString();
    QTest::newRow("WAPI certificate") << wlanData("WLAN_INFRA", 0x58, ssid) << "icon-s-wlan-wpa" << QString();
    QTest::newRow("attributes bit 7: open") << wlanData("WLAN_INFRA", 0x80, ssid) << "" << QString();
    QTest::newRow("whole nibble: open") << wlanData("WLAN_INFRA", 0x78, ssid) << "" << QString();
    QTest::newRow("WEP, ad hoc, WPS") << wlanData("WLAN_ADHOC", 0xF012, ssid) << "icon-s-wlan-wep" << QString();
    QTest::newRow("hidden entry") << wlanData("WLAN_HIDDEN", 0x20, QByteArray()) << "icon-s-wlan-wpa" << QString();

    QList<QVariant> five = wlanData("WLAN_INFRA", 0x10, ssid);
    five.removeLast();
    QTest::newRow("five entries") << five << QString() << "has 5 entries";
    QList<QVariant> seven = wlanData("WLAN_INFRA", 0x10, ssid);
    seven.append(QVariant(1));
    QTest::newRow("seven entries") << seven << QString() << "has 7 entries";
    QTest::newRow("empty list") << QList<QVariant>() << QString() << "has 0 entries";
    QTest::newRow("unknown network type") << wlanData("GPRS", 0x10, ssid) << QString() << "GPRS";
    QList<QVariant> textAttributes = wlanData("WLAN_INFRA", 0, ssid);
    textAttributes[4] = QStringLiteral("WEP");
    QTest::newRow("attributes not a number") << textAttributes << "" << "entry 4 .*not a number";
    QList<QVariant> mapId = wlanData("WLAN_INFRA", 0x10, ssid);
    mapId[5] = QVariantMap{{QStringLiteral("ssid"), ssid}};
    QTest::newRow("id of the wrong type") << mapId << "icon-s-wlan-wep" << "entry 5 .*not a network id";
}

void tst_WLANInternetAccessPointType::securityImageName()
{
    QFETCH(QList<QVariant>, data);
    QFETCH(QString, image);
    QFETCH(QString, warning);

    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    const QString result = m_type->securityImageName(data);
    QCOMPARE(result, image);
    // A list that does not unpack gives no answer; an open network an empty one.
    QCOMPARE(result.isNull(), image.isNull());
}

void tst_WLANInternetAccessPointType::bearerImageName_data()
{
    QTest::addColumn<QList<QVariant>>("data");
    QTest::addColumn<int>("strength");
    QTest::addColumn<QString>("image");

    const QList<QVariant> infra = wlanData("WLAN_INFRA", 0, "Office");
    const QString weakest = QStringLiteral("icon-m-common-wlan-strength1");
    QTest::newRow("negative") << infra << -1 << "icon-m-common-wlan";
    QTest::newRow("0") << infra << 0 << weakest;
    QTest::newRow("1") << infra << 1 << "icon-m-common-wlan-strength2";
    QTest::newRow("2") << infra << 2 << "icon-m-common-wlan-strength2";
    QTest::newRow("3") << infra << 3 << "icon-m-common-wlan-strength3";
    QTest::newRow("4") << infra << 4 << "icon-m-common-wlan-strength3";
    QTest::newRow("5") << infra << 5 << "icon-m-common-wlan-strength4";
    QTest::newRow("7") << infra << 7 << "icon-m-common-wlan-strength4";
    QTest::newRow("8") << infra << 8 << "icon-m-common-wlan-strength5";
    QTest::newRow("10") << infra << 10 << "icon-m-common-wlan-strength5";
    QTest::newRow("11") << infra << 11 << weakest;
    QTest::newRow("very large") << infra << 1000 << weakest;
    QTest::newRow("ad hoc") << wlanData("WLAN_ADHOC", 0, "Party") << 6 << "icon-m-common-wlan-strength4";
    QTest::newRow("hidden entry") << wlanData("WLAN_HIDDEN", 0, QByteArray()) << 10 << "icon-m-common-wlan";
    QTest::newRow("hidden entry, 0") << wlanData("WLAN_HIDDEN", 0, QByteArray()) << 0 << "icon-m-common-wlan";
    QTest::newRow("new entry") << wlanData("WLAN_NEW", 0, QByteArray()) << 3 << "icon-m-common-wlan";
    // Only entry 3 is read: a short list with the hidden type still counts.
    QTest::newRow("four entries, hidden")
        << QList<QVariant>{QString(), 0, QString(), QStringLiteral("WLAN_HIDDEN")} << 9 << "icon-m-common-wlan";
    QTest::newRow("three entries: strength only")
        << QList<QVariant>{QString(), 0, QStringLiteral("WLAN_HIDDEN")} << 9 << "icon-m-common-wlan-strength5";
    QTest::newRow("empty list") << QList<QVariant>() << 4 << "icon-m-common-wlan-strength3";
}

void tst_WLANInternetAccessPointType::bearerImageName()
{
    QFETCH(QList<QVariant>, data);
    QFETCH(int, strength);
    QFETCH(QString, image);
    QCOMPARE(m_type->bearerImageName(data, strength), image);
}

void tst_WLANInternetAccessPointType::filterScanResult_data()
{
    QTest::addColumn<ScanResult>("result");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<QString>("warning");

    const QByteArray ssid("Office");
    const QList<QVariant> infra = wlanData("WLAN_INFRA", 0x20, ssid);
    QTest::newRow("found, unsaved, strong") << scanResult(infra, ssid, false, true, 6) << true << QString();
    QTest::newRow("found, unsaved, strength 1") << scanResult(infra, ssid, false, true, 1) << true << QString();
    QTest::newRow("found, unsaved, strength 0") << scanResult(infra, ssid, false, true, 0) << false << QString();
    QTest::newRow("found, saved, strength 0") << scanResult(infra, ssid, true, true, 0) << true << QString();
    QTest::newRow("not found, unsaved, strength 0") << scanResult(infra, ssid, false, false, 0) << true << QString();
    QTest::newRow("not found, saved") << scanResult(infra, ssid, true, false, 0) << true << QString();

    const QList<QVariant> oneNul = wlanData("WLAN_INFRA", 0x20, QByteArray(1, '\0'));
    QTest::newRow("id of one NUL") << scanResult(oneNul, QByteArray(1, '\0'), true, true, 8) << false << QString();
    const QByteArray nulThenX("\0x", 2);
    QTest::newRow("two bytes starting with NUL")
        << scanResult(wlanData("WLAN_INFRA", 0x20, nulThenX), nulThenX, false, true, 8) << true << QString();
    const QByteArray twoNuls(2, '\0');
    QTest::newRow("two NULs") << scanResult(wlanData("WLAN_INFRA", 0, twoNuls), twoNuls, false, true, 8) << true
                              << QString();
    QTest::newRow("SSID with a trailing NUL")
        << scanResult(wlanData("WLAN_INFRA", 0, QByteArray("Office\0", 7)), ssid, false, true, 8) << true << QString();
    QTest::newRow("empty id") << scanResult(wlanData("WLAN_INFRA", 0, QByteArray()), QByteArray(), true, true, 8)
                              << false << QString();

    QList<QVariant> five = infra;
    five.removeLast();
    QTest::newRow("five entries") << scanResult(five, ssid, true, true, 8) << false << "has 5 entries";
    QList<QVariant> seven = infra;
    seven.append(QByteArray("extra"));
    QTest::newRow("seven entries") << scanResult(seven, ssid, true, true, 8) << false << "has 7 entries";
    QTest::newRow("no configuration") << scanResult({}, ssid, true, true, 8) << false << "has 0 entries";
    QTest::newRow("unknown network type") << scanResult(wlanData("LAN", 0, ssid), ssid, true, true, 8) << false
                                          << "\"LAN\" is not";
    // Entry 5 read as bytes: a text id of a fixed entry is kept.
    QList<QVariant> textId = infra;
    textId[5] = QStringLiteral("Office");
    QTest::newRow("text id") << scanResult(textId, ssid, false, true, 3) << true << QString();
    QList<QVariant> numberId = infra;
    numberId[5] = 0;
    QTest::newRow("number as id") << scanResult(numberId, ssid, false, true, 3) << true << "entry 5";
}

void tst_WLANInternetAccessPointType::filterScanResult()
{
    QFETCH(ScanResult, result);
    QFETCH(bool, kept);
    QFETCH(QString, warning);

    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    const ScanResult filtered = m_type->filterScanResult(result);
    if (kept) {
        QVERIFY(filtered == result);
    } else {
        QVERIFY(!filtered.isValid());
        QVERIFY(filtered == ScanResult());
    }
}

void tst_WLANInternetAccessPointType::initializeInternetAccessPoint()
{
    const QByteArray ssid = QString::fromUtf8("Caf\xc3\xa9 \xe2\x98\x95").toUtf8();
    InternetAccessPoint iap(wlanData("WLAN_INFRA", 0x20, ssid));
    iap.setProperty(QStringLiteral("wlan_ssid"), ssid);
    iap.setProperty(QStringLiteral("EAP_MSCHAPV2_password_prompt"), true);

    QVERIFY(m_type->initializeInternetAccessPoint(&iap));

    // The name defaults to the SSID, read as UTF-8.
    QCOMPARE(iap.defaults(), (QMap<QString, QVariant>{{QStringLiteral("name"), QString::fromUtf8("Caf\xc3\xa9 \xe2\x98\x95")}}));
    QCOMPARE(iap.property(QStringLiteral("name")), QVariant(QString::fromUtf8("Caf\xc3\xa9 \xe2\x98\x95")));
    iap.setProperty(QStringLiteral("name"), QStringLiteral("Corner cafe"));
    QCOMPARE(iap.property(QStringLiteral("name")), QVariant(QStringLiteral("Corner cafe")));

    const QHash<QString, QString> aliases{{QStringLiteral("username"), QStringLiteral("EAP_MSCHAPV2_username")},
                                          {QStringLiteral("password"), QStringLiteral("EAP_MSCHAPV2_password")},
                                          {QStringLiteral("ask_password"), QStringLiteral("EAP_MSCHAPV2_password_prompt")}};
    QCOMPARE(iap.propertyAliases(), aliases);
    // The old keys reach the current ones.
    QCOMPARE(iap.property(QStringLiteral("ask_password")), QVariant(true));
    iap.setProperty(QStringLiteral("username"), QStringLiteral("ms-user"));
    QCOMPARE(iap.property(QStringLiteral("EAP_MSCHAPV2_username")), QVariant(QStringLiteral("ms-user")));
}

void tst_WLANInternetAccessPointType::initializeWithoutAccessPoint()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("without an access point")));
    QVERIFY(m_type->initializeInternetAccessPoint(nullptr));
}

void tst_WLANInternetAccessPointType::defaultConnections()
{
    const QList<InternetAccessPoint> entries = m_type->defaultConnections();
    QCOMPARE(entries.size(), 2);

    const QList<QVariant> hidden = entries.at(0).data();
    const QList<QVariant> created = entries.at(1).data();
    QCOMPARE(hidden, (QList<QVariant>{QString(""), 0, QString(""), QStringLiteral("WLAN_HIDDEN"), 0,
                                      QStringLiteral("qtn_conn_other")}));
    QCOMPARE(created, (QList<QVariant>{QString(""), 0, QString(""), QStringLiteral("WLAN_NEW"), 0,
                                       QStringLiteral("qtn_conn_create_new")}));
    for (const QList<QVariant>& data : {hidden, created}) {
        QCOMPARE(data.at(0).userType(), int(QMetaType::QString));
        QCOMPARE(data.at(1).userType(), int(QMetaType::Int));
        QCOMPARE(data.at(2).userType(), int(QMetaType::QString));
        QCOMPARE(data.at(4).userType(), int(QMetaType::Int));
        // The label is text, not SSID bytes.
        QCOMPARE(data.at(5).userType(), int(QMetaType::QString));
        // The framework shows them with the plug-in's own icons.
        QCOMPARE(m_type->securityImageName(data), QString(""));
        QCOMPARE(m_type->bearerImageName(data, 7), QStringLiteral("icon-m-common-wlan"));
    }
}

void tst_WLANInternetAccessPointType::defaultConnectionsAreTranslated()
{
    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    const QList<InternetAccessPoint> entries = m_type->defaultConnections();
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries.at(0).data().value(5), QVariant(QStringLiteral("English:qtn_conn_other")));
    QCOMPARE(entries.at(1).data().value(5), QVariant(QStringLiteral("English:qtn_conn_create_new")));
}

void tst_WLANInternetAccessPointType::editorIsAnEditorPlugin()
{
    InternetAccessPoint iap(wlanData("WLAN_INFRA", 0, "Editor"));
    iap.setProperty("name", QStringLiteral("Office"));
    QScopedPointer<InternetAccessPointEditorInterface> editor(m_type->editor(&iap));
    QVERIFY(editor);
    // The caller owns it, and reaches it by its names alone.
    QCOMPARE(editor->parent(), nullptr);
    QVERIFY(editor->qt_metacast("com.qorva.InternetAccessPointEditorInterface"));
    QVERIFY(editor->qt_metacast("Velin::WlanInternetAccessPointEditorPlugin"));
    QCOMPARE(editor->editorTitle(), QStringLiteral("qtn_conn_edit_wlan"));
    // Loaded from the access point: a name and an SSID are all an open network needs.
    QVERIFY(!editor->mandatoryValuesProvided());
    iap.setProperty("wlan_ssid", QByteArray("Editor"));
    editor.reset(m_type->editor(&iap));
    QVERIFY(editor->mandatoryValuesProvided());
}

void tst_WLANInternetAccessPointType::configureForConnection()
{
    InternetAccessPoint iap(wlanData("WLAN_INFRA", 0, "Configure"));
    QVERIFY(m_type->configureForConnection(&iap));
    QVERIFY(!m_type->configureForConnection(nullptr));
}

void tst_WLANInternetAccessPointType::isAutoconnectable_data()
{
    QTest::addColumn<QByteArray>("ssid");
    QTest::addColumn<QString>("networkType");
    QTest::addColumn<QString>("savedUnder");
    QTest::addColumn<QVariantMap>("saved");
    QTest::addColumn<bool>("autoconnectable");

    const QString security = QStringLiteral("wlan_security");
    const QString method = QStringLiteral("PEAP_tunneled_eap_type");
    const QString prompt = QStringLiteral("EAP_MSCHAPV2_password_prompt");
    const QString certificate = QStringLiteral("EAP_TLS_PEAP_client_certificate_file");
    const QVariantMap open{{security, QStringLiteral("NONE")}};
    const QVariantMap wapiCertificate{{security, QStringLiteral("WAI_certificate")}};
    const QVariantMap peapSilent{{security, QStringLiteral("WPA_EAP")}, {method, 26}, {prompt, false}};

    QTest::newRow("nothing saved") << QByteArray("Office") << "WLAN_INFRA" << "Office" << QVariantMap() << true;
    QTest::newRow("open") << QByteArray("Office") << "WLAN_INFRA" << "Office" << open << true;
    QTest::newRow("WPA-PSK") << QByteArray("Office") << "WLAN_INFRA" << "Office"
                             << QVariantMap{{security, QStringLiteral("WPA_PSK")}} << true;
    QTest::newRow("WAPI certificate") << QByteArray("Office") << "WLAN_INFRA" << "Office" << wapiCertificate << false;
    QTest::newRow("WPA-EAP TLS") << QByteArray("Office") << "WLAN_INFRA" << "Office"
                                 << QVariantMap{{security, QStringLiteral("WPA_EAP")}, {QStringLiteral("EAP_default_type"), 13}}
                                 << false;
    QTest::newRow("PEAP, prompt off") << QByteArray("Office") << "WLAN_INFRA" << "Office" << peapSilent << true;
    QVariantMap peapPrompt = peapSilent;
    peapPrompt.insert(prompt, true);
    QTest::newRow("PEAP, prompt on") << QByteArray("Office") << "WLAN_INFRA" << "Office" << peapPrompt << false;
    QVariantMap peapCertificate = peapSilent;
    peapCertificate.insert(certificate, QStringLiteral("/home/user/client.pem"));
    QTest::newRow("PEAP, client certificate") << QByteArray("Office") << "WLAN_INFRA" << "Office" << peapCertificate
                                              << false;

    QTest::newRow("ad hoc, nothing saved") << QByteArray("Party") << "WLAN_ADHOC" << "Party" << QVariantMap() << false;
    QTest::newRow("ad hoc, open") << QByteArray("Party") << "WLAN_ADHOC" << "Party" << open << false;
    QTest::newRow("ad hoc, PEAP prompt off") << QByteArray("Party") << "WLAN_ADHOC" << "Party" << peapSilent << false;

    // The settings are found by the SSID's bytes, percent-encoded.
    QTest::newRow("encoded SSID") << QByteArray("Caf\xe9 Net/2") << "WLAN_INFRA" << "Caf%E9%20Net%2F2"
                                  << wapiCertificate << false;
    QTest::newRow("trailing NUL") << QByteArray("Office\0", 7) << "WLAN_INFRA" << "Office" << wapiCertificate << false;
    QTest::newRow("NUL inside") << QByteArray("Lab\0x", 5) << "WLAN_INFRA" << "Lab" << wapiCertificate << false;
    QTest::newRow("another network's settings") << QByteArray("Office") << "WLAN_INFRA" << "Office2" << wapiCertificate
                                                << true;
    QTest::newRow("hidden network") << QByteArray("Secret") << "WLAN_HIDDEN" << "Secret" << wapiCertificate << false;
}

void tst_WLANInternetAccessPointType::isAutoconnectable()
{
    QFETCH(QByteArray, ssid);
    QFETCH(QString, networkType);
    QFETCH(QString, savedUnder);
    QFETCH(QVariantMap, saved);
    QFETCH(bool, autoconnectable);

    QVariantMap store{{QStringLiteral("/system/ravo/connectivity/other/key"), 1}};
    for (auto it = saved.cbegin(); it != saved.cend(); ++it)
        store.insert(wlanSettingsRoot + savedUnder + QLatin1Char('/') + it.key(), it.value());
    DconfFixture fixture;
    QVERIFY(fixture.load(store));

    ScanResult result = scanResult(wlanData(networkType, 0, ssid), ssid, true, true, 5);
    QCOMPARE(m_type->isAutoconnectable(result), autoconnectable);
}

void tst_WLANInternetAccessPointType::deletedInstanceIsReplaced()
{
    // Runs last: it ends the instance the other tests used.
    delete m_instance.data();
    QVERIFY(m_instance.isNull());
    QObject* fresh = m_loader.instance();
    QVERIFY(fresh);
    auto type = qobject_cast<InternetAccessPointTypeInterface*>(fresh);
    QVERIFY(type);
    QCOMPARE(type->types().size(), 4);
    QCOMPARE(QPluginLoader(QStringLiteral(VELIN_WLANTYPE_PLUGIN)).instance(), fresh);
}

VELIN_TEST_GUILESS_MAIN_WITH_BUS(tst_WLANInternetAccessPointType)
#include "tst_wlaninternetaccesspointtype.moc"
