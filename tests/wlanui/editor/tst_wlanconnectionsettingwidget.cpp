// The main editor page on a real window: which rows a new, saved or ad hoc
// access point gets, the rows that come and go with the properties, the
// connection name copied into the network name, and the corrected map.
#include "dconffixture.h"
#include "privatebus.h"
#include "windowfixture.h"

#include "wlanui/editor/wlanconnectionsettingwidget.h"
#include "wlanui/editor/wlansecuritywidget.h"

#include "base/drilldownitem.h"
#include "base/propertyeditormanager.h"
#include "net/internetaccesspoint.h"
#include "touch/button.h"
#include "touch/combobox.h"
#include "touch/label.h"
#include "touch/textedit.h"

#include <QGraphicsScene>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QtTest>

using Velin::InternetAccessPoint;
using Velin::PropertyEditorManager;
using Velin::WlanConnectionSettingWidget;

typedef QMap<QString, QVariant> PropertyMap;
Q_DECLARE_METATYPE(PropertyMap)

namespace {

PropertyMap openNetwork()
{
    return {{"name", QStringLiteral("Office")}, {"wlan_ssid", QByteArray("office")},
            {"type", QStringLiteral("WLAN_INFRA")}, {"wlan_security", QStringLiteral("NONE")},
            {"autoconnect", true}, {"wlan_hidden", true}};
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

bool onScreen(const QGraphicsItem* item)
{
    return item->scene() && item->isVisible();
}

template <typename T>
T* findItem(QGraphicsScene* scene)
{
    for (QGraphicsItem* item : scene->items()) {
        if (auto object = qobject_cast<T*>(item->toGraphicsObject()))
            return object;
    }
    return nullptr;
}

// One page as the editor plug-in builds it, shown on a window.
struct Page
{
    Page(const QString& networkType, const PropertyMap& properties)
        : iap({QStringLiteral("WLAN"), 0u, QStringLiteral("wlan0"), networkType, 0u, QByteArray("net")})
        , manager(properties)
    {
        // Left by another page: a choice here must still be a combo box.
        manager.setButtonGroupLimit(5);
        widget = new WlanConnectionSettingWidget(&iap, &manager);
        fixture.showOnPage({widget});
    }

    InternetAccessPoint iap;
    PropertyEditorManager manager;
    WindowFixture fixture;
    WlanConnectionSettingWidget* widget = nullptr;
};

} // namespace

class tst_WlanConnectionSettingWidget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pageRows_data();
    void pageRows();
    void rowVisibility_data();
    void rowVisibility();
    void nameCopying_data();
    void nameCopying();
    void propertiesCorrections_data();
    void propertiesCorrections();
    void tlsHasNoInnerMethod();
};

void tst_WlanConnectionSettingWidget::pageRows_data()
{
    QTest::addColumn<QString>("networkType");
    QTest::addColumn<bool>("networkName");
    QTest::addColumn<bool>("forget");
    QTest::addColumn<bool>("adhocSecurity");

    QTest::newRow("new") << "WLAN_NEW" << true << false << false;
    QTest::newRow("saved") << "WLAN_INFRA" << false << true << false;
    QTest::newRow("saved ad hoc") << "WLAN_ADHOC" << false << true << true;
}

