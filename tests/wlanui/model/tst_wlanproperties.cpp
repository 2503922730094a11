#include "wlanui/model/wlanproperties.h"

#include <QtTest>

namespace {

// Read while this executable is being initialised, after the library's own
// initialisation: the constants must already be built by then.
const QString securityKeyAtStartup = WLANProperties::Security;

} // namespace

class tst_WlanProperties : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void frameworkNames_data();
    void frameworkNames();
    void bothSpellingsNameTheSameObjects();
    void passphraseIsTheFirstWepKey();
    void builtBeforeDependentsStart();
};

void tst_WlanProperties::frameworkNames_data()
{
    // The framework stores settings under these names: a change breaks every
    // saved access point.
    QTest::addColumn<QString>("constant");
    QTest::addColumn<QString>("name");

    QTest::newRow("Name") << Velin::WLANProperties::Name << "name";
    QTest::newRow("Type") << Velin::WLANProperties::Type << "type";
    QTest::newRow("Ssid") << Velin::WLANProperties::Ssid << "wlan_ssid";
    QTest::newRow("Hidden") << Velin::WLANProperties::Hidden << "wlan_hidden";
    QTest::newRow("AutoConnect") << Velin::WLANProperties::AutoConnect << "autoconnect";
    QTest::newRow("Passphrase") << Velin::WLANProperties::Passphrase << "wlan_wepkey1";
    QTest::newRow("WepKey1") << Velin::WLANProperties::WepKey1 << "wlan_wepkey1";
    QTest::newRow("WepKey2") << Velin::WLANProperties::WepKey2 << "wlan_wepkey2";
    QTest::newRow("WepKey3") << Velin::WLANProperties::WepKey3 << "wlan_wepkey3";
    QTest::newRow("WepKey4") << Velin::WLANProperties::WepKey4 << "wlan_wepkey4";
    QTest::newRow("EapWpaPassphrase") << Velin::WLANProperties::EapWpaPassphrase << "EAP_wpa_preshared_passphrase";
    QTest::newRow("EapWpaKey") << Velin::WLANProperties::EapWpaKey << "EAP_wpa_preshared_key";
    QTest::newRow("EapDefaultType") << Velin::WLANProperties::EapDefaultType << "EAP_default_type";
    QTest::newRow("WepDefaultKeyIndex") << Velin::WLANProperties::WepDefaultKeyIndex << "wlan_wepdefkey";
    QTest::newRow("Security") << Velin::WLANProperties::Security << "wlan_security";
    QTest::newRow("SecurityValueNone") << Velin::WLANProperties::SecurityValueNone << "NONE";
    QTest::newRow("SecurityValueWep") << Velin::WLANProperties::SecurityValueWep << "WEP";
    QTest::newRow("SecurityValueWpaPsk") << Velin::WLANProperties::SecurityValueWpaPsk << "WPA_PSK";
    QTest::newRow("SecurityValueWpaEap") << Velin::WLANProperties::SecurityValueWpaEap << "WPA_EAP";
    QTest::newRow("SecurityValueWapiPsk") << Velin::WLANProperties::SecurityValueWapiPsk << "WAI_PSK";
    QTest::newRow("SecurityValueWapiCert") << Velin::WLANProperties::SecurityValueWapiCert << "WAI_certificate";
    QTest::newRow("WapiKeyType") << Velin::WLANProperties::WapiKeyType << "wapi_key_type";
    QTest::newRow("WpsMethod") << Velin::WLANProperties::WpsMethod << "wlan_wps_method";
    QTest::newRow("WpsMethodValuePin") << Velin::WLANProperties::WpsMethodValuePin << "pin";
    QTest::newRow("WpsMethodValuePushButton") << Velin::WLANProperties::WpsMethodValuePushButton << "pushbutton";
}

void tst_WlanProperties::frameworkNames()
{
    QFETCH(QString, constant);
    QFETCH(QString, name);
    QCOMPARE(constant, name);
}

void tst_WlanProperties::bothSpellingsNameTheSameObjects()
{
    QCOMPARE(&WLANProperties::Ssid, &Velin::WLANProperties::Ssid);
    QCOMPARE(&WLANProperties::WpsMethodValuePushButton, &Velin::WLANProperties::WpsMethodValuePushButton);
}

void tst_WlanProperties::passphraseIsTheFirstWepKey()
{
    QCOMPARE(WLANProperties::Passphrase, WLANProperties::WepKey1);
    QVERIFY(WLANProperties::WepKey1 != WLANProperties::WepKey2);
}

void tst_WlanProperties::builtBeforeDependentsStart()
{
    QCOMPARE(securityKeyAtStartup, QStringLiteral("wlan_security"));
}

QTEST_GUILESS_MAIN(tst_WlanProperties)
#include "tst_wlanproperties.moc"
