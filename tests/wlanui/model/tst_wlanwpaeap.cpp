#include "wlanui/model/wlanproperties.h"
#include "wlanui/model/wlanwpaeap.h"

#include "touch/settingsitem.h"

#include "dconffixture.h"
#include "privatebus.h"

#include <QTranslator>
#include "markingtranslator.h"

#include <QtTest>

using Velin::WlanWpaEap;

namespace {

const QString root = QStringLiteral("/system/ravo/connectivity/ui/wpaeap/");

QString typeKey(const QString& directory, const char* key)
{
    return root + QStringLiteral("type/") + directory + QLatin1Char('/') + QLatin1String(key);
}

QString methodKey(const QString& method, const char* key)
{
    return root + QStringLiteral("method/") + method + QLatin1Char('/') + QLatin1String(key);
}

// A catalogue in the shape the platform installs, with its own names so that
// nothing here depends on the shipped defaults.
QVariantMap standardCatalogue()
{
    return {
        {typeKey(QStringLiteral("2_PEAP"), "value"), 25},
        {typeKey(QStringLiteral("2_PEAP"), "logical_name"), QStringLiteral("txt_peap")},
        {typeKey(QStringLiteral("2_PEAP"), "methods"), QStringList{QStringLiteral("EAP_MSCHAPV2"), QStringLiteral("EAP_GTC")}},
        {typeKey(QStringLiteral("1_TLS"), "value"), 13},
        {typeKey(QStringLiteral("1_TLS"), "logical_name"), QStringLiteral("txt_tls")},
        {typeKey(QStringLiteral("3_TTLS"), "value"), 21},
        {typeKey(QStringLiteral("3_TTLS"), "logical_name"), QStringLiteral("txt_ttls")},
        {typeKey(QStringLiteral("3_TTLS"), "methods"), QStringList{QStringLiteral("MSCHAPV2"), QStringLiteral("EAP_GTC")}},
        {methodKey(QStringLiteral("EAP_GTC"), "value"), 6},
        {methodKey(QStringLiteral("EAP_GTC"), "logical_name"), QStringLiteral("txt_gtc")},
        {methodKey(QStringLiteral("EAP_MSCHAPV2"), "value"), 26},
        {methodKey(QStringLiteral("EAP_MSCHAPV2"), "logical_name"), QStringLiteral("txt_eap_mschapv2")},
        {methodKey(QStringLiteral("MSCHAPV2"), "value"), 282},
        {methodKey(QStringLiteral("MSCHAPV2"), "logical_name"), QStringLiteral("txt_mschapv2")},
    };
}

// Type directories that each hold a value, so that they exist in the store.
QVariantMap directories(const QStringList& names)
{
    QVariantMap store;
    int value = 100;
    for (const QString& name : names)
        store.insert(typeKey(name, "value"), value++);
    return store;
}

QVariantMap fullEapMap(const QVariant& type, const QVariant& method)
{
    QVariantMap map{
        {WLANProperties::Name, QStringLiteral("Office")},
        {WLANProperties::Security, WLANProperties::SecurityValueWpaEap},
        {QStringLiteral("EAP_GTC_identity"), QStringLiteral("gtc-user")},
        {QStringLiteral("EAP_GTC_passcode"), QStringLiteral("123456")},
        {QStringLiteral("EAP_MSCHAPV2_username"), QStringLiteral("ms-user")},
        {QStringLiteral("EAP_MSCHAPV2_password"), QStringLiteral("ms-password")},
        {QStringLiteral("EAP_MSCHAPV2_password_prompt"), false},
        {QStringLiteral("EAP_TLS_PEAP_client_certificate_file"), QStringLiteral("/home/user/client.pem")},
    };
    if (type.isValid())
        map.insert(WLANProperties::EapDefaultType, type);
    if (method.isValid())
        map.insert(QStringLiteral("PEAP_tunneled_eap_type"), method);
    return map;
}

const QStringList gtcKeys = {QStringLiteral("EAP_GTC_identity"), QStringLiteral("EAP_GTC_passcode")};
const QStringList msChapV2Keys = {QStringLiteral("EAP_MSCHAPV2_username"), QStringLiteral("EAP_MSCHAPV2_password")};
const QString promptKey = QStringLiteral("EAP_MSCHAPV2_password_prompt");
const QString methodNumberKey = QStringLiteral("PEAP_tunneled_eap_type");

// Everything a catalogue offers, one line per type and method.
QStringList describe(const WlanWpaEap& eap)
{
    QStringList lines;
    for (const QString& type : eap.types()) {
        lines.append(QStringLiteral("%1 %2 %3").arg(type, eap.typeName(type), eap.typeValue(type).toString()));
        for (const QString& method : eap.methods(type))
            lines.append(QStringLiteral("  %1 %2 %3").arg(method, eap.methodName(method), eap.methodValue(method).toString()));
    }
    return lines;
}

} // namespace