void tst_WlanConnectionSettingWidget::pageRows()
{
    QFETCH(QString, networkType);
    QFETCH(bool, networkName);
    QFETCH(bool, forget);
    QFETCH(bool, adhocSecurity);

    Page page(networkType, {{"name", QStringLiteral("Office")}});
    WindowFixture& fixture = page.fixture;

    auto name = fixture.find<Touch::TextEdit>(QStringLiteral("ConnectionNameEdit"));
    QVERIFY(name);
    QCOMPARE(name->text(), QStringLiteral("Office"));
    QCOMPARE(name->styleName(), QStringLiteral("CommonSingleInputFieldLabeled"));
    QVERIFY(!name->inputMethodPredictionEnabled());
    QVERIFY(!name->inputMethodCorrectionEnabled());
    QCOMPARE(page.manager.widgetForProperty("name"), name);

    auto ssid = fixture.find<Touch::TextEdit>(QStringLiteral("NetworkNameEdit"));
    QCOMPARE(bool(ssid), networkName);
    if (ssid)
        QCOMPARE(page.manager.widgetForProperty("wlan_ssid"), ssid);

    auto type = qobject_cast<Touch::ComboBox*>(page.manager.widgetForProperty("type"));
    QVERIFY2(type, "the network mode is a combo box whatever the limit was");
    QCOMPARE(type->title(), QStringLiteral("qtn_conn_network_mode"));
    QCOMPARE(type->count(), 2);

    auto security = findItem<Velin::WlanSecurityWidget>(fixture.scene());
    QVERIFY(security);
    QCOMPARE(security->isAdhocMode(), adhocSecurity);

    QSignalSpy advancedClicked(page.widget, &WlanConnectionSettingWidget::advancedButtonClicked);
    QSignalSpy forgetClicked(page.widget, &WlanConnectionSettingWidget::forgetButtonClicked);
    auto advanced = findItem<Velin::DrillDownItem>(fixture.scene());
    QVERIFY(advanced);
    QCOMPARE(advanced->title(), QStringLiteral("qtn_conn_advanced"));
    QVERIFY(fixture.click(advanced));
    QCOMPARE(advancedClicked.count(), 1);
    QCOMPARE(forgetClicked.count(), 0);

    auto forgetButton = fixture.find<Touch::Button>(QStringLiteral("ForgetButton"));
    QCOMPARE(bool(forgetButton), forget);
    if (forgetButton) {
        QCOMPARE(forgetButton->text(), QStringLiteral("qtn_conn_forget"));
        QVERIFY(fixture.click(forgetButton));
        QCOMPARE(forgetClicked.count(), 1);
        QCOMPARE(advancedClicked.count(), 1);
    }
}

void tst_WlanConnectionSettingWidget::rowVisibility_data()
{
    QTest::addColumn<PropertyMap>("stored");
    QTest::addColumn<QString>("key"); // empty: as opened
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("autoConnect");
    QTest::addColumn<bool>("networkMode");
    QTest::addColumn<QVariant>("hidden");
    QTest::addColumn<QString>("info");

    const QString automatically = QStringLiteral("qtn_conn_info_automatically");
    const QString manually = QStringLiteral("qtn_conn_info_manually");
    const PropertyMap psk = with(openNetwork(), {{"wlan_security", QStringLiteral("WPA_PSK")}});
    const PropertyMap eap = with(openNetwork(), {{"wlan_security", QStringLiteral("WPA_EAP")},
                                                 {"PEAP_tunneled_eap_type", 26}});
    const PropertyMap adhoc = with(openNetwork(), {{"type", QStringLiteral("WLAN_ADHOC")}});

    QTest::newRow("open") << openNetwork() << "" << QVariant() << true << true << QVariant(true) << automatically;
    QTest::newRow("switched off") << openNetwork() << "autoconnect" << QVariant(false) << true << true
                                  << QVariant(true) << manually;
    QTest::newRow("to ad hoc") << openNetwork() << "type" << QVariant("WLAN_ADHOC") << false << true
                               << QVariant(false) << "";
    QTest::newRow("ad hoc to infrastructure") << adhoc << "type" << QVariant("WLAN_INFRA") << true << true
                                              << QVariant(false) << automatically;
    QTest::newRow("to psk") << openNetwork() << "wlan_security" << QVariant("WPA_PSK") << true << false
                            << QVariant(true) << automatically;
    QTest::newRow("psk to wep") << psk << "wlan_security" << QVariant("WEP") << true << true << QVariant(true)
                                << automatically;
    QTest::newRow("ad hoc psk to none") << with(adhoc, {{"wlan_security", QStringLiteral("WPA_PSK")}})
                                        << "wlan_security" << QVariant("NONE") << false << true << QVariant(true)
                                        << "";
    QTest::newRow("eap asks for the password") << eap << "EAP_MSCHAPV2_password_prompt" << QVariant(true) << false
                                               << false << QVariant(true) << "";
    QTest::newRow("eap stops asking") << with(eap, {{"EAP_MSCHAPV2_password_prompt", true}})
                                      << "EAP_MSCHAPV2_password_prompt" << QVariant(false) << true << false
                                      << QVariant(true) << automatically;
}

