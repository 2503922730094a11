// The security section of the access-point editor: which rows each method,
// EAP type and inner method gets, what a rebuild leaves behind, the ad hoc
// restriction, the WAPI methods and the editors that write through mappers.
#include "dconffixture.h"
#include "windowfixture.h"

#include "wlanui/editor/wlansecuritywidget.h"
#include "wlanui/editor/wlansecuritywidget_p.h"
#include "wlanui/security/wapicertificatemodel.h"
#include "wlanui/security/wapicertificatemodelprivate.h"

#include "base/buttongroupcontainer.h"
#include "base/certificatemodel.h"
#include "base/propertyeditormanager.h"
#include "base/simplecheckboxlabel.h"
#include "base/simpleframe.h"
#include "touch/button.h"
#include "touch/combobox.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"
#include "touch/scenewindow.h"
#include "touch/separator.h"
#include "touch/textedit.h"

#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

#include "devcerts/certificatefactory.h"

using Velin::PropertyEditorManager;
using Velin::WlanSecurityWidget;
using Velin::WlanSecurityWidgetPrivate;
using Map = QMap<QString, QVariant>;

namespace {

const QString Root = QStringLiteral("/system/ravo/connectivity/ui/wpaeap/");
const QString WapiEnabled = QStringLiteral("/system/ravo/connectivity/network_type/WLAN_INFRA/wapi_enabled");

// TLS 13; PEAP 25 with EAP-MSCHAPv2 26 and EAP-GTC 6; TTLS 21 with EAP-MSCHAPv2 and MSCHAPv2 282.
Map catalogue()
{
    Map store;
    const auto type = [&](const char* dir, int value, const char* name, const QStringList& methods) {
        store.insert(Root + "type/" + dir + "/value", value);
        store.insert(Root + "type/" + dir + "/logical_name", QString::fromLatin1(name));
        if (!methods.isEmpty())
            store.insert(Root + "type/" + dir + "/methods", methods);
    };
    type("1_TLS", 13, "txt_tls", {});
    type("2_PEAP", 25, "txt_peap", {"EAP_MSCHAPV2", "EAP_GTC"});
    type("3_TTLS", 21, "txt_ttls", {"EAP_MSCHAPV2", "MSCHAPV2"});
    for (const auto& method : QList<QPair<QString, int>>{{"EAP_GTC", 6}, {"EAP_MSCHAPV2", 26}, {"MSCHAPV2", 282}}) {
        store.insert(Root + "method/" + method.first + "/value", method.second);
        store.insert(Root + "method/" + method.first + "/logical_name", "txt_" + method.first.toLower());
    }
    return store;
}

// Every key an editor of the section may be bound to.
const QStringList BoundKeys = {
    "wlan_security", "wlan_wepkey1", "wlan_wepkey2", "wlan_wepkey3", "wlan_wepkey4",
    "EAP_wpa_preshared_passphrase", "EAP_wpa_preshared_key", "EAP_default_type", "PEAP_tunneled_eap_type",
    "EAP_TLS_PEAP_client_certificate_file", "EAP_GTC_identity", "EAP_GTC_passcode", "EAP_MSCHAPV2_username",
    "EAP_MSCHAPV2_password", "EAP_MSCHAPV2_password_prompt", "wapi_key_type",
    "WAPI_EC_CS_selected_ca_subject_common_name", "WAPI_EC_CS_selected_client_subject_common_name"};

Map withWapi()
{
    Map store = catalogue();
    store.insert(WapiEnabled, true);
    return store;
}

// Rows are graphics children, not QObject children.
template <typename T>
QList<T*> itemsBelow(QGraphicsItem* root, const QString& name = QString())
{
    QList<T*> found;
    const QList<QGraphicsItem*> children = root->childItems();
    for (QGraphicsItem* child : children) {
        auto object = qobject_cast<T*>(child->toGraphicsObject());
        if (object && (name.isEmpty() || object->objectName() == name))
            found << object;
        found << itemsBelow<T>(child, name);
    }
    return found;
}

WlanSecurityWidgetPrivate* companion(WlanSecurityWidget* widget)
{
    return widget->findChild<WlanSecurityWidgetPrivate*>();
}

QString boundKey(const PropertyEditorManager& manager, const QGraphicsWidget* editor)
{
    for (const QString& key : BoundKeys) {
        if (manager.widgetForProperty(key) == editor)
            return key;
    }
    return QStringLiteral("-");
}

// The active policy top to bottom: combos as "title@index", frames as
// "title:object[key]=text", switches as "switch:object[key]".
QStringList describe(WlanSecurityWidget* widget, const PropertyEditorManager& manager)
{
    WlanSecurityWidgetPrivate* d = companion(widget);
    Touch::LinearLayoutPolicy* policy = d->layout->policy();
    QStringList rows{policy == d->simplePolicy ? "simple" : "detail"};
    for (int i = 0; i < policy->count(); ++i) {
        QGraphicsItem* item = policy->itemAt(i)->graphicsItem();
        QObject* object = item ? item->toGraphicsObject() : nullptr;
        if (auto combo = qobject_cast<Touch::ComboBox*>(object)) {
            rows << QStringLiteral("%1@%2").arg(combo->objectName().isEmpty() ? combo->title() : combo->objectName())
                        .arg(combo->currentIndex());
        } else if (auto frame = qobject_cast<Velin::SimpleFrame*>(object)) {
            auto edit = qobject_cast<Touch::TextEdit*>(frame->content());
            rows << QStringLiteral("%1:%2[%3]=%4").arg(frame->title(), edit ? edit->objectName() : "?",
                                                    boundKey(manager, edit), edit ? edit->text() : "?");
        } else if (auto label = qobject_cast<Velin::SimpleCheckBoxLabel*>(object)) {
            rows << QStringLiteral("switch:%1[%2]").arg(label->button()->objectName(),
                                                       boundKey(manager, label->button()));
        } else if (qobject_cast<Touch::Separator*>(object)) {
            rows << "divider";
        } else if (auto plain = qobject_cast<Touch::Widget*>(object); plain && plain->styleName() == "CommonLargeSpacer") {
            rows << "spacer";
        } else {
            rows << (object ? object->metaObject()->className() : "?");
        }
    }
    return rows;
}

// Every editor the manager would still write through belongs to a current row.
void verifyOnlyCurrentRowsBound(WlanSecurityWidget* widget, const PropertyEditorManager& manager)
{
    WlanSecurityWidgetPrivate* d = companion(widget);
    for (const QString& key : BoundKeys) {
        QGraphicsItem* editor = manager.widgetForProperty(key);
        if (!editor || editor == d->securityComboBox.data())
            continue;
        QGraphicsItem* row = editor;
        while (row && row->parentItem() != widget)
            row = row->parentItem();
        QVERIFY2(row && d->rowWidgets.contains(static_cast<Touch::Widget*>(row->toGraphicsObject())),
                 qPrintable("stale editor bound to " + key));
    }
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

const QStringList TtlsRows = {"detail", "SecurityCombo@3", "qtn_conn_wpa_eap_type@2",
                              "qtn_conn_select_certificate@0", "qtn_conn_eap_method@0", "divider", "spacer",
                              "qtn_conn_username:UserNameEdit[EAP_MSCHAPV2_username]=carol", "spacer",
                              "switch:PromptPasswordSwitch[EAP_MSCHAPV2_password_prompt]",
                              "qtn_conn_password:PasswordEdit[EAP_MSCHAPV2_password]=pw", "spacer"};

} // namespace

class TestWlanSecurityWidget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void rowsPerMethod_data();
    void rowsPerMethod();
    void rebuilds_data();
    void rebuilds();
    void choiceEditorsStayComboBoxes_data();
    void choiceEditorsStayComboBoxes();
    void wapiMethodsNeedTheSetting_data();
    void wapiMethodsNeedTheSetting();
    void adhocRestriction_data();
    void adhocRestriction();
    void replacedKeyEditLeavesNoBinding_data();
    void replacedKeyEditLeavesNoBinding();
    void restoredKeyIsShown_data();
    void restoredKeyIsShown();
    void promptSwitchMovesPassword_data();
    void promptSwitchMovesPassword();
    void anotherRootResetsClient();

private:
    DconfFixture m_store;
    QTemporaryDir m_eapCertificates;
    QTemporaryDir m_wapiCertificates;
};