class tst_WlanWpaEap : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typesInCatalogueOrder_data();
    void typesInCatalogueOrder();
    void duplicateIdentifierUsesLaterDirectory();
    void namesValuesAndMethods();
    void namesAreTranslated();
    void unsetEntriesReadAsNothing();
    void unknownIdentifiers();
    void methodsOfWrongTypeAreRefused();
    void valueToType_data();
    void valueToType();
    void valueToMethod_data();
    void valueToMethod();
    void typeListIsReadOnce();
    void emptyStore();
    void cleanProperties_data();
    void cleanProperties();
    void cleanPropertiesOnEmptyStore();
    void isAutoConnectable_data();
    void isAutoConnectable();
    void shippedCatalogue();
};

void tst_WlanWpaEap::typesInCatalogueOrder_data()
{
    QTest::addColumn<QStringList>("directoryNames");
    QTest::addColumn<QStringList>("types");

    QTest::newRow("ordering prefixes") << QStringList{"2_PEAP", "1_TLS", "3_TTLS"} << QStringList{"TLS", "PEAP", "TTLS"};
    QTest::newRow("no prefix") << QStringList{"TTLS", "PEAP"} << QStringList{"PEAP", "TTLS"};
    QTest::newRow("several underscores") << QStringList{"1_EAP_TLS", "2_x_y_PEAP"} << QStringList{"TLS", "PEAP"};
    // Ordered as strings, case-sensitively: not numerically, not by identifier.
    QTest::newRow("string order of prefixes") << QStringList{"9_TLS", "10_PEAP"} << QStringList{"PEAP", "TLS"};
    QTest::newRow("upper case first") << QStringList{"b_TLS", "a_PEAP", "Z_TTLS"} << QStringList{"TTLS", "PEAP", "TLS"};
    QTest::newRow("prefix decides, not identifier") << QStringList{"1_ZZZ", "2_AAA"} << QStringList{"ZZZ", "AAA"};
}

void tst_WlanWpaEap::typesInCatalogueOrder()
{
    QFETCH(QStringList, directoryNames);
    QFETCH(QStringList, types);

    DconfFixture store;
    QVERIFY(store.load(directories(directoryNames)));
    QCOMPARE(WlanWpaEap().types(), types);
}

void tst_WlanWpaEap::duplicateIdentifierUsesLaterDirectory()
{
    DconfFixture store;
    QVERIFY(store.load({{typeKey(QStringLiteral("1_TLS"), "value"), 13},
                        {typeKey(QStringLiteral("1_TLS"), "logical_name"), QStringLiteral("first")},
                        {typeKey(QStringLiteral("2_TLS"), "value"), 99},
                        {typeKey(QStringLiteral("2_TLS"), "logical_name"), QStringLiteral("second")}}));
    const WlanWpaEap eap;
    QCOMPARE(eap.types(), (QStringList{"TLS", "TLS"}));
    QCOMPARE(eap.typeName(QStringLiteral("TLS")), QStringLiteral("second"));
    QCOMPARE(eap.typeValue(QStringLiteral("TLS")), QVariant(99));
    QCOMPARE(eap.valueToType(13), QString());
    QCOMPARE(eap.valueToType(99), QStringLiteral("TLS"));
}