void tst_WlanConnectionSettingWidget::rowVisibility()
{
    QFETCH(PropertyMap, stored);
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(bool, autoConnect);
    QFETCH(bool, networkMode);
    QFETCH(QVariant, hidden);
    QFETCH(QString, info);

    Page page(QStringLiteral("WLAN_INFRA"), stored);
    if (!key.isEmpty())
        page.manager.setPropertyValueWithNotification(key, value);
    // Rows that came back are placed by the next layout pass.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();

    QCOMPARE(page.widget->isAutoConnectShown(), autoConnect);
    QCOMPARE(page.widget->isNetworkModeShown(), networkMode);
    QGraphicsWidget* autoConnectSwitch = page.manager.widgetForProperty("autoconnect");
    QGraphicsWidget* networkModeCombo = page.manager.widgetForProperty("type");
    QVERIFY(autoConnectSwitch && networkModeCombo);
    QCOMPARE(onScreen(autoConnectSwitch), autoConnect);
    QCOMPARE(onScreen(networkModeCombo), networkMode);
    if (autoConnect) {
        auto label = page.fixture.find<Touch::Label>(QStringLiteral("AutoConnectInfoLabel"));
        QVERIFY(label);
        QCOMPARE(label->text(), info);
    }
    // Top to bottom: name, automatic connection, network mode, security.
    auto name = page.fixture.find<Touch::TextEdit>(QStringLiteral("ConnectionNameEdit"));
    auto security = findItem<Velin::WlanSecurityWidget>(page.fixture.scene());
    QVERIFY(name && security);
    const auto top = [](QGraphicsWidget* widget) { return widget->mapToScene(QPointF()).y(); };
    qreal above = top(name);
    for (QGraphicsWidget* row : {autoConnectSwitch, networkModeCombo, static_cast<QGraphicsWidget*>(security)}) {
        if (!onScreen(row))
            continue;
        QVERIFY(top(row) > above);
        above = top(row);
    }

    QCOMPARE(page.manager.propertyValue("wlan_hidden"), hidden);
    const PropertyMap properties = page.widget->properties();
    QCOMPARE(properties.value("autoconnect"),
             autoConnect ? page.manager.propertyValue("autoconnect") : QVariant(false));
}

void tst_WlanConnectionSettingWidget::nameCopying_data()
{
    QTest::addColumn<QString>("networkName"); // already there when the name is focused
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("committed"); // then committed at once, as an input method does
    QTest::addColumn<QString>("typedAfter");
    QTest::addColumn<QString>("copied");

    const QString long33 = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456");
    QTest::newRow("short ascii") << "" << "Home net" << "" << "" << "Home net";
    QTest::newRow("33rd character") << "" << long33 << "" << "" << long33.left(32);
    QTest::newRow("non-ascii stops") << "" << "Caf" << QString::fromUtf8("\xc3\xa9") << " bar" << "Caf";
    QTest::newRow("network name typed first") << "Mine" << "Home" << "" << "" << "Mine";
}