void TestWlanSecurityWidget::initTestCase()
{
    QVERIFY(m_store.load(catalogue()));
    Velin::CertificateModel::setDefaultDirectory(m_eapCertificates.path());
    CertificateSubject subject;
    subject.commonName = QStringLiteral("Root A");
    const TestCertificate rootA = CertificateFactory::createRoot(subject, 1);
    subject.commonName = QStringLiteral("Root B");
    const TestCertificate rootB = CertificateFactory::createRoot(subject, 2);
    subject.commonName = QStringLiteral("User A");
    const TestCertificate userA = CertificateFactory::createIssued(subject, rootA, 3);
    const QDir dir(m_wapiCertificates.path());
    QVERIFY(CertificateFactory::writePem(dir.filePath("roots.pem"), QList<TestCertificate>{rootA, rootB}));
    QVERIFY(CertificateFactory::writePem(dir.filePath("user.pem"), userA));
    Velin::WapiCertificateModelPrivate::setDefaultDirectory(m_wapiCertificates.path());
}

void TestWlanSecurityWidget::cleanupTestCase()
{
    Velin::WapiCertificateModelPrivate::setDefaultDirectory(QString());
    Velin::CertificateModel::setDefaultDirectory(QString());
}

void TestWlanSecurityWidget::rowsPerMethod_data()
{
    QTest::addColumn<Map>("properties");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<Map>("stored");  // defaults the rows write

    const QString psk = "qtn_conn_wpa_pre_shared:WpaPskEdit";
    QTest::newRow("missing security") << Map{} << QStringList{"detail", "SecurityCombo@0"} << Map{};
    QTest::newRow("WEP, key 3") << Map{{"wlan_security", "WEP"}, {"wlan_wepdefkey", 3}, {"wlan_wepkey3", "abcde"}}
                                << QStringList{"simple", "SecurityCombo@1",
                                               "qtn_conn_wep_key:WepEdit[wlan_wepkey3]=abcde", "spacer"}
                                << Map{};
    QTest::newRow("WEP, key 7 edits key 1")
        << Map{{"wlan_security", "WEP"}, {"wlan_wepdefkey", 7}, {"wlan_wepkey1", "11111"}}
        << QStringList{"simple", "SecurityCombo@1", "qtn_conn_wep_key:WepEdit[wlan_wepkey1]=11111", "spacer"} << Map{};
    const QByteArray raw = QByteArray::fromHex("00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff");
    QTest::newRow("WPA-PSK raw key as hex")
        << Map{{"wlan_security", "WPA_PSK"}, {"EAP_wpa_preshared_key", raw}}
        << QStringList{"simple", "SecurityCombo@2", psk + "[EAP_wpa_preshared_key]=" + raw.toHex(), "spacer"}
        << Map{};
    QTest::newRow("WPA-PSK passphrase wins")
        << Map{{"wlan_security", "WPA_PSK"}, {"EAP_wpa_preshared_key", raw}, {"EAP_wpa_preshared_passphrase", "word"}}
        << QStringList{"simple", "SecurityCombo@2", psk + "[EAP_wpa_preshared_passphrase]=word", "spacer"} << Map{};
    QTest::newRow("WPA-EAP without type: TLS")
        << Map{{"wlan_security", "WPA_EAP"}}
        << QStringList{"detail", "SecurityCombo@3", "qtn_conn_wpa_eap_type@0", "qtn_conn_select_certificate@0"}
        << Map{{"EAP_default_type", 13}, {"EAP_TLS_PEAP_client_certificate_file", ""}};
    QTest::newRow("PEAP without method: EAP-MSCHAPv2, password stored")
        << Map{{"wlan_security", "WPA_EAP"}, {"EAP_default_type", 25}, {"EAP_MSCHAPV2_username", "ann"},
               {"EAP_MSCHAPV2_password_prompt", false}}
        << QStringList{"detail", "SecurityCombo@3", "qtn_conn_wpa_eap_type@1", "qtn_conn_select_certificate@0",
                       "qtn_conn_eap_method@0", "divider", "spacer",
                       "qtn_conn_username:UserNameEdit[EAP_MSCHAPV2_username]=ann", "spacer",
                       "switch:PromptPasswordSwitch[EAP_MSCHAPV2_password_prompt]",
                       "qtn_conn_password:PasswordEdit[EAP_MSCHAPV2_password]=", "spacer"}
        << Map{{"PEAP_tunneled_eap_type", 26}};
    QTest::newRow("PEAP EAP-GTC, password prompted")
        << Map{{"wlan_security", "WPA_EAP"}, {"EAP_default_type", 25}, {"PEAP_tunneled_eap_type", 6},
               {"EAP_GTC_identity", "bob"}, {"EAP_MSCHAPV2_password_prompt", true}}
        << QStringList{"detail", "SecurityCombo@3", "qtn_conn_wpa_eap_type@1", "qtn_conn_select_certificate@0",
                       "qtn_conn_eap_method@1", "divider", "spacer",
                       "qtn_conn_username:UserNameEdit[EAP_GTC_identity]=bob", "spacer",
                       "switch:PromptPasswordSwitch[EAP_MSCHAPV2_password_prompt]", "spacer"}
        << Map{};
    QTest::newRow("TTLS plain MSCHAPv2") << Map{{"wlan_security", "WPA_EAP"}, {"EAP_default_type", 21},
                                               {"PEAP_tunneled_eap_type", 26}, {"EAP_MSCHAPV2_username", "carol"},
                                               {"EAP_MSCHAPV2_password", "pw"}}
                                         << TtlsRows << Map{};
    QTest::newRow("WAPI key without type: ASCII")
        << Map{{"wlan_security", "WAI_PSK"}, {"EAP_wpa_preshared_key", QByteArray("ascii-key")}}
        << QStringList{"detail", "SecurityCombo@4", "qtn_conn_wapi_psk_type@0",
                       "qtn_conn_wapi_psk:WapiPskEdit[EAP_wpa_preshared_key]=ascii-key"}
        << Map{{"wapi_key_type", 0}};
    QTest::newRow("WAPI hexadecimal key")
        << Map{{"wlan_security", "WAI_PSK"}, {"wapi_key_type", 1}, {"EAP_wpa_preshared_key", QByteArray("\x0a\xff")}}
        << QStringList{"detail", "SecurityCombo@4", "qtn_conn_wapi_psk_type@1",
                       "qtn_conn_wapi_psk:WapiPskEdit[EAP_wpa_preshared_key]=0aff"}
        << Map{};
    QTest::newRow("WAPI certificates")
        << Map{{"wlan_security", "WAI_certificate"}}
        << QStringList{"detail", "SecurityCombo@5", "qtn_conn_select_root_cert@0", "qtn_conn_select_client_cert@0"}
        << Map{};
}

