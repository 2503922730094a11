// The editor of one WLAN access point: what it loads, what it demands, how
// it validates, saves and undoes, driven through its real pages.
#include "wlantype/wlaninternetaccesspointeditorplugin.h"

#include "bannerobserver.h"
#include "fakedbusservice.h"
#include "privatebus.h"
#include "windowfixture.h"

#include "base/propertyeditormanager.h"
#include "net/internetaccesspoint.h"
#include "touch/textedit.h"

#include <QGraphicsWidget>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QtTest>

using Velin::InternetAccessPoint;
using Velin::PropertyEditorManager;
using Velin::WlanInternetAccessPointEditorPlugin;

typedef QMap<QString, QVariant> PropertyMap;
Q_DECLARE_METATYPE(PropertyMap)

namespace {

QList<QVariant> wlanData(const QString& networkType, const QByteArray& ssid)
{
    return {QStringLiteral("WLAN"), 0u, QStringLiteral("wlan0"), networkType, 0u, ssid};
}

// A saved access point, its properties set as the framework would have them.
InternetAccessPoint* accessPoint(const QString& networkType, const PropertyMap& properties)
{
    static int serial = 0;
    auto iap = new InternetAccessPoint(wlanData(networkType, "Editor" + QByteArray::number(++serial)));
    for (auto it = properties.cbegin(); it != properties.cend(); ++it)
        iap->setProperty(it.key(), it.value());
    return iap;
}

PropertyMap openNetwork()
{
    return {{"name", QStringLiteral("Office")}, {"wlan_ssid", QByteArray("office")},
            {"type", QStringLiteral("WLAN_INFRA")}, {"wlan_security", QStringLiteral("NONE")}};
}

PropertyMap with(PropertyMap map, const PropertyMap& more)
{
    for (auto it = more.cbegin(); it != more.cend(); ++it) {
        if (it.value().isValid())
            map.insert(it.key(), it.value());
        else
            map.remove(it.key());
    }
    return map;
}

PropertyMap wep(int defaultKey, const QStringList& keys)
{
    PropertyMap map = with(openNetwork(), {{"wlan_security", QStringLiteral("WEP")}});
    if (defaultKey >= 0)
        map.insert("wlan_wepdefkey", defaultKey);
    for (int i = 0; i < keys.size(); ++i)
        map.insert(QStringLiteral("wlan_wepkey%1").arg(i + 1), keys.at(i));
    return map;
}

} // namespace

class tst_WlanInternetAccessPointEditorPlugin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void construction_data();
    void construction();
    void validation_data();
    void validation();
    void mandatoryValues_data();
    void mandatoryValues();
    void advancedPages_data();
    void advancedPages();
    void saveChanges_data();
    void saveChanges();
    void leavingAdvancedPagesRestores_data();
    void leavingAdvancedPagesRestores();
};

void tst_WlanInternetAccessPointEditorPlugin::construction_data()
{
    QTest::addColumn<QString>("networkType");
    QTest::addColumn<PropertyMap>("stored");
    QTest::addColumn<PropertyMap>("loaded");
    QTest::addColumn<bool>("mandatory");

    const PropertyMap defaults{{"name", QString()},
                               {"wlan_ssid", QByteArray("")},
                               {"type", QStringLiteral("WLAN_INFRA")},
                               {"autoconnect", false},
                               {"wlan_security", QStringLiteral("NONE")},
                               {"wlan_wepdefkey", 1}};
    // Whatever a new access point carries is not read.
    QTest::newRow("new") << "WLAN_NEW"
                         << with(openNetwork(), {{"type", QVariant()}, {"wlan_security", QStringLiteral("WEP")}})
                         << defaults << false;
    QTest::newRow("saved, no autoconnect stored")
        << "WLAN_INFRA" << with(openNetwork(), {{"unrelated", 7}, {"EAP_manual_username", QStringLiteral("me")}})
        << with(openNetwork(), {{"autoconnect", false}, {"EAP_manual_username", QStringLiteral("me")}}) << true;
    QTest::newRow("saved, autoconnect on")
        << "WLAN_INFRA" << with(openNetwork(), {{"autoconnect", true}, {"wlan_adhoc_channel", 6}})
        << with(openNetwork(), {{"autoconnect", true}, {"wlan_adhoc_channel", 6}}) << true;
}