void tst_WlanWpaEap::namesValuesAndMethods()
{
    DconfFixture store;
    QVERIFY(store.load(standardCatalogue()));
    const WlanWpaEap eap;

    const QStringList types = eap.types();
    QCOMPARE(types, (QStringList{"TLS", "PEAP", "TTLS"}));
    // Without a translator, a text is its id.
    QCOMPARE(eap.typeNames(types), (QStringList{"txt_tls", "txt_peap", "txt_ttls"}));
    QCOMPARE(eap.typeValues(types), (QList<QVariant>{13, 25, 21}));
    QCOMPARE(eap.typeNames({"TTLS", "TLS"}), (QStringList{"txt_ttls", "txt_tls"}));

    QCOMPARE(eap.methods(QStringLiteral("PEAP")), (QStringList{"EAP_MSCHAPV2", "EAP_GTC"}));
    QCOMPARE(eap.methods(QStringLiteral("TTLS")), (QStringList{"MSCHAPV2", "EAP_GTC"}));
    const QStringList methods = eap.methods(QStringLiteral("PEAP"));
    QCOMPARE(eap.methodNames(methods), (QStringList{"txt_eap_mschapv2", "txt_gtc"}));
    QCOMPARE(eap.methodValues(methods), (QList<QVariant>{26, 6}));
    QCOMPARE(eap.methodValue(QStringLiteral("MSCHAPV2")), QVariant(282));
}

void tst_WlanWpaEap::namesAreTranslated()
{
    DconfFixture store;
    QVariantMap catalogue = standardCatalogue();
    catalogue.insert(typeKey(QStringLiteral("4_NONAME"), "value"), 4);
    QVERIFY(store.load(catalogue));
    const WlanWpaEap eap;

    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    const QString typeName = eap.typeName(QStringLiteral("PEAP"));
    const QString methodName = eap.methodName(QStringLiteral("EAP_GTC"));
    // A name that is not set stays empty: it is not looked up as an empty id.
    const QString unset = eap.typeName(QStringLiteral("NONAME"));
    const QString unknown = eap.typeName(QStringLiteral("NONE_SUCH"));
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(typeName, QStringLiteral("English:txt_peap"));
    QCOMPARE(methodName, QStringLiteral("English:txt_gtc"));
    QCOMPARE(unset, QString());
    QCOMPARE(unknown, QString());
}

void tst_WlanWpaEap::unsetEntriesReadAsNothing()
{
    DconfFixture store;
    // A type with only methods, a type with only a name, a method with only a value.
    QVERIFY(store.load({{typeKey(QStringLiteral("1_BARE"), "methods"), QStringList{QStringLiteral("ONLY_VALUE")}},
                        {typeKey(QStringLiteral("2_NAMED"), "logical_name"), QStringLiteral("txt_named")},
                        {methodKey(QStringLiteral("ONLY_VALUE"), "value"), 7}}));
    const WlanWpaEap eap;
    QCOMPARE(eap.types(), (QStringList{"BARE", "NAMED"}));

    // Not the identifier in place of the name.
    QCOMPARE(eap.typeName(QStringLiteral("BARE")), QString());
    QVERIFY(!eap.typeValue(QStringLiteral("BARE")).isValid());
    QVERIFY(!eap.typeValue(QStringLiteral("NAMED")).isValid());
    QCOMPARE(eap.typeValues({"BARE", "NAMED"}), (QList<QVariant>{QVariant(), QVariant()}));
    QCOMPARE(eap.methods(QStringLiteral("NAMED")), QStringList());
    QCOMPARE(eap.methodName(QStringLiteral("ONLY_VALUE")), QString());
    QCOMPARE(eap.methodValue(QStringLiteral("ONLY_VALUE")), QVariant(7));
    QCOMPARE(eap.typeNames({"BARE", "NAMED"}), (QStringList{QString(), "txt_named"}));
}

void tst_WlanWpaEap::unknownIdentifiers()
{
    DconfFixture store;
    QVERIFY(store.load(standardCatalogue()));
    const WlanWpaEap eap;

    QCOMPARE(eap.typeName(QStringLiteral("LEAP")), QString());
    QVERIFY(!eap.typeValue(QStringLiteral("LEAP")).isValid());
    QCOMPARE(eap.methods(QStringLiteral("LEAP")), QStringList());
    // A full directory name is not an identifier.
    QVERIFY(!eap.typeValue(QStringLiteral("1_TLS")).isValid());
    QCOMPARE(eap.methodName(QStringLiteral("PAP")), QString());
    QVERIFY(!eap.methodValue(QStringLiteral("PAP")).isValid());
    QVERIFY(!eap.methodValue(QString()).isValid());
    // Placeholders keep the positions of the ones asked for.
    QCOMPARE(eap.methodValues({"PAP", "EAP_GTC"}), (QList<QVariant>{QVariant(), 6}));
    QCOMPARE(eap.typeNames({"LEAP", "TLS"}), (QStringList{QString(), "txt_tls"}));
}