void TestWlanSecurityWidget::rowsPerMethod()
{
    QFETCH(Map, properties);
    QFETCH(QStringList, rows);
    QFETCH(Map, stored);
    QVERIFY(m_store.load(withWapi()));

    WindowFixture fx;
    PropertyEditorManager manager(properties);
    QPointer<WlanSecurityWidget> widget = new WlanSecurityWidget(&manager, nullptr);
    QCOMPARE(describe(widget, manager), rows);
    for (auto it = stored.cbegin(); it != stored.cend(); ++it)
        QCOMPARE(manager.propertyValue(it.key()), it.value());

    // Laid out on a page: every row shown, with a height, below the one before.
    fx.showOnPage({widget.data()});
    QTRY_VERIFY(widget->geometry().height() > 0);
    QCoreApplication::processEvents();
    Touch::LinearLayoutPolicy* policy = companion(widget)->layout->policy();
    qreal bottom = 0;
    for (int i = 0; i < policy->count(); ++i) {
        auto item = static_cast<QGraphicsWidget*>(policy->itemAt(i)->graphicsItem());
        QVERIFY2(item->isVisible() && item->geometry().height() > 0, qPrintable(rows.value(i + 1)));
        QVERIFY2(item->geometry().top() >= bottom - 0.5, qPrintable(rows.value(i + 1)));
        bottom = item->geometry().bottom();
    }
    QVERIFY(widget->geometry().height() >= bottom - 0.5);
    QVERIFY(!fx.savePng("securitywidget-" + QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_')).isEmpty());
}

void TestWlanSecurityWidget::rebuilds_data()
{
    QTest::addColumn<Map>("properties");
    QTest::addColumn<QList<Map>>("steps");  // each step's keys stored with notification, in key order
    QTest::addColumn<QStringList>("rows");

    const Map peapMschap{{"wlan_security", "WPA_EAP"}, {"EAP_default_type", 25}, {"PEAP_tunneled_eap_type", 26}};
    QTest::newRow("WPA-PSK to WEP")
        << Map{{"wlan_security", "WPA_PSK"}, {"EAP_wpa_preshared_passphrase", "12345678"}, {"wlan_wepkey1", "abcde"}}
        << QList<Map>{{{"wlan_security", "WEP"}}}
        << QStringList{"simple", "SecurityCombo@1", "qtn_conn_wep_key:WepEdit[wlan_wepkey1]=abcde", "spacer"};
    QTest::newRow("default WEP key 1 to 3")
        << Map{{"wlan_security", "WEP"}, {"wlan_wepdefkey", 1}, {"wlan_wepkey3", "33333"}}
        << QList<Map>{{{"wlan_wepdefkey", 3}}}
        << QStringList{"simple", "SecurityCombo@1", "qtn_conn_wep_key:WepEdit[wlan_wepkey3]=33333", "spacer"};
    QTest::newRow("default key's text follows, another key's does not")
        << Map{{"wlan_security", "WEP"}, {"wlan_wepkey1", "aaaaa"}}
        << QList<Map>{{{"wlan_wepkey1", "bbbbb"}}, {{"wlan_wepkey2", "ccccc"}}}
        << QStringList{"simple", "SecurityCombo@1", "qtn_conn_wep_key:WepEdit[wlan_wepkey1]=bbbbb", "spacer"};
    QTest::newRow("PEAP to TLS") << peapMschap << QList<Map>{{{"EAP_default_type", 13}}}
                                 << QStringList{"detail", "SecurityCombo@3", "qtn_conn_wpa_eap_type@0",
                                                "qtn_conn_select_certificate@0"};
    QTest::newRow("TLS back to TTLS") << Map{{"wlan_security", "WPA_EAP"}, {"EAP_default_type", 13}}
                                      << QList<Map>{{{"EAP_default_type", 21}},
                                                    {{"EAP_MSCHAPV2_username", "carol"}},
                                                    {{"EAP_MSCHAPV2_password", "pw"}}}
                                      << TtlsRows;
    // Names and passwords typed for one method serve the other.
    QTest::newRow("EAP-GTC credentials kept for EAP-MSCHAPv2")
        << Map{{"wlan_security", "WPA_EAP"}, {"EAP_default_type", 25}, {"PEAP_tunneled_eap_type", 6}}
        << QList<Map>{{{"EAP_GTC_identity", "dave"}}, {{"EAP_GTC_passcode", "pc"}}, {{"PEAP_tunneled_eap_type", 26}}}
        << QStringList{"detail", "SecurityCombo@3", "qtn_conn_wpa_eap_type@1", "qtn_conn_select_certificate@0",
                       "qtn_conn_eap_method@0", "divider", "spacer",
                       "qtn_conn_username:UserNameEdit[EAP_MSCHAPV2_username]=dave", "spacer",
                       "switch:PromptPasswordSwitch[EAP_MSCHAPV2_password_prompt]",
                       "qtn_conn_password:PasswordEdit[EAP_MSCHAPV2_password]=pc", "spacer"};
    QTest::newRow("EAP-MSCHAPv2 credentials kept for EAP-GTC")
        << peapMschap
        << QList<Map>{{{"EAP_MSCHAPV2_username", "erin"}}, {{"EAP_MSCHAPV2_password", "pw2"}},
                      {{"PEAP_tunneled_eap_type", 6}}}
        << QStringList{"detail", "SecurityCombo@3", "qtn_conn_wpa_eap_type@1", "qtn_conn_select_certificate@0",
                       "qtn_conn_eap_method@1", "divider", "spacer",
                       "qtn_conn_username:UserNameEdit[EAP_GTC_identity]=erin", "spacer",
                       "switch:PromptPasswordSwitch[EAP_MSCHAPV2_password_prompt]",
                       "qtn_conn_password:PasswordEdit[EAP_GTC_passcode]=pw2", "spacer"};
    QTest::newRow("WPA-EAP to WAPI key") << peapMschap << QList<Map>{{{"wlan_security", "WAI_PSK"}}}
                                         << QStringList{"detail", "SecurityCombo@4", "qtn_conn_wapi_psk_type@0",
                                                        "qtn_conn_wapi_psk:WapiPskEdit[EAP_wpa_preshared_key]="};
    QTest::newRow("unknown method: no rows, policy kept")
        << Map{{"wlan_security", "WPA_PSK"}} << QList<Map>{{{"wlan_security", "WPA3"}}}
        << QStringList{"simple", "SecurityCombo@-1"};
}

void TestWlanSecurityWidget::rebuilds()
{
    QFETCH(Map, properties);
    QFETCH(QList<Map>, steps);
    QFETCH(QStringList, rows);
    QVERIFY(m_store.load(withWapi()));

    PropertyEditorManager manager(properties);
    WlanSecurityWidget widget(&manager, nullptr);
    for (const Map& step : steps) {
        QList<QPointer<Touch::Widget>> before;
        for (Touch::Widget* row : qAsConst(companion(&widget)->rowWidgets))
            before << row;
        for (auto it = step.cbegin(); it != step.cend(); ++it)
            manager.setPropertyValueWithNotification(it.key(), it.value());
        verifyOnlyCurrentRowsBound(&widget, manager);
        flushDeletes();
        for (const auto& row : qAsConst(before))
            QVERIFY(row.isNull() || companion(&widget)->rowWidgets.contains(row.data()));
    }
    QCOMPARE(describe(&widget, manager), rows);
    QVERIFY(widget.isVisible());
}

void TestWlanSecurityWidget::choiceEditorsStayComboBoxes_data()
{
    QTest::addColumn<Map>("properties");
    QTest::addColumn<Map>("change");
    QTest::addColumn<QStringList>("rows");

    const QStringList peap = {"detail", "SecurityCombo@3", "qtn_conn_wpa_eap_type@1", "qtn_conn_select_certificate@0",
                              "qtn_conn_eap_method@0", "divider", "spacer",
                              "qtn_conn_username:UserNameEdit[EAP_MSCHAPV2_username]=", "spacer",
                              "switch:PromptPasswordSwitch[EAP_MSCHAPV2_password_prompt]",
                              "qtn_conn_password:PasswordEdit[EAP_MSCHAPV2_password]=", "spacer"};
    QTest::newRow("WEP to WPA-EAP") << Map{{"wlan_security", "WEP"}, {"EAP_default_type", 25}}
                                    << Map{{"wlan_security", "WPA_EAP"}} << peap;
    QTest::newRow("TLS to PEAP") << Map{{"wlan_security", "WPA_EAP"}, {"EAP_default_type", 13}}
                                 << Map{{"EAP_default_type", 25}} << peap;
    QTest::newRow("WEP to WAPI key") << Map{{"wlan_security", "WEP"}} << Map{{"wlan_security", "WAI_PSK"}}
                                     << QStringList{"detail", "SecurityCombo@4", "qtn_conn_wapi_psk_type@0",
                                                    "qtn_conn_wapi_psk:WapiPskEdit[EAP_wpa_preshared_key]="};
}

void TestWlanSecurityWidget::choiceEditorsStayComboBoxes()
{
    QFETCH(Map, properties);
    QFETCH(Map, change);
    QFETCH(QStringList, rows);
    QVERIFY(m_store.load(withWapi()));

    // The WEP page asks for button groups of up to four choices, before and after the section is built.
    PropertyEditorManager manager(properties);
    manager.setButtonGroupLimit(5);
    WlanSecurityWidget widget(&manager, nullptr);
    QVERIFY(companion(&widget)->securityComboBox);
    manager.setButtonGroupLimit(5);
    for (auto it = change.cbegin(); it != change.cend(); ++it)
        manager.setPropertyValueWithNotification(it.key(), it.value());
    QCOMPARE(describe(&widget, manager), rows);
    QVERIFY(itemsBelow<Velin::ButtonGroupContainer>(&widget).isEmpty());
}

void TestWlanSecurityWidget::wapiMethodsNeedTheSetting_data()
{
    QTest::addColumn<QVariant>("setting");
    QTest::addColumn<int>("methods");
    QTest::newRow("absent") << QVariant() << 4;
    QTest::newRow("false") << QVariant(false) << 4;
    QTest::newRow("0") << QVariant(0) << 4;
    QTest::newRow("true") << QVariant(true) << 6;
    QTest::newRow("1") << QVariant(1) << 6;
}

void TestWlanSecurityWidget::wapiMethodsNeedTheSetting()
{
    QFETCH(QVariant, setting);
    QFETCH(int, methods);
    Map store = catalogue();
    if (setting.isValid())
        store.insert(WapiEnabled, setting);
    QVERIFY(m_store.load(store));

    PropertyEditorManager manager;
    WlanSecurityWidget widget(&manager, nullptr);
    Touch::ComboBox* combo = companion(&widget)->securityComboBox;
    const QStringList all = {"qtn_conn_none", "qtn_conn_wep", "qtn_conn_wpa_pre_shared", "qtn_conn_wpa_eap",
                             "qtn_conn_wapi_psk", "qtn_conn_wapi_cert"};
    QStringList labels;
    for (int row = 0; row < combo->count(); ++row)
        labels << combo->itemText(row);
    QCOMPARE(labels, all.mid(0, methods));
    QCOMPARE(combo->title(), QStringLiteral("qtn_conn_security_method"));
    QVERIFY(!combo->isIconVisible());

    // The last row stores the last method.
    combo->setCurrentIndex(methods - 1);
    QCOMPARE(manager.propertyValue("wlan_security").toString(),
             QStringList({"WPA_EAP", "WAI_certificate"}).at(methods == 6));
}

void TestWlanSecurityWidget::adhocRestriction_data()
{
    QTest::addColumn<QString>("security");
    QTest::addColumn<int>("adhocIndex");
    QTest::addColumn<QString>("adhocSecurity");
    QTest::addColumn<int>("adhocRows");

    QTest::newRow("none kept") << "NONE" << 0 << "NONE" << 0;
    QTest::newRow("WEP kept") << "WEP" << 1 << "WEP" << 2;
    QTest::newRow("WPA-PSK to none") << "WPA_PSK" << 0 << "NONE" << 0;
    QTest::newRow("WPA-EAP to none") << "WPA_EAP" << 0 << "NONE" << 0;
    QTest::newRow("WAPI certificates to none") << "WAI_certificate" << 0 << "NONE" << 0;
}

void TestWlanSecurityWidget::adhocRestriction()
{
    QFETCH(QString, security);
    QFETCH(int, adhocIndex);
    QFETCH(QString, adhocSecurity);
    QFETCH(int, adhocRows);
    QVERIFY(m_store.load(withWapi()));

    PropertyEditorManager manager({{"wlan_security", security}, {"wlan_wepkey1", "abcde"}});
    QSignalSpy changes(&manager, &PropertyEditorManager::propertyChanged);
    WlanSecurityWidget widget(&manager, nullptr);
    Touch::ComboBox* combo = companion(&widget)->securityComboBox;
    changes.clear();

    widget.networkModeChanged(true);
    QVERIFY(widget.isAdhocMode());
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->currentIndex(), adhocIndex);
    QCOMPARE(widget.currentSecurity(), adhocSecurity);
    QCOMPARE(manager.propertyValue("wlan_security").toString(), adhocSecurity);
    QCOMPARE(companion(&widget)->rowWidgets.size(), adhocRows);
    // Only a method the network cannot keep is a change.
    QCOMPARE(changes.count(), security == adhocSecurity ? 0 : 1);

    widget.networkModeChanged(false);
    QCOMPARE(combo->count(), 6);
    QCOMPARE(combo->currentIndex(), adhocIndex);
    QCOMPARE(manager.propertyValue("wlan_security").toString(), adhocSecurity);
    combo->setCurrentIndex(5);
    QCOMPARE(widget.currentSecurity(), QStringLiteral("WAI_certificate"));
}

void TestWlanSecurityWidget::replacedKeyEditLeavesNoBinding_data()
{
    QTest::addColumn<QString>("security");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("editName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");

    const QString hex = "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f";
    QTest::newRow("WPA passphrase") << "WPA_PSK" << 2 << "WpaPskEdit" << "new phrase"
                                    << "EAP_wpa_preshared_passphrase" << QVariant("new phrase");
    QTest::newRow("WPA raw key") << "WPA_PSK" << 2 << "WpaPskEdit" << hex << "EAP_wpa_preshared_key"
                                 << QVariant(QByteArray::fromHex(hex.toLatin1()));
    QTest::newRow("WAPI key") << "WAI_PSK" << 4 << "WapiPskEdit" << "wapi-key" << "EAP_wpa_preshared_key"
                              << QVariant(QByteArray("wapi-key"));
}

void TestWlanSecurityWidget::replacedKeyEditLeavesNoBinding()
{
    QFETCH(QString, security);
    QFETCH(int, index);
    QFETCH(QString, editName);
    QFETCH(QString, typed);
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QVERIFY(m_store.load(withWapi()));

    WindowFixture fx;
    PropertyEditorManager manager({{"wlan_security", security}});
    QPointer<WlanSecurityWidget> widget = new WlanSecurityWidget(&manager, nullptr);
    fx.showOnPage({widget.data()});
    Touch::ComboBox* combo = companion(widget)->securityComboBox;
    QPointer<Touch::TextEdit> old = fx.find<Touch::TextEdit>(editName, widget);
    QVERIFY(old);

    // Away and back, as the user chooses in the combo box.
    combo->setCurrentIndex(1);
    QVERIFY(!manager.widgetForProperty("EAP_wpa_preshared_passphrase"));
    QVERIFY(!manager.widgetForProperty("EAP_wpa_preshared_key"));
    old->setText("written by a removed row");
    QVERIFY(!manager.properties().contains("EAP_wpa_preshared_passphrase"));
    QVERIFY(!manager.properties().contains("EAP_wpa_preshared_key"));
    combo->setCurrentIndex(index);
    flushDeletes();
    QVERIFY(old.isNull());
    QCOMPARE(fx.findWidgets(editName).size(), 1);

    auto edit = fx.find<Touch::TextEdit>(editName, widget);
    QVERIFY(edit);
    QVERIFY(fx.typeText(edit, typed));
    QCOMPARE(manager.propertyValue(key), value);
    QCOMPARE(manager.widgetForProperty(key), edit);
}

void TestWlanSecurityWidget::restoredKeyIsShown_data()
{
    QTest::addColumn<Map>("properties");
    QTest::addColumn<Map>("restore");  // invalid values remove the key
    QTest::addColumn<QString>("editName");
    QTest::addColumn<QString>("text");

    const QByteArray raw(32, '\x5a');
    QTest::newRow("passphrase to raw key")
        << Map{{"wlan_security", "WPA_PSK"}, {"EAP_wpa_preshared_passphrase", "old phrase"}}
        << Map{{"EAP_wpa_preshared_key", raw}, {"EAP_wpa_preshared_passphrase", QVariant()}} << "WpaPskEdit"
        << QString::fromLatin1(raw.toHex());
    QTest::newRow("raw key to passphrase")
        << Map{{"wlan_security", "WPA_PSK"}, {"EAP_wpa_preshared_key", raw}}
        << Map{{"EAP_wpa_preshared_key", QVariant()}, {"EAP_wpa_preshared_passphrase", "new phrase"}} << "WpaPskEdit"
        << "new phrase";
    QTest::newRow("both removed") << Map{{"wlan_security", "WPA_PSK"}, {"EAP_wpa_preshared_passphrase", "phrase"}}
                                  << Map{{"EAP_wpa_preshared_passphrase", QVariant()}} << "WpaPskEdit" << "";
    QTest::newRow("WAPI hexadecimal key")
        << Map{{"wlan_security", "WAI_PSK"}, {"wapi_key_type", 1}, {"EAP_wpa_preshared_key", QByteArray("\x01")}}
        << Map{{"EAP_wpa_preshared_key", QByteArray("\xca\xfe")}} << "WapiPskEdit" << "cafe";
    QTest::newRow("WAPI ASCII key")
        << Map{{"wlan_security", "WAI_PSK"}, {"wapi_key_type", 0}, {"EAP_wpa_preshared_key", QByteArray("one")}}
        << Map{{"EAP_wpa_preshared_key", QByteArray("two-key")}} << "WapiPskEdit" << "two-key";
}

void TestWlanSecurityWidget::restoredKeyIsShown()
{
    QFETCH(Map, properties);
    QFETCH(Map, restore);
    QFETCH(QString, editName);
    QFETCH(QString, text);
    QVERIFY(m_store.load(withWapi()));

    PropertyEditorManager manager(properties);
    WlanSecurityWidget widget(&manager, nullptr);
    Map expected = manager.properties();
    for (auto it = restore.cbegin(); it != restore.cend(); ++it) {
        manager.setPropertyValueWithNotification(it.key(), it.value());
        if (it.value().isValid())
            expected.insert(it.key(), it.value());
        else
            expected.remove(it.key());
    }
    const QList<Touch::TextEdit*> edits = itemsBelow<Touch::TextEdit>(&widget, editName);
    QCOMPARE(edits.size(), 1);
    Touch::TextEdit* edit = edits.first();
    QCOMPARE(edit->text(), text);
    QCOMPARE(manager.properties(), expected);  // showing wrote nothing back
}

void TestWlanSecurityWidget::promptSwitchMovesPassword_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<bool>("prompt");
    QTest::newRow("EAP-MSCHAPv2, stored") << 26 << false;
    QTest::newRow("EAP-MSCHAPv2, prompted") << 26 << true;
    QTest::newRow("EAP-GTC, stored") << 6 << false;
    QTest::newRow("EAP-GTC, prompted") << 6 << true;
}

