// The security section of the access-point editor: which rows each method,
// EAP type and inner method gets, what a rebuild leaves behind, the ad hoc
// restriction, the WAPI methods and the editors that write through mappers.
#include "bannerobserver.h"
#include "dconffixture.h"
#include "windowfixture.h"

#include "wlanui/editor/wlansecuritywidget.h"
#include "wlanui/editor/wlansecuritywidget_p.h"
#include "wlanui/security/wapicertificatemodelprivate.h"

#include "base/certificatemodel.h"
#include "base/propertyeditormanager.h"
#include "base/simplecheckboxlabel.h"
#include "base/simpleframe.h"
#include "touch/button.h"
#include "touch/combobox.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"
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

// Rows of the EAP section; a null password means the password row is absent (prompted).
QStringList eapRows(int type, int method = -1, bool gtc = false, const QString& user = QString(),
                    const QString& password = QString())
{
    QStringList rows{"detail", "SecurityCombo@3", QStringLiteral("qtn_conn_wpa_eap_type@%1").arg(type),
                     "qtn_conn_select_certificate@0"};
    if (method < 0)
        return rows;
    rows << QStringLiteral("qtn_conn_eap_method@%1").arg(method) << "divider" << "spacer"
         << QStringLiteral("qtn_conn_username:UserNameEdit[%1]=%2").arg(gtc ? "EAP_GTC_identity" : "EAP_MSCHAPV2_username", user)
         << "spacer" << "switch:PromptPasswordSwitch[EAP_MSCHAPV2_password_prompt]";
    if (!password.isNull())
        rows << QStringLiteral("qtn_conn_password:PasswordEdit[%1]=%2").arg(gtc ? "EAP_GTC_passcode" : "EAP_MSCHAPV2_password", password);
    return rows << "spacer";
}

QStringList simpleRows(int index, const QString& frame)
{
    return {"simple", QStringLiteral("SecurityCombo@%1").arg(index), frame, "spacer"};
}

} // namespace

class TestWlanSecurityWidget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void rows_data();
    void rows();
    void methodList_data();
    void methodList();
    void replacedKeyEditLeavesNoBinding_data();
    void replacedKeyEditLeavesNoBinding();
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
    QVERIFY(m_store.load(withWapi()));
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