void tst_WlanConnectionSettingWidget::nameCopying()
{
    QFETCH(QString, networkName);
    QFETCH(QString, typed);
    QFETCH(QString, committed);
    QFETCH(QString, typedAfter);
    QFETCH(QString, copied);

    Page page(QStringLiteral("WLAN_NEW"), {{"name", QString()}, {"wlan_ssid", networkName.toUtf8()}});
    auto name = page.fixture.find<Touch::TextEdit>(QStringLiteral("ConnectionNameEdit"));
    auto ssid = page.fixture.find<Touch::TextEdit>(QStringLiteral("NetworkNameEdit"));
    QVERIFY(name && ssid);
    QCOMPARE(ssid->text(), networkName);

    QVERIFY(page.fixture.typeText(name, typed));
    QCOMPARE(page.widget->isCopyingNameToNetworkName(), networkName.isEmpty());
    if (!committed.isEmpty())
        name->insert(committed);
    if (!typedAfter.isEmpty())
        QVERIFY(page.fixture.typeText(name, typedAfter));
    QCOMPARE(name->text(), typed + committed + typedAfter);
    QCOMPARE(ssid->text(), copied);
    QCOMPARE(page.manager.propertyValue("wlan_ssid").toByteArray(), copied.toUtf8());
}

void tst_WlanConnectionSettingWidget::propertiesCorrections_data()
{
    QTest::addColumn<PropertyMap>("stored");
    QTest::addColumn<QVariant>("defaultKey");

    const PropertyMap wep = with(openNetwork(), {{"wlan_security", QStringLiteral("WEP")}});
    const PropertyMap typed = with(wep, {{"wlan_wepkey1", QStringLiteral("abcde")}});
    QTest::newRow("key 1, no default") << typed << QVariant(1);
    QTest::newRow("key 1, default 0") << with(typed, {{"wlan_wepdefkey", 0}}) << QVariant(1);
    QTest::newRow("key 1, default 3") << with(typed, {{"wlan_wepdefkey", 3}}) << QVariant(3);
    QTest::newRow("empty key 1, default 0")
        << with(wep, {{"wlan_wepkey1", QString()}, {"wlan_wepdefkey", 0}}) << QVariant(0);
    QTest::newRow("no key 1, no default") << wep << QVariant();
}

void tst_WlanConnectionSettingWidget::propertiesCorrections()
{
    QFETCH(PropertyMap, stored);
    QFETCH(QVariant, defaultKey);

    Page page(QStringLiteral("WLAN_INFRA"), stored);
    const PropertyMap before = page.manager.properties();
    const PropertyMap properties = page.widget->properties();
    QCOMPARE(properties.value("wlan_wepdefkey"), defaultKey);
    QCOMPARE(properties.value("wlan_wepdefkey").userType(), defaultKey.userType());
    // Only a copy is corrected.
    QCOMPARE(page.manager.properties(), before);

    PropertyMap rest = properties;
    rest.remove("wlan_wepdefkey");
    PropertyMap expected = before;
    expected.remove("wlan_wepdefkey");
    QCOMPARE(rest, expected);
}

void tst_WlanConnectionSettingWidget::tlsHasNoInnerMethod()
{
    const QString root = QStringLiteral("/system/ravo/connectivity/ui/wpaeap/");
    DconfFixture dconf;
    QVERIFY(dconf.load({{root + "type/1_TLS/value", 13},
                        {root + "type/1_TLS/logical_name", QStringLiteral("txt_tls")},
                        {root + "type/2_PEAP/value", 25},
                        {root + "type/2_PEAP/logical_name", QStringLiteral("txt_peap")}}));
    const PropertyMap eap = with(openNetwork(), {{"wlan_security", QStringLiteral("WPA_EAP")},
                                                 {"EAP_default_type", 25}, {"PEAP_tunneled_eap_type", 26}});
    Page page(QStringLiteral("WLAN_INFRA"), eap);
    QVERIFY(page.widget->isAutoConnectShown());

    page.manager.setPropertyValueWithNotification("EAP_default_type", 25);
    QCOMPARE(page.manager.propertyValue("PEAP_tunneled_eap_type"), QVariant(26));
    page.manager.setPropertyValueWithNotification("EAP_default_type", 13);
    QCOMPARE(page.manager.propertyValue("PEAP_tunneled_eap_type"), QVariant(0));
    // TLS needs the certificate unlocked at every connection.
    QVERIFY(!page.widget->isAutoConnectShown());
}

VELIN_TEST_MAIN_WITH_BUS(tst_WlanConnectionSettingWidget)
#include "tst_wlanconnectionsettingwidget.moc"