void TestWlanSecurityWidget::promptSwitchMovesPassword()
{
    QFETCH(int, method);
    QFETCH(bool, prompt);

    WindowFixture fx;
    PropertyEditorManager manager({{"wlan_security", "WPA_EAP"}, {"EAP_default_type", 25},
                                   {"PEAP_tunneled_eap_type", method}, {"EAP_MSCHAPV2_password_prompt", prompt}});
    QPointer<WlanSecurityWidget> widget = new WlanSecurityWidget(&manager, nullptr);
    fx.showOnPage({widget.data()});
    WlanSecurityWidgetPrivate* d = companion(widget);
    QPointer<Velin::SimpleFrame> frame = d->passwordFrame;
    QVERIFY(frame);
    const auto passwordRow = [&] { return d->detailPolicy->indexOf(frame); };
    const int withPassword = 9;  // just above the trailing spacer
    QCOMPARE(passwordRow(), prompt ? -1 : withPassword);
    QCOMPARE(frame->isVisible(), !prompt);

    auto button = fx.find<Touch::Button>("PromptPasswordSwitch", widget);
    QVERIFY(button);
    QString typed;
    for (bool expected : {!prompt, prompt}) {
        if (passwordRow() >= 0) {
            typed = "s3cret";
            static_cast<Touch::TextEdit*>(frame->content())->setText(typed);
        }
        QVERIFY(fx.click(button));
        QCOMPARE(manager.propertyValue("EAP_MSCHAPV2_password_prompt").toBool(), expected);
        QCOMPARE(passwordRow(), expected ? -1 : withPassword);
        QCOMPARE(frame->isVisible(), !expected);
        QCOMPARE(d->detailPolicy->count(), expected ? 10 : 11);
        QCOMPARE(d->passwordFrame.data(), frame.data());
        QCOMPARE(static_cast<Touch::TextEdit*>(frame->content())->text(), typed);
    }
}