void TestWlanSecurityWidget::rows_data()
{
    QTest::addColumn<Map>("properties");
    QTest::addColumn<QList<Map>>("steps");  // each step's keys stored with notification, as other pages and a restore do
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<Map>("stored");  // afterwards; invalid means absent

    const QString psk = "qtn_conn_wpa_pre_shared:WpaPskEdit[EAP_wpa_preshared_";
    const QByteArray raw = QByteArray::fromHex("00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff");
    const QString hex = QString::fromLatin1(raw.toHex());
    const Map peap{{"wlan_security", "WPA_EAP"}, {"EAP_default_type", 25}, {"PEAP_tunneled_eap_type", 26}};
    const Map gtc{{"wlan_security", "WPA_EAP"}, {"EAP_default_type", 25}, {"PEAP_tunneled_eap_type", 6}};
    const QString wapiKey = "qtn_conn_wapi_psk:WapiPskEdit[EAP_wpa_preshared_key]=";

    QTest::newRow("missing security") << Map{} << QList<Map>{} << QStringList{"detail", "SecurityCombo@0"} << Map{};
    QTest::newRow("WEP key 3") << Map{{"wlan_security", "WEP"}, {"wlan_wepdefkey", 3}, {"wlan_wepkey3", "abcde"}}
                               << QList<Map>{} << simpleRows(1, "qtn_conn_wep_key:WepEdit[wlan_wepkey3]=abcde") << Map{};
    QTest::newRow("WEP key 7 edits key 1") << Map{{"wlan_security", "WEP"}, {"wlan_wepdefkey", 7}} << QList<Map>{}
                                           << simpleRows(1, "qtn_conn_wep_key:WepEdit[wlan_wepkey1]=") << Map{};
    QTest::newRow("WEP default key 1 to 3")
        << Map{{"wlan_security", "WEP"}, {"wlan_wepdefkey", 1}, {"wlan_wepkey3", "33333"}}
        << QList<Map>{{{"wlan_wepdefkey", 3}}} << simpleRows(1, "qtn_conn_wep_key:WepEdit[wlan_wepkey3]=33333") << Map{};
    QTest::newRow("WEP default key's text follows, another's not")
        << Map{{"wlan_security", "WEP"}, {"wlan_wepkey1", "aaaaa"}}
        << QList<Map>{{{"wlan_wepkey1", "bbbbb"}}, {{"wlan_wepkey2", "ccccc"}}}
        << simpleRows(1, "qtn_conn_wep_key:WepEdit[wlan_wepkey1]=bbbbb") << Map{};
    QTest::newRow("WPA-PSK raw key as hex") << Map{{"wlan_security", "WPA_PSK"}, {"EAP_wpa_preshared_key", raw}}
                                            << QList<Map>{} << simpleRows(2, psk + "key]=" + hex) << Map{};
    QTest::newRow("WPA-PSK passphrase wins")
        << Map{{"wlan_security", "WPA_PSK"}, {"EAP_wpa_preshared_key", raw}, {"EAP_wpa_preshared_passphrase", "word"}}
        << QList<Map>{} << simpleRows(2, psk + "passphrase]=word") << Map{};
    QTest::newRow("WPA-PSK restored raw key")
        << Map{{"wlan_security", "WPA_PSK"}, {"EAP_wpa_preshared_passphrase", "old phrase"}}
        << QList<Map>{{{"EAP_wpa_preshared_key", raw}}, {{"EAP_wpa_preshared_passphrase", QVariant()}}}
        << simpleRows(2, psk + "key]=" + hex) << Map{{"EAP_wpa_preshared_key", raw}, {"EAP_wpa_preshared_passphrase", QVariant()}};
    QTest::newRow("WPA-PSK restored passphrase")
        << Map{{"wlan_security", "WPA_PSK"}, {"EAP_wpa_preshared_key", raw}}
        << QList<Map>{{{"EAP_wpa_preshared_passphrase", "new phrase"}}, {{"EAP_wpa_preshared_key", QVariant()}}}
        << simpleRows(2, psk + "passphrase]=new phrase")
        << Map{{"EAP_wpa_preshared_key", QVariant()}, {"EAP_wpa_preshared_passphrase", "new phrase"}};
    QTest::newRow("WPA-PSK to WEP") << Map{{"wlan_security", "WPA_PSK"}, {"wlan_wepkey1", "abcde"}}
                                    << QList<Map>{{{"wlan_security", "WEP"}}}
                                    << simpleRows(1, "qtn_conn_wep_key:WepEdit[wlan_wepkey1]=abcde") << Map{};
    QTest::newRow("WPA-EAP without type: TLS") << Map{{"wlan_security", "WPA_EAP"}} << QList<Map>{} << eapRows(0)
                                               << Map{{"EAP_default_type", 13}, {"EAP_TLS_PEAP_client_certificate_file", ""}};
    QTest::newRow("PEAP without method: EAP-MSCHAPv2")
        << Map{{"wlan_security", "WPA_EAP"}, {"EAP_default_type", 25}, {"EAP_MSCHAPV2_username", "ann"}}
        << QList<Map>{} << eapRows(1, 0, false, "ann", "") << Map{{"PEAP_tunneled_eap_type", 26}};
    QTest::newRow("EAP-GTC prompted") << gtc << QList<Map>{{{"EAP_MSCHAPV2_password_prompt", true}}}
                                      << eapRows(1, 1, true, "", QString()) << Map{};
    QTest::newRow("TTLS plain MSCHAPv2")
        << Map{{"wlan_security", "WPA_EAP"}, {"EAP_default_type", 21}, {"PEAP_tunneled_eap_type", 282}}
        << QList<Map>{} << eapRows(2, 1, false, "", "") << Map{};
    QTest::newRow("TTLS without EAP-GTC: first method stored")
        << Map{{"wlan_security", "WPA_EAP"}, {"EAP_default_type", 21}, {"PEAP_tunneled_eap_type", 6}}
        << QList<Map>{} << eapRows(2, 0, false, "", "") << Map{{"PEAP_tunneled_eap_type", 26}};
    QTest::newRow("PEAP to TLS and back to TTLS")
        << peap << QList<Map>{{{"EAP_default_type", 13}}, {{"EAP_default_type", 21}}}
        << eapRows(2, 0, false, "", "") << Map{};
    // A name or password typed for one inner method serves the other.
    QTest::newRow("EAP-GTC credentials kept for EAP-MSCHAPv2")
        << gtc << QList<Map>{{{"EAP_GTC_identity", "dave"}, {"EAP_GTC_passcode", "pc"}}, {{"PEAP_tunneled_eap_type", 26}}}
        << eapRows(1, 0, false, "dave", "pc") << Map{{"EAP_MSCHAPV2_username", "dave"}, {"EAP_MSCHAPV2_password", "pc"}};
    QTest::newRow("EAP-MSCHAPv2 credentials kept for EAP-GTC")
        << peap << QList<Map>{{{"EAP_MSCHAPV2_username", "erin"}, {"EAP_MSCHAPV2_password", "pw"}}, {{"PEAP_tunneled_eap_type", 6}}}
        << eapRows(1, 1, true, "erin", "pw") << Map{{"EAP_GTC_identity", "erin"}, {"EAP_GTC_passcode", "pw"}};
    QTest::newRow("WAPI key without type: ASCII")
        << Map{{"wlan_security", "WAI_PSK"}, {"EAP_wpa_preshared_key", QByteArray("ascii-key")}} << QList<Map>{}
        << QStringList{"detail", "SecurityCombo@4", "qtn_conn_wapi_psk_type@0", wapiKey + "ascii-key"}
        << Map{{"wapi_key_type", 0}};
    QTest::newRow("WAPI hexadecimal key restored")
        << Map{{"wlan_security", "WAI_PSK"}, {"wapi_key_type", 1}, {"EAP_wpa_preshared_key", QByteArray("\x0a\xff")}}
        << QList<Map>{{{"EAP_wpa_preshared_key", QByteArray("\xca\xfe")}}}
        << QStringList{"detail", "SecurityCombo@4", "qtn_conn_wapi_psk_type@1", wapiKey + "cafe"}
        << Map{{"EAP_wpa_preshared_key", QByteArray("\xca\xfe")}};
    QTest::newRow("WAPI key type switched: key cleared")
        << Map{{"wlan_security", "WAI_PSK"}, {"wapi_key_type", 1}, {"EAP_wpa_preshared_key", QByteArray("\x0a\xff")}}
        << QList<Map>{{{"wapi_key_type", 0}}}
        << QStringList{"detail", "SecurityCombo@4", "qtn_conn_wapi_psk_type@0", wapiKey}
        << Map{{"EAP_wpa_preshared_key", QByteArray()}};
    QTest::newRow("WPA-EAP to WAPI certificates")
        << peap << QList<Map>{{{"wlan_security", "WAI_certificate"}}}
        << QStringList{"detail", "SecurityCombo@5", "qtn_conn_select_root_cert@0", "qtn_conn_select_client_cert@0"}
        << Map{};
    QTest::newRow("unknown method: no rows, policy kept") << Map{{"wlan_security", "WPA_PSK"}}
                                                          << QList<Map>{{{"wlan_security", "WPA3"}}}
                                                          << QStringList{"simple", "SecurityCombo@-1"} << Map{};
}