void tst_WlanWpaEap::methodsOfWrongTypeAreRefused()
{
    DconfFixture store;
    QVERIFY(store.load({{typeKey(QStringLiteral("1_PEAP"), "methods"), QStringLiteral("EAP_GTC")},
                        {methodKey(QStringLiteral("EAP_GTC"), "value"), 6}}));
    const WlanWpaEap eap;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("1_PEAP/methods.*not a list")));
    QCOMPARE(eap.methods(QStringLiteral("PEAP")), QStringList());
}

void tst_WlanWpaEap::valueToType_data()
{
    QTest::addColumn<QVariantMap>("catalogue");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("type");

    QTest::newRow("TLS") << standardCatalogue() << 13 << "TLS";
    QTest::newRow("PEAP") << standardCatalogue() << 25 << "PEAP";
    QTest::newRow("TTLS") << standardCatalogue() << 21 << "TTLS";
    QTest::newRow("a method's number") << standardCatalogue() << 6 << QString();
    QTest::newRow("no match") << standardCatalogue() << 0 << QString();

    const QVariantMap sameValue{{typeKey(QStringLiteral("2_FIRST"), "value"), 5},
                                {typeKey(QStringLiteral("1_ZFIRST"), "value"), 5}};
    QTest::newRow("first in catalogue order") << sameValue << 5 << "ZFIRST";
    // An unset value reads as 0.
    const QVariantMap unsetValue{{typeKey(QStringLiteral("1_NOVALUE"), "logical_name"), QStringLiteral("x")},
                                 {typeKey(QStringLiteral("2_TLS"), "value"), 13}};
    QTest::newRow("unset value is 0") << unsetValue << 0 << "NOVALUE";
    QTest::newRow("text value") << QVariantMap{{typeKey(QStringLiteral("1_TLS"), "value"), QStringLiteral("13")}}
                                << 13 << "TLS";
}

void tst_WlanWpaEap::valueToType()
{
    QFETCH(QVariantMap, catalogue);
    QFETCH(int, value);
    QFETCH(QString, type);

    DconfFixture store;
    QVERIFY(store.load(catalogue));
    QCOMPARE(WlanWpaEap().valueToType(value), type);
}

void tst_WlanWpaEap::valueToMethod_data()
{
    QTest::addColumn<QVariantMap>("catalogue");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("method");

    QTest::newRow("EAP-GTC, under two types") << standardCatalogue() << 6 << "EAP_GTC";
    QTest::newRow("EAP-MSCHAPv2") << standardCatalogue() << 26 << "EAP_MSCHAPV2";
    QTest::newRow("MSCHAPv2") << standardCatalogue() << 282 << "MSCHAPV2";
    QTest::newRow("a type's number") << standardCatalogue() << 25 << QString();
    QTest::newRow("no match") << standardCatalogue() << 99 << QString();

    // Two methods with one number: the one under the earlier type wins, even
    // when the later type lists it first.
    QVariantMap twoTypes{{typeKey(QStringLiteral("1_A"), "methods"), QStringList{QStringLiteral("X")}},
                         {typeKey(QStringLiteral("2_B"), "methods"), QStringList{QStringLiteral("Y"), QStringLiteral("X")}},
                         {methodKey(QStringLiteral("X"), "value"), 40},
                         {methodKey(QStringLiteral("Y"), "value"), 40}};
    QTest::newRow("earlier type first") << twoTypes << 40 << "X";
    twoTypes.insert(typeKey(QStringLiteral("0_C"), "methods"), QStringList{QStringLiteral("Y")});
    QTest::newRow("an even earlier type") << twoTypes << 40 << "Y";
    // Within one type, the list order.
    const QVariantMap oneType{{typeKey(QStringLiteral("1_A"), "methods"), QStringList{QStringLiteral("Y"), QStringLiteral("X")}},
                              {methodKey(QStringLiteral("X"), "value"), 40},
                              {methodKey(QStringLiteral("Y"), "value"), 40}};
    QTest::newRow("list order") << oneType << 40 << "Y";

    const QVariantMap notOffered{{typeKey(QStringLiteral("1_A"), "methods"), QStringList{QStringLiteral("X")}},
                                 {methodKey(QStringLiteral("X"), "value"), 40},
                                 {methodKey(QStringLiteral("HIDDEN"), "value"), 41}};
    QTest::newRow("method no type offers") << notOffered << 41 << QString();

    const QVariantMap unsetValue{{typeKey(QStringLiteral("1_A"), "methods"), QStringList{QStringLiteral("NOVALUE")}}};
    QTest::newRow("unset value is 0") << unsetValue << 0 << "NOVALUE";
}