void TestWlanSecurityWidget::anotherRootResetsClient()
{
    PropertyEditorManager manager({{"wlan_security", "WAI_certificate"}});
    WlanSecurityWidget widget(&manager, nullptr);
    WlanSecurityWidgetPrivate* d = companion(&widget);
    QVERIFY(d->rootCertificateModel && d->clientCertificateModel);
    const auto id = [](QAbstractItemModel* model, int row) { return model->index(row, 1).data().toByteArray(); };
    const auto rowNamed = [](QAbstractItemModel* model, const QString& name) {
        return model->match(model->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly).value(0).row();
    };
    QCOMPARE(d->rootCertificateModel->rowCount(), 3);  // none, Root A, Root B
    const int rootA = rowNamed(d->rootCertificateModel, "Root A");
    const int rootB = rowNamed(d->rootCertificateModel, "Root B");
    QVERIFY(rootA > 0 && rootB > 0);

    d->rootCertificateComboBox->setCurrentIndex(rootA);
    QCOMPARE(manager.propertyValue("WAPI_EC_CS_selected_ca_subject_common_name").toByteArray(),
             id(d->rootCertificateModel, rootA));
    QCOMPARE(d->clientCertificateModel->rowCount(), 2);  // none, User A
    d->clientCertificateComboBox->setCurrentIndex(1);
    const QByteArray user = id(d->clientCertificateModel, 1);
    QVERIFY(!user.isEmpty());
    QCOMPARE(manager.propertyValue("WAPI_EC_CS_selected_client_subject_common_name").toByteArray(), user);

    // Root B issued nobody: the choice of user goes.
    d->rootCertificateComboBox->setCurrentIndex(rootB);
    QCOMPARE(d->clientCertificateComboBox->currentIndex(), 0);
    QVERIFY(!manager.properties().contains("WAPI_EC_CS_selected_client_subject_common_name"));
    QCOMPARE(d->clientCertificateModel->rowCount(), 1);

    // A rebuild reuses the models and shows the stored choice.
    d->rootCertificateComboBox->setCurrentIndex(rootA);
    d->clientCertificateComboBox->setCurrentIndex(1);
    manager.setPropertyValueWithNotification("wlan_security", "NONE");
    manager.setPropertyValueWithNotification("wlan_security", "WAI_certificate");
    QCOMPARE(d->rootCertificateComboBox->currentIndex(), rootA);
    QCOMPARE(d->clientCertificateComboBox->currentIndex(), 1);
}

QTEST_MAIN(TestWlanSecurityWidget)
#include "tst_wlansecuritywidget.moc"