void tst_WlanInternetAccessPointEditorPlugin::construction()
{
    QFETCH(QString, networkType);
    QFETCH(PropertyMap, stored);
    QFETCH(PropertyMap, loaded);
    QFETCH(bool, mandatory);

    QScopedPointer<InternetAccessPoint> iap(accessPoint(networkType, stored));
    WlanInternetAccessPointEditorPlugin editor(iap.data());
    QCOMPARE(editor.propertyManager()->parent(), &editor);
    const PropertyMap properties = editor.propertyManager()->properties();
    QCOMPARE(properties, loaded);
    for (auto it = loaded.cbegin(); it != loaded.cend(); ++it)
        QCOMPARE(properties.value(it.key()).userType(), it.value().userType());
    QCOMPARE(editor.mandatoryValuesProvided(), mandatory);
}

void tst_WlanInternetAccessPointEditorPlugin::validation_data()
{
    QTest::addColumn<QString>("networkType");
    QTest::addColumn<PropertyMap>("stored");
    QTest::addColumn<QString>("check"); // "main", "main without WEP keys", "advanced"
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("key");

    const QString length = QStringLiteral("qtn_conn_error_invalid_wep_length");
    const QString chars = QStringLiteral("qtn_conn_error_invalid_chars_wep");
    const QString psk = QStringLiteral("qtn_conn_error_at_least_8_chars");
    const QString tooShort = QStringLiteral("1234567");
    QTest::newRow("blank name") << "WLAN_INFRA" << with(openNetwork(), {{"name", QStringLiteral(" \t ")}}) << "main"
                                << "qtn_conn_error_ic_empty_name" << "name";
    QTest::newRow("name before WEP keys")
        << "WLAN_INFRA" << with(wep(1, {"bad"}), {{"name", QString()}}) << "main" << "qtn_conn_error_ic_empty_name"
        << "name";
    QTest::newRow("empty ssid") << "WLAN_NEW" << PropertyMap() << "main" << "qtn_conn_error_enter_ssid"
                                << "wlan_ssid";
    QTest::newRow("wep 5") << "WLAN_INFRA" << wep(1, {"abcde"}) << "main" << "" << "";
    QTest::newRow("wep 10 hex") << "WLAN_INFRA" << wep(1, {"0123456789"}) << "main" << "" << "";
    QTest::newRow("wep 11") << "WLAN_INFRA" << wep(1, {"0123456789a"}) << "main" << length << "wlan_wepkey1";
    QTest::newRow("wep 10 with g") << "WLAN_INFRA" << wep(1, {"012345678g"}) << "main" << chars << "wlan_wepkey1";
    QTest::newRow("empty default key") << "WLAN_INFRA" << wep(2, {"abcde", ""}) << "main" << length
                                       << "wlan_wepkey2";
    QTest::newRow("default key 0 is key 1") << "WLAN_INFRA" << wep(0, {"", "abcde"}) << "main" << length
                                            << "wlan_wepkey1";
    QTest::newRow("empty other keys") << "WLAN_INFRA" << wep(-1, {"abcde", "", "", ""}) << "main" << "" << "";
    QTest::newRow("first failing key") << "WLAN_INFRA" << wep(1, {"abcde", "abc", "012345678g"}) << "main"
                                       << length << "wlan_wepkey2";
    QTest::newRow("main page without keys") << "WLAN_INFRA" << wep(1, {"abc"}) << "main without WEP keys" << ""
                                            << "";
    QTest::newRow("default 3 checked on main")
        << "WLAN_INFRA" << wep(3, {"abcde", "", "abc"}) << "main" << length << "wlan_wepkey3";
    QTest::newRow("default 3 skipped on advanced")
        << "WLAN_INFRA" << wep(3, {"abcde", "", "abc"}) << "advanced" << "" << "";
    QTest::newRow("advanced checks the others")
        << "WLAN_INFRA" << wep(3, {"abcde", "0123456789a", "abcde"}) << "advanced" << length << "wlan_wepkey2";
    const PropertyMap wpaPsk = with(openNetwork(), {{"wlan_security", QStringLiteral("WPA_PSK")}});
    QTest::newRow("psk 7") << "WLAN_INFRA" << with(wpaPsk, {{"EAP_wpa_preshared_passphrase", tooShort}}) << "main"
                           << psk << "EAP_wpa_preshared_passphrase";
    QTest::newRow("psk 8") << "WLAN_INFRA" << with(wpaPsk, {{"EAP_wpa_preshared_passphrase", "12345678"}})
                           << "main" << "" << "";
    QTest::newRow("psk 7 with key 8")
        << "WLAN_INFRA"
        << with(wpaPsk, {{"EAP_wpa_preshared_passphrase", tooShort}, {"EAP_wpa_preshared_key", "abcdefgh"}})
        << "main" << "" << "";
}