void tst_WlanWpaEap::valueToMethod()
{
    QFETCH(QVariantMap, catalogue);
    QFETCH(int, value);
    QFETCH(QString, method);

    DconfFixture store;
    QVERIFY(store.load(catalogue));
    QCOMPARE(WlanWpaEap().valueToMethod(value), method);
}

void tst_WlanWpaEap::typeListIsReadOnce()
{
    DconfFixture store;
    QVERIFY(store.load(standardCatalogue()));
    const WlanWpaEap before;

    QVariantMap changed = standardCatalogue();
    changed.remove(typeKey(QStringLiteral("3_TTLS"), "value"));
    changed.remove(typeKey(QStringLiteral("3_TTLS"), "logical_name"));
    changed.remove(typeKey(QStringLiteral("3_TTLS"), "methods"));
    changed.insert(typeKey(QStringLiteral("2_PEAP"), "logical_name"), QStringLiteral("txt_peap_renamed"));
    changed.insert(typeKey(QStringLiteral("2_PEAP"), "methods"), QStringList{QStringLiteral("EAP_GTC")});
    QVERIFY(store.load(changed));

    // The list stays; what is read per call follows the store.
    QCOMPARE(before.types(), (QStringList{"TLS", "PEAP", "TTLS"}));
    QCOMPARE(before.typeName(QStringLiteral("PEAP")), QStringLiteral("txt_peap_renamed"));
    QCOMPARE(before.methods(QStringLiteral("PEAP")), QStringList{"EAP_GTC"});
    QVERIFY(!before.typeValue(QStringLiteral("TTLS")).isValid());
    QCOMPARE(WlanWpaEap().types(), (QStringList{"TLS", "PEAP"}));
}

void tst_WlanWpaEap::emptyStore()
{
    DconfFixture store;
    QVERIFY(store.load({{QStringLiteral("/system/ravo/connectivity/other/key"), 1}}));
    const WlanWpaEap eap;

    QCOMPARE(eap.types(), QStringList());
    QCOMPARE(eap.typeName(WlanWpaEap::TypeTls), QString());
    QVERIFY(!eap.typeValue(WlanWpaEap::TypePeap).isValid());
    QCOMPARE(eap.methods(WlanWpaEap::TypeTtls), QStringList());
    QCOMPARE(eap.methodName(WlanWpaEap::MethodEapGtc), QString());
    QVERIFY(!eap.methodValue(WlanWpaEap::MethodMsChapV2).isValid());
    QCOMPARE(eap.valueToType(0), QString());
    QCOMPARE(eap.valueToType(13), QString());
    QCOMPARE(eap.valueToMethod(0), QString());
    QCOMPARE(eap.valueToMethod(26), QString());
}

void tst_WlanWpaEap::cleanProperties_data()
{
    QTest::addColumn<QVariantMap>("properties");
    QTest::addColumn<QStringList>("removed");

    const QStringList everything = gtcKeys + msChapV2Keys + QStringList{promptKey};

    QTest::newRow("TLS") << fullEapMap(13, 6) << (everything + QStringList{methodNumberKey});
    QTest::newRow("TLS with an MSCHAPv2 number") << fullEapMap(13, 26) << (everything + QStringList{methodNumberKey});
    QTest::newRow("TLS, certificate only")
        << QVariantMap{{WLANProperties::EapDefaultType, 13},
                       {QStringLiteral("EAP_TLS_PEAP_client_certificate_file"), QStringLiteral("c.pem")}}
        << QStringList();
    // The prompt switch stays: it also asks for the GTC passcode.
    QTest::newRow("PEAP with EAP-GTC") << fullEapMap(25, 6) << msChapV2Keys;
    QTest::newRow("TTLS with EAP-GTC") << fullEapMap(21, 6) << msChapV2Keys;
    QTest::newRow("PEAP with EAP-MSCHAPv2") << fullEapMap(25, 26) << gtcKeys;
    QTest::newRow("TTLS with MSCHAPv2") << fullEapMap(21, 282) << gtcKeys;
    QTest::newRow("unknown type, known method") << fullEapMap(77, 26) << gtcKeys;
    QTest::newRow("method number matches nothing")
        << fullEapMap(25, 99) << (everything + QStringList{WLANProperties::EapDefaultType, methodNumberKey});
    QTest::newRow("no numbers") << fullEapMap(QVariant(), QVariant()) << everything;
    QTest::newRow("method number as text") << fullEapMap(25, QStringLiteral("6")) << msChapV2Keys;
}