void TestWlanSecurityWidget::rows()
{
    QFETCH(Map, properties);
    QFETCH(QList<Map>, steps);
    QFETCH(QStringList, rows);
    QFETCH(Map, stored);
    if (QByteArray(QTest::currentDataTag()).startsWith("unknown"))
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unknown security method \"WPA3\""));

    WindowFixture fx;
    BannerObserver banners;
    PropertyEditorManager manager(properties);
    // The WEP page asks for button groups of up to four entries; every choice here stays a combo box.
    manager.setButtonGroupLimit(5);
    QPointer<WlanSecurityWidget> widget = new WlanSecurityWidget(&manager, nullptr);
    fx.showOnPage({widget.data()});
    WlanSecurityWidgetPrivate* d = companion(widget);
    for (const Map& step : steps) {
        QList<QPointer<Touch::Widget>> before;
        for (Touch::Widget* row : qAsConst(d->rowWidgets))
            before << row;
        manager.setButtonGroupLimit(5);
        for (auto it = step.cbegin(); it != step.cend(); ++it)
            manager.setPropertyValueWithNotification(it.key(), it.value());
        verifyOnlyCurrentRowsBound(widget, manager);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (const auto& row : qAsConst(before))
            QVERIFY(row.isNull() || d->rowWidgets.contains(row.data()));
    }
    QCOMPARE(describe(widget, manager), rows);
    for (auto it = stored.cbegin(); it != stored.cend(); ++it)
        QCOMPARE(manager.propertyValue(it.key()), it.value());
    // Showing stored values is not typing: no field complains about them.
    QCOMPARE(banners.texts(), QStringList());

    // Laid out on the page: every row shown, with a height, below the one before.
    QTRY_VERIFY(widget->isVisible() && widget->geometry().height() > 0);
    QCoreApplication::processEvents();
    Touch::LinearLayoutPolicy* policy = d->layout->policy();
    qreal bottom = 0;
    for (int i = 0; i < policy->count(); ++i) {
        auto item = static_cast<QGraphicsWidget*>(policy->itemAt(i)->graphicsItem());
        QVERIFY2(item->isVisible() && item->geometry().height() > 0 && item->geometry().top() >= bottom - 0.5,
                 qPrintable(rows.value(i + 1)));
        bottom = item->geometry().bottom();
    }
    QVERIFY(widget->geometry().height() >= bottom - 0.5);
    QVERIFY(!fx.savePng("securitywidget-" + QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_')).isEmpty());
}

void TestWlanSecurityWidget::methodList_data()
{
    QTest::addColumn<QVariant>("wapiSetting");
    QTest::addColumn<QString>("security");
    QTest::addColumn<int>("adhocIndex");
    QTest::addColumn<QString>("adhocSecurity");

    QTest::newRow("no WAPI setting, none kept") << QVariant() << "NONE" << 0 << "NONE";
    QTest::newRow("WAPI off, WEP kept") << QVariant(false) << "WEP" << 1 << "WEP";
    QTest::newRow("WAPI 0, WPA-PSK to none") << QVariant(0) << "WPA_PSK" << 0 << "NONE";
    QTest::newRow("WAPI on, WPA-EAP to none") << QVariant(true) << "WPA_EAP" << 0 << "NONE";
    QTest::newRow("WAPI 1, WAPI certificates to none") << QVariant(1) << "WAI_certificate" << 0 << "NONE";
}

void TestWlanSecurityWidget::methodList()
{
    QFETCH(QVariant, wapiSetting);
    QFETCH(QString, security);
    QFETCH(int, adhocIndex);
    QFETCH(QString, adhocSecurity);
    Map store = catalogue();
    if (wapiSetting.isValid())
        store.insert(WapiEnabled, wapiSetting);
    QVERIFY(m_store.load(store));
    const int methods = wapiSetting.toBool() ? 6 : 4;
    const QStringList all = {"qtn_conn_none", "qtn_conn_wep", "qtn_conn_wpa_pre_shared", "qtn_conn_wpa_eap",
                             "qtn_conn_wapi_psk", "qtn_conn_wapi_cert"};

    PropertyEditorManager manager({{"wlan_security", security}});
    QSignalSpy changes(&manager, &PropertyEditorManager::propertyChanged);
    WlanSecurityWidget widget(&manager, nullptr);
    Touch::ComboBox* combo = companion(&widget)->securityComboBox;
    const auto labels = [combo] {
        QStringList texts;
        for (int row = 0; row < combo->count(); ++row)
            texts << combo->itemText(row);
        return texts;
    };
    QCOMPARE(labels(), all.mid(0, methods));
    QCOMPARE(combo->title(), QStringLiteral("qtn_conn_security_method"));
    QVERIFY(!combo->isIconVisible());
    const int rows = companion(&widget)->rowWidgets.size();
    changes.clear();

    widget.networkModeChanged(true);
    QVERIFY(widget.isAdhocMode());
    QCOMPARE(labels(), all.mid(0, 2));
    QCOMPARE(combo->currentIndex(), adhocIndex);
    QCOMPARE(widget.currentSecurity(), adhocSecurity);
    QCOMPARE(manager.propertyValue("wlan_security").toString(), adhocSecurity);
    // Only a method the network cannot keep is stored, and its rows go.
    QCOMPARE(changes.count(), security == adhocSecurity ? 0 : 1);
    QCOMPARE(companion(&widget)->rowWidgets.size(), security == adhocSecurity ? rows : 0);

    widget.networkModeChanged(false);
    QCOMPARE(labels(), all.mid(0, methods));
    QCOMPARE(combo->currentIndex(), adhocIndex);
    combo->setCurrentIndex(methods - 1);
    QCOMPARE(widget.currentSecurity(), QStringList({"WPA_EAP", "WAI_certificate"}).at(methods == 6));
    QVERIFY(m_store.load(withWapi()));
}

void TestWlanSecurityWidget::replacedKeyEditLeavesNoBinding_data()
{
    QTest::addColumn<QString>("security");
    QTest::addColumn<QString>("editName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");

    const QString hex = "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f";
    QTest::newRow("WPA passphrase") << "WPA_PSK" << "WpaPskEdit" << "new phrase" << "EAP_wpa_preshared_passphrase"
                                    << QVariant("new phrase");
    QTest::newRow("WPA raw key") << "WPA_PSK" << "WpaPskEdit" << hex << "EAP_wpa_preshared_key"
                                 << QVariant(QByteArray::fromHex(hex.toLatin1()));
    QTest::newRow("WAPI key") << "WAI_PSK" << "WapiPskEdit" << "wapi-key" << "EAP_wpa_preshared_key"
                              << QVariant(QByteArray("wapi-key"));
}

void TestWlanSecurityWidget::replacedKeyEditLeavesNoBinding()
{
    QFETCH(QString, security);
    QFETCH(QString, editName);
    QFETCH(QString, typed);
    QFETCH(QString, key);
    QFETCH(QVariant, value);

    WindowFixture fx;
    PropertyEditorManager manager({{"wlan_security", security}});
    QPointer<WlanSecurityWidget> widget = new WlanSecurityWidget(&manager, nullptr);
    fx.showOnPage({widget.data()});
    Touch::ComboBox* combo = companion(widget)->securityComboBox;
    const int index = combo->currentIndex();
    QPointer<Touch::TextEdit> old = fx.find<Touch::TextEdit>(editName, widget);
    QVERIFY(old);

    // Away and back, as the user chooses: the old edit writes nothing any more.
    combo->setCurrentIndex(1);
    QVERIFY(!manager.widgetForProperty("EAP_wpa_preshared_passphrase") && !manager.widgetForProperty("EAP_wpa_preshared_key"));
    old->setText("written by a removed row");
    combo->setCurrentIndex(index);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(old.isNull());
    QCOMPARE(fx.findWidgets(editName).size(), 1);
    QVERIFY(!manager.properties().contains("EAP_wpa_preshared_passphrase") && !manager.properties().contains("EAP_wpa_preshared_key"));

    auto edit = fx.find<Touch::TextEdit>(editName, widget);
    QVERIFY(edit && fx.typeText(edit, typed));
    QCOMPARE(manager.propertyValue(key), value);
    QCOMPARE(manager.widgetForProperty(key), edit);
}

void TestWlanSecurityWidget::promptSwitchMovesPassword_data()
{
    QTest::addColumn<bool>("prompt");
    QTest::newRow("stored") << false;
    QTest::newRow("prompted") << true;
}

void TestWlanSecurityWidget::promptSwitchMovesPassword()
{
    QFETCH(bool, prompt);

    WindowFixture fx;
    PropertyEditorManager manager({{"wlan_security", "WPA_EAP"}, {"EAP_default_type", 25},
                                   {"PEAP_tunneled_eap_type", 26}, {"EAP_MSCHAPV2_password_prompt", prompt}});
    QPointer<WlanSecurityWidget> widget = new WlanSecurityWidget(&manager, nullptr);
    fx.showOnPage({widget.data()});
    WlanSecurityWidgetPrivate* d = companion(widget);
    QPointer<Velin::SimpleFrame> frame = d->passwordFrame;
    QVERIFY(frame);
    auto password = static_cast<Touch::TextEdit*>(frame->content());
    QCOMPARE(password->echoMode(), Touch::TextEdit::Password);
    auto button = fx.find<Touch::Button>("PromptPasswordSwitch", widget);
    QVERIFY(button);

    QString typed;
    for (bool prompted : {prompt, !prompt, prompt}) {
        // Shown just above the trailing spacer, or out of the rows.
        QCOMPARE(d->detailPolicy->indexOf(frame), prompted ? -1 : 9);
        QCOMPARE(d->detailPolicy->count(), prompted ? 10 : 11);
        QCOMPARE(frame->isVisible(), !prompted);
        QCOMPARE(password->text(), typed);
        if (!prompted)
            password->setText(typed = "s3cret");
        QVERIFY(fx.click(button));
        QCOMPARE(manager.propertyValue("EAP_MSCHAPV2_password_prompt").toBool(), !prompted);
    }
    QCOMPARE(d->passwordFrame.data(), frame.data());
}

void TestWlanSecurityWidget::anotherRootResetsClient()
{
    PropertyEditorManager manager({{"wlan_security", "WAI_certificate"}});
    WlanSecurityWidget widget(&manager, nullptr);
    WlanSecurityWidgetPrivate* d = companion(&widget);
    const auto row = [](QAbstractItemModel* model, const QString& name) {
        return model->match(model->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly).value(0).row();
    };
    const auto id = [](QAbstractItemModel* model, int row) { return model->index(row, 1).data().toByteArray(); };
    QCOMPARE(d->rootCertificateModel->rowCount(), 3);  // none, Root A, Root B
    const int rootA = row(d->rootCertificateModel, "Root A");
    const int rootB = row(d->rootCertificateModel, "Root B");
    QVERIFY(rootA > 0 && rootB > 0);

    d->rootCertificateComboBox->setCurrentIndex(rootA);
    QCOMPARE(manager.propertyValue("WAPI_EC_CS_selected_ca_subject_common_name").toByteArray(),
             id(d->rootCertificateModel, rootA));
    QCOMPARE(d->clientCertificateModel->rowCount(), 2);  // none, User A
    d->clientCertificateComboBox->setCurrentIndex(1);
    QVERIFY(!manager.propertyValue("WAPI_EC_CS_selected_client_subject_common_name").toByteArray().isEmpty());

    // Root B issued nobody: the user choice goes.
    d->rootCertificateComboBox->setCurrentIndex(rootB);
    QCOMPARE(d->clientCertificateComboBox->currentIndex(), 0);
    QVERIFY(!manager.properties().contains("WAPI_EC_CS_selected_client_subject_common_name"));
    QCOMPARE(d->clientCertificateModel->rowCount(), 1);

    // A rebuild reuses the models and shows the stored choices.
    QPointer<QAbstractItemModel> clientModel = d->clientCertificateModel.data();
    d->rootCertificateComboBox->setCurrentIndex(rootA);
    d->clientCertificateComboBox->setCurrentIndex(1);
    manager.setPropertyValueWithNotification("wlan_security", "NONE");
    manager.setPropertyValueWithNotification("wlan_security", "WAI_certificate");
    QCOMPARE(d->clientCertificateModel.data(), clientModel.data());
    QCOMPARE(d->rootCertificateComboBox->currentIndex(), rootA);
    QCOMPARE(d->clientCertificateComboBox->currentIndex(), 1);
}

QTEST_MAIN(TestWlanSecurityWidget)
#include "tst_wlansecuritywidget.moc"