void tst_WlanInternetAccessPointEditorPlugin::validation()
{
    QFETCH(QString, networkType);
    QFETCH(PropertyMap, stored);
    QFETCH(QString, check);
    QFETCH(QString, message);
    QFETCH(QString, key);

    QScopedPointer<InternetAccessPoint> iap(accessPoint(networkType, stored));
    WlanInternetAccessPointEditorPlugin editor(iap.data());
    if (networkType == QLatin1String("WLAN_NEW"))
        editor.propertyManager()->setPropertyValue("name", QStringLiteral("Typed"));
    BannerObserver banners;
    WindowFixture fixture;
    // Every page is built, so that each key has its field to focus.
    QList<QGraphicsWidget*> pages{editor.editorWidget(nullptr)};
    pages << editor.advancedSettingsEditorWidgets(nullptr);
    fixture.showOnPage(pages);

    const auto run = [&](bool silent) {
        if (check == QLatin1String("advanced"))
            return editor.validateAdvancedSettings(silent);
        return editor.validate(silent, check == QLatin1String("main"));
    };

    QCOMPARE(run(true), message.isEmpty() ? 0 : 2);
    QCOMPARE(banners.size(), 0);

    auto field = qobject_cast<Touch::TextEdit*>(editor.propertyManager()->widgetForProperty(key));
    QScopedPointer<QSignalSpy> focused;
    if (!key.isEmpty()) {
        QVERIFY2(field, "the page has a text field for the key");
        QVERIFY(!field->hasFocus());
        focused.reset(new QSignalSpy(field, &Touch::TextEdit::gainedFocus));
    }
    const PropertyMap before = editor.propertyManager()->properties();
    QCOMPARE(run(false), message.isEmpty() ? 0 : 1);
    QCOMPARE(banners.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(editor.propertyManager()->properties(), before);
    if (field) {
        QVERIFY(field->hasFocus());
        QCOMPARE(focused->count(), 1);
        QCOMPARE(focused->first().first().value<Qt::FocusReason>(), Qt::OtherFocusReason);
    }
}

void tst_WlanInternetAccessPointEditorPlugin::mandatoryValues_data()
{
    QTest::addColumn<PropertyMap>("stored");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("reported");
    QTest::addColumn<bool>("provided");
    QTest::newRow("name emptied") << openNetwork() << "name" << QVariant(QString()) << true << false;
    QTest::newRow("name kept, still told") << openNetwork() << "name" << QVariant("Home") << true << true;
    QTest::newRow("other key ignored") << with(openNetwork(), {{"name", QString()}}) << "wlan_hidden"
                                       << QVariant(true) << false << false;
    QTest::newRow("case matters") << openNetwork() << "Name" << QVariant(QString()) << false << true;
    QTest::newRow("wep default key filled") << wep(2, {"", ""}) << "wlan_wepkey2" << QVariant("abcde") << true
                                            << true;
    QTest::newRow("wep other key ignored") << wep(2, {"abcde", ""}) << "wlan_wepkey1" << QVariant("")
                                           << false << false;
    QTest::newRow("wep default key moved") << wep(1, {"abcde", ""}) << "wlan_wepdefkey" << QVariant(2) << true
                                           << false;
    QTest::newRow("wep without default is key 1") << wep(-1, {""}) << "wlan_wepkey1" << QVariant("abcde") << true
                                                  << true;
    QTest::newRow("security to psk") << openNetwork() << "wlan_security" << QVariant("WPA_PSK") << true << false;
    QTest::newRow("psk passphrase") << with(openNetwork(), {{"wlan_security", QStringLiteral("WPA_PSK")}})
                                    << "EAP_wpa_preshared_passphrase" << QVariant("longenough") << true << true;
    // A 64-digit key is kept as 32 raw bytes instead of a passphrase.
    const QByteArray rawKey(32, '\x5a');
    QTest::newRow("psk raw key typed") << with(openNetwork(), {{"wlan_security", QStringLiteral("WPA_PSK")}})
                                       << "EAP_wpa_preshared_key" << QVariant(rawKey) << true << true;
    QTest::newRow("psk raw key saved")
        << with(openNetwork(), {{"wlan_security", QStringLiteral("WPA_PSK")}, {"EAP_wpa_preshared_key", rawKey}})
        << "name" << QVariant("Home") << true << true;
    QTest::newRow("psk raw key ignored for WEP") << wep(1, {""}) << "EAP_wpa_preshared_key" << QVariant(rawKey)
                                                 << false << false;
}

void tst_WlanInternetAccessPointEditorPlugin::mandatoryValues()
{
    QFETCH(PropertyMap, stored);
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(bool, reported);
    QFETCH(bool, provided);

    QScopedPointer<InternetAccessPoint> iap(accessPoint("WLAN_INFRA", stored));
    WlanInternetAccessPointEditorPlugin editor(iap.data());
    const bool before = editor.mandatoryValuesProvided();
    QSignalSpy spy(&editor, &WlanInternetAccessPointEditorPlugin::mandatoryValuesProvidedChanged);
    editor.propertyManager()->setPropertyValueWithNotification(key, value);
    QCOMPARE(spy.count(), reported ? 1 : 0);
    QCOMPARE(editor.mandatoryValuesProvided(), reported ? provided : before);
    if (reported)
        QCOMPARE(spy.first().first().toBool(), provided);
}

void tst_WlanInternetAccessPointEditorPlugin::advancedPages_data()
{
    QTest::addColumn<PropertyMap>("stored");
    QTest::addColumn<QString>("chosenOnMainPage"); // empty: no main page built
    QTest::addColumn<QStringList>("pages");

    const QString other = QStringLiteral("Velin::OtherAdvancedSettingsWidget");
    QTest::newRow("open") << openNetwork() << "" << QStringList{other};
    QTest::newRow("wep") << wep(1, {"abcde"}) << "" << QStringList{"Velin::WepKeysEditWidget", other};
    QTest::newRow("eap") << with(openNetwork(), {{"wlan_security", QStringLiteral("WPA_EAP")}}) << ""
                         << QStringList{"Velin::EapEditWidget", other};
    QTest::newRow("psk") << with(openNetwork(), {{"wlan_security", QStringLiteral("WPA_PSK")}}) << ""
                         << QStringList{other};
    // The main page's choice counts, not what is stored yet.
    QTest::newRow("wep chosen on the main page") << openNetwork() << "WEP"
                                                 << QStringList{"Velin::WepKeysEditWidget", other};
}

void tst_WlanInternetAccessPointEditorPlugin::advancedPages()
{
    QFETCH(PropertyMap, stored);
    QFETCH(QString, chosenOnMainPage);
    QFETCH(QStringList, pages);

    QScopedPointer<InternetAccessPoint> iap(accessPoint("WLAN_INFRA", stored));
    WlanInternetAccessPointEditorPlugin editor(iap.data());
    QScopedPointer<QGraphicsWidget> parent(new QGraphicsWidget);
    if (!chosenOnMainPage.isEmpty()) {
        editor.editorWidget(parent.data());
        editor.propertyManager()->setPropertyValueWithNotification("wlan_security", chosenOnMainPage);
    }
    const QList<QGraphicsWidget*> widgets = editor.advancedSettingsEditorWidgets(parent.data());
    QStringList classes;
    for (QGraphicsWidget* widget : widgets) {
        classes << QString::fromLatin1(widget->metaObject()->className());
        QCOMPARE(widget->parentItem(), parent.data());
    }
    QCOMPARE(classes, pages);
}

void tst_WlanInternetAccessPointEditorPlugin::saveChanges_data()
{
    QTest::addColumn<PropertyMap>("stored");
    QTest::addColumn<PropertyMap>("edited");
    QTest::addColumn<PropertyMap>("saved");
    QTest::addColumn<int>("disconnects");
    QTest::newRow("name only") << openNetwork() << PropertyMap{{"name", QStringLiteral("Renamed")}}
                               << PropertyMap{{"name", QStringLiteral("Renamed")}, {"type", "WLAN_INFRA"}} << 0;
    QTest::newRow("to ad hoc") << openNetwork() << PropertyMap{{"type", QStringLiteral("WLAN_ADHOC")}}
                               << PropertyMap{{"type", QStringLiteral("WLAN_ADHOC")}} << 1;
    // A prompt for the password at every connection cannot connect by itself.
    QTest::newRow("eap prompt turns autoconnect off")
        << with(openNetwork(), {{"wlan_security", QStringLiteral("WPA_EAP")}, {"autoconnect", true},
                                {"PEAP_tunneled_eap_type", 26}})
        << PropertyMap{{"EAP_MSCHAPV2_password_prompt", true}} << PropertyMap{{"autoconnect", false}} << 0;
}

void tst_WlanInternetAccessPointEditorPlugin::saveChanges()
{
    QFETCH(PropertyMap, stored);
    QFETCH(PropertyMap, edited);
    QFETCH(PropertyMap, saved);
    QFETCH(int, disconnects);

    FakeDBusService daemon(FakeDBusService::SystemBus, QStringLiteral("com.qorva.nexd2"));
    QVERIFY(daemon.isRegistered());
    QScopedPointer<InternetAccessPoint> iap(accessPoint("WLAN_INFRA", stored));
    WlanInternetAccessPointEditorPlugin editor(iap.data());
    for (auto it = edited.cbegin(); it != edited.cend(); ++it)
        editor.propertyManager()->setPropertyValueWithNotification(it.key(), it.value());

    editor.saveChanges();
    for (auto it = saved.cbegin(); it != saved.cend(); ++it)
        QCOMPARE(iap->property(it.key()), it.value());
    // Calls arrive in the order sent: one more of our own marks the end.
    iap->disconnect();
    QTRY_COMPARE(daemon.callCount(QStringLiteral("disconnect_req")), disconnects + 1);
    QTest::qWait(50);
    QCOMPARE(daemon.callCount(QStringLiteral("disconnect_req")), disconnects + 1);
}

void tst_WlanInternetAccessPointEditorPlugin::leavingAdvancedPagesRestores_data()
{
    QTest::addColumn<PropertyMap>("stored");
    QTest::addColumn<PropertyMap>("edited"); // an invalid value removes the key
    QTest::addColumn<bool>("savedFirst");

    const PropertyMap keys = wep(1, {"abcde", "fghij"});
    QTest::newRow("changed keys") << keys
                                  << PropertyMap{{"wlan_wepkey2", "zzzzz"}, {"wlan_wepdefkey", 2}, {"name", "N"}}
                                  << false;
    QTest::newRow("added keys are removed")
        << keys << PropertyMap{{"wlan_wepkey3", "0123456789"}, {"wlan_hidden", true}} << false;
    QTest::newRow("removed keys come back") << keys << PropertyMap{{"wlan_wepkey2", QVariant()}} << false;
    QTest::newRow("saved: nothing restored")
        << keys << PropertyMap{{"wlan_wepkey3", "0123456789"}, {"wlan_wepkey2", "zzzzz"}} << true;
}

void tst_WlanInternetAccessPointEditorPlugin::leavingAdvancedPagesRestores()
{
    QFETCH(PropertyMap, stored);
    QFETCH(PropertyMap, edited);
    QFETCH(bool, savedFirst);

    QScopedPointer<InternetAccessPoint> iap(accessPoint("WLAN_INFRA", stored));
    WlanInternetAccessPointEditorPlugin editor(iap.data());
    PropertyEditorManager* manager = editor.propertyManager();
    WindowFixture fixture;
    QGraphicsWidget* main = editor.editorWidget(nullptr);
    fixture.showOnPage({main});
    auto name = fixture.find<Touch::TextEdit>(QStringLiteral("ConnectionNameEdit"));
    QVERIFY(name);

    QScopedPointer<QGraphicsWidget> advancedParent(new QGraphicsWidget);
    const QList<QGraphicsWidget*> advanced = editor.advancedSettingsEditorWidgets(advancedParent.data());
    QVERIFY(!advanced.isEmpty());
    const PropertyMap built = manager->properties();
    for (auto it = edited.cbegin(); it != edited.cend(); ++it)
        manager->setPropertyValueWithNotification(it.key(), it.value());
    const PropertyMap changed = manager->properties();
    QVERIFY(changed != built);
    if (savedFirst)
        editor.saveChanges();

    QSignalSpy notified(manager, &PropertyEditorManager::propertyChanged);
    advancedParent.reset();
    const PropertyMap expected = savedFirst ? changed : built;
    QCOMPARE(manager->properties(), expected);
    QCOMPARE(name->text(), expected.value("name").toString());
    if (!savedFirst) {
        // Every key put back or taken away was announced to the pages.
        QStringList keys;
        for (const QList<QVariant>& call : qAsConst(notified))
            keys << call.first().toString();
        for (auto it = edited.cbegin(); it != edited.cend(); ++it)
            QVERIFY2(keys.contains(it.key()), qPrintable(it.key()));
    } else {
        QCOMPARE(notified.count(), 0);
    }
}

VELIN_TEST_MAIN_WITH_BUS(tst_WlanInternetAccessPointEditorPlugin)
#include "tst_wlaninternetaccesspointeditorplugin.moc"