void tst_WlanWpaEap::cleanProperties()
{
    QFETCH(QVariantMap, properties);
    QFETCH(QStringList, removed);

    DconfFixture store;
    QVERIFY(store.load(standardCatalogue()));

    QVariantMap expected = properties;
    for (const QString& key : qAsConst(removed))
        QVERIFY2(expected.remove(key) == 1, qPrintable(key));

    WlanWpaEap().cleanProperties(properties);
    QCOMPARE(properties, expected);
}

void tst_WlanWpaEap::cleanPropertiesOnEmptyStore()
{
    DconfFixture store;
    QVERIFY(store.load({{QStringLiteral("/system/ravo/connectivity/other/key"), 1}}));

    QVariantMap properties = fullEapMap(13, 26);
    WlanWpaEap().cleanProperties(properties);
    // Nothing is known: every EAP key goes but the client certificate.
    QCOMPARE(properties, (QVariantMap{
                             {WLANProperties::Name, QStringLiteral("Office")},
                             {WLANProperties::Security, WLANProperties::SecurityValueWpaEap},
                             {QStringLiteral("EAP_TLS_PEAP_client_certificate_file"), QStringLiteral("/home/user/client.pem")},
                         }));
}

void tst_WlanWpaEap::isAutoConnectable_data()
{
    QTest::addColumn<QVariantMap>("properties");
    QTest::addColumn<bool>("autoConnectable");

    const QString security = WLANProperties::Security;
    const QString certificate = QStringLiteral("EAP_TLS_PEAP_client_certificate_file");
    auto eap = [&](const QVariantMap& extra) {
        QVariantMap map{{security, WLANProperties::SecurityValueWpaEap}};
        for (auto it = extra.cbegin(); it != extra.cend(); ++it)
            map.insert(it.key(), it.value());
        return map;
    };

    QTest::newRow("open") << QVariantMap{{security, WLANProperties::SecurityValueNone}} << true;
    QTest::newRow("WEP") << QVariantMap{{security, WLANProperties::SecurityValueWep}} << true;
    QTest::newRow("WPA-PSK") << QVariantMap{{security, WLANProperties::SecurityValueWpaPsk}} << true;
    QTest::newRow("WAPI pre-shared key") << QVariantMap{{security, WLANProperties::SecurityValueWapiPsk}} << true;
    QTest::newRow("no security value") << QVariantMap() << true;
    QTest::newRow("empty security value") << QVariantMap{{security, QString()}} << true;
    QTest::newRow("WAPI certificate") << QVariantMap{{security, WLANProperties::SecurityValueWapiCert}} << false;
    QTest::newRow("unknown security") << QVariantMap{{security, QStringLiteral("wpa_psk")}} << false;
    // Credentials of other methods do not matter outside WPA-EAP.
    QTest::newRow("WPA-PSK with a prompt") << QVariantMap{{security, WLANProperties::SecurityValueWpaPsk}, {promptKey, true}}
                                           << true;

    QTest::newRow("WPA-EAP TLS") << eap({{WLANProperties::EapDefaultType, 13}}) << false;
    QTest::newRow("WPA-EAP, method 0, prompt off") << eap({{methodNumberKey, 0}, {promptKey, false}}) << false;
    QTest::newRow("PEAP, prompt off") << eap({{methodNumberKey, 26}, {promptKey, false}}) << true;
    QTest::newRow("PEAP, prompt unset") << eap({{methodNumberKey, 26}}) << true;
    QTest::newRow("PEAP, prompt on") << eap({{methodNumberKey, 26}, {promptKey, true}}) << false;
    QTest::newRow("PEAP, prompt off, certificate")
        << eap({{methodNumberKey, 26}, {promptKey, false}, {certificate, QStringLiteral("/c.pem")}}) << false;
    QTest::newRow("PEAP, prompt off, empty certificate")
        << eap({{methodNumberKey, 26}, {promptKey, false}, {certificate, QString()}}) << true;
    QTest::newRow("EAP-GTC, prompt off") << eap({{methodNumberKey, 6}, {promptKey, false}}) << true;
    // Not in the catalogue: the rule looks only at whether a method is stored.
    QTest::newRow("unknown method number") << eap({{methodNumberKey, 99}}) << true;
}

void tst_WlanWpaEap::isAutoConnectable()
{
    QFETCH(QVariantMap, properties);
    QFETCH(bool, autoConnectable);

    DconfFixture store;
    QVERIFY(store.load(standardCatalogue()));
    QCOMPARE(WlanWpaEap().isAutoConnectable(properties), autoConnectable);

    // The rule needs no catalogue.
    QVERIFY(store.load({{QStringLiteral("/system/ravo/connectivity/other/key"), 1}}));
    QCOMPARE(WlanWpaEap().isAutoConnectable(properties), autoConnectable);
}

void tst_WlanWpaEap::shippedCatalogue()
{
    // The database compiled by the build, read through the build tree's profile.
    const QByteArray savedProfile = qgetenv("DCONF_PROFILE");
    qputenv("DCONF_PROFILE", VELIN_WLAN_DCONF_PROFILE);
    Touch::SettingsItem::reload();
    auto restore = qScopeGuard([&] {
        qputenv("DCONF_PROFILE", savedProfile);
        Touch::SettingsItem::reload();
    });

    const WlanWpaEap eap;
    QCOMPARE(eap.types(), (QStringList{WlanWpaEap::TypeTls, WlanWpaEap::TypePeap, WlanWpaEap::TypeTtls}));
    // The real EAP type numbers.
    QCOMPARE(eap.typeValues(eap.types()), (QList<QVariant>{13, 25, 21}));
    QCOMPARE(eap.methodValue(WlanWpaEap::MethodEapGtc), QVariant(6));
    QCOMPARE(eap.methodValue(WlanWpaEap::MethodEapMsChapV2), QVariant(26));

    QCOMPARE(eap.methods(WlanWpaEap::TypeTls), QStringList());
    QVERIFY(eap.methods(WlanWpaEap::TypePeap).contains(WlanWpaEap::MethodEapGtc));
    QVERIFY(eap.methods(WlanWpaEap::TypePeap).contains(WlanWpaEap::MethodEapMsChapV2));
    QVERIFY(eap.methods(WlanWpaEap::TypeTtls).contains(WlanWpaEap::MethodMsChapV2));

    // Plain MSCHAPv2 has no EAP number: its value must not be mistaken for one,
    // nor for "no inner method".
    const int plain = eap.methodValue(WlanWpaEap::MethodMsChapV2).toInt();
    QVERIFY2(plain > 255, qPrintable(QString::number(plain)));

    // Every offered type and method has a text id and is found again by its number.
    for (const QString& type : eap.types()) {
        QVERIFY2(eap.typeName(type).startsWith(QLatin1String("qtn_")), qPrintable(type));
        QCOMPARE(eap.valueToType(eap.typeValue(type).toInt()), type);
        for (const QString& method : eap.methods(type)) {
            QVERIFY2(eap.methodName(method).startsWith(QLatin1String("qtn_")), qPrintable(method));
            QCOMPARE(eap.valueToMethod(eap.methodValue(method).toInt()), method);
        }
    }

    // The keyfile in the source tree compiles to the same catalogue.
    QFile keyfile(QStringLiteral(VELIN_WLAN_KEYFILE));
    QVERIFY(keyfile.open(QIODevice::ReadOnly));
    DconfFixture store;
    const QStringList compiled = describe(eap);
    QVERIFY(store.loadKeyfile(QString::fromUtf8(keyfile.readAll())));
    QCOMPARE(describe(WlanWpaEap()), compiled);
}

VELIN_TEST_GUILESS_MAIN_WITH_BUS(tst_WlanWpaEap)
#include "tst_wlanwpaeap.moc"
