// The advanced pages of the access-point editor: the WEP keys page, the
// WPA-EAP page and the page of other settings.  Each page is described top to
// bottom (editor kind, bound key, object and style names, texts, state), then
// driven through real taps and typing on an offscreen window.
#include "windowfixture.h"

#include "wlanui/editor/eapeditwidget.h"
#include "wlanui/editor/otheradvancedsettingswidget.h"
#include "wlanui/editor/wepkeyseditwidget.h"
#include "wlanui/editor/wlansecuritywidget.h"
#include "wlanui/prompts/wepkeytextedit.h"

#include "base/buttongroupcontainer.h"
#include "base/propertyeditormanager.h"
#include "base/simplecheckboxlabel.h"
#include "base/simpleframe.h"
#include "touch/button.h"
#include "touch/combobox.h"
#include "touch/label.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"
#include "touch/locale.h"
#include "touch/textedit.h"

#include <QGraphicsLinearLayout>
#include <QPointer>
#include <QTranslator>
#include <QtTest>

using Velin::PropertyEditorManager;

namespace {

const QStringList EditedKeys = {
    "wlan_hidden", "wlan_wepkey1", "wlan_wepkey2", "wlan_wepkey3", "wlan_wepkey4", "wlan_wepdefkey",
    "EAP_use_manual_username", "EAP_manual_username", "TLS_server_authenticates_client_policy_in_client",
    "wlan_adhoc_channel", "EAP_wpa2_only_mode"};

// Texts are their ids, as without a catalogue, except that the key-number
// title has its placeholder.
class IdTranslator : public QTranslator
{
public:
    QString translate(const char*, const char* sourceText, const char* = nullptr, int = -1) const override
    {
        const QString id = QLatin1String(sourceText);
        return id == QLatin1String("qtn_conn_wep_key_1_4") ? id + QStringLiteral("(%1)") : id;
    }
    bool isEmpty() const override { return false; }
};

enum class Page { WepKeys, Eap, Other };

QGraphicsWidget* createPage(Page page, PropertyEditorManager* manager)
{
    switch (page) {
    case Page::WepKeys:
        return new Velin::WepKeysEditWidget(manager);
    case Page::Eap:
        return new Velin::EapEditWidget(manager);
    case Page::Other:
        return new Velin::OtherAdvancedSettingsWidget(manager);
    }
    return nullptr;
}

QString keyOf(const PropertyEditorManager* manager, const QGraphicsWidget* editor)
{
    for (const QString& key : EditedKeys) {
        if (manager->widgetForProperty(key) == editor)
            return key;
    }
    return QStringLiteral("unbound");
}

// The widgets a container shows, top to bottom (a toolkit layout: its active
// policy; a linear layout: its items).
QList<QGraphicsWidget*> shownChildren(const QGraphicsWidget* widget)
{
    QList<QGraphicsWidget*> children;
    QList<QGraphicsLayoutItem*> items;
    if (auto layout = dynamic_cast<Touch::Layout*>(widget->layout())) {
        for (int i = 0; layout->policy() && i < layout->policy()->count(); ++i)
            items << layout->policy()->itemAt(i);
    } else if (QGraphicsLayout* layout = widget->layout()) {
        for (int i = 0; i < layout->count(); ++i)
            items << layout->itemAt(i);
    }
    for (QGraphicsLayoutItem* item : qAsConst(items)) {
        if (item && item->graphicsItem() && item->graphicsItem()->isWidget())
            children << static_cast<QGraphicsWidget*>(item->graphicsItem());
    }
    return children;
}

void describe(QGraphicsWidget* widget, const PropertyEditorManager* manager, const QString& indent,
              QStringList& lines)
{
    const auto onOff = [](bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); };
    if (auto group = qobject_cast<Velin::ButtonGroupContainer*>(widget)) {
        QStringList buttons;
        for (int i = 0; i < group->count(); ++i)
            buttons << group->button(i)->text() + "/" + group->button(i)->styleName();
        lines << indent
                     + QStringLiteral("buttons %1 [%2] checked=%3 fixed=%4 %5")
                           .arg(keyOf(manager, group), buttons.join(' '))
                           .arg(group->checkedIndex())
                           .arg(onOff(group->isFixedModeEnabled()),
                                group->fixedModeOrientation() == Qt::Horizontal ? "horizontal" : "vertical");
    } else if (auto combo = qobject_cast<Touch::ComboBox*>(widget)) {
        QStringList rows;
        for (int i = 0; i < combo->count(); ++i)
            rows << combo->itemText(i);
        lines << indent
                     + QStringLiteral("combo %1 '%2' [%3] current=%4")
                           .arg(keyOf(manager, combo), combo->title(), rows.join(' '))
                           .arg(combo->currentIndex());
    } else if (auto row = qobject_cast<Velin::SimpleCheckBoxLabel*>(widget)) {
        Touch::Button* button = row->button();
        lines << indent
                     + QStringLiteral("switch %1 %2 '%3' %4 %5")
                           .arg(keyOf(manager, button), button->objectName().isEmpty() ? "-" : button->objectName(),
                                row->label()->text(), button->viewType(), onOff(button->isChecked()));
    } else if (auto edit = qobject_cast<Touch::TextEdit*>(widget)) {
        lines << indent
                     + QStringLiteral("%1 %2 %3 %4 '%5'")
                           .arg(qobject_cast<Velin::WepKeyTextEdit*>(edit) ? "wepkey" : "text",
                                keyOf(manager, edit), edit->objectName(), edit->styleName(), edit->text());
    } else if (auto label = qobject_cast<Touch::Label*>(widget)) {
        lines << indent + QStringLiteral("label '%1' %2").arg(label->text(), label->styleName());
    } else if (auto frame = qobject_cast<Velin::SimpleFrame*>(widget)) {
        lines << indent + QStringLiteral("frame '%1'").arg(frame->title());
        if (frame->content())
            describe(frame->content(), manager, indent + "  ", lines);
    } else {
        auto styled = qobject_cast<Touch::Widget*>(widget);
        const QString style = styled ? styled->styleName() : QString();
        if (!widget->layout()) {
            lines << indent + QStringLiteral("spacer %1").arg(style);
            return;
        }
        QString childIndent = indent;
        if (!style.isEmpty()) {
            lines << indent + QStringLiteral("panel %1").arg(style);
            childIndent += "  ";
        }
        for (QGraphicsWidget* child : shownChildren(widget))
            describe(child, manager, childIndent, lines);
    }
}

QStringList describe(QGraphicsWidget* page, const PropertyEditorManager* manager)
{
    QStringList lines;
    describe(page, manager, QString(), lines);
    return lines;
}

// The first descendant item that is a T (with that object name, when given).
template <typename T>
T* findIn(const QGraphicsItem* root, const QString& objectName = QString())
{
    const QList<QGraphicsItem*> children = root->childItems();
    for (QGraphicsItem* child : children) {
        T* match = qobject_cast<T*>(child->toGraphicsObject());
        if (match && (objectName.isEmpty() || match->objectName() == objectName))
            return match;
        if (T* below = findIn<T>(child, objectName))
            return below;
    }
    return nullptr;
}

} // namespace

Q_DECLARE_METATYPE(Page)

class TestAdvancedSettingsPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void pageRows_data();
    void pageRows();
    void editsStoreTypedValues_data();
    void editsStoreTypedValues();
    void userNameFieldFollowsItsSwitch_data();
    void userNameFieldFollowsItsSwitch();
    void choiceEditorKindIndependentOfPageOrder_data();
    void choiceEditorKindIndependentOfPageOrder();
    void wepDefaultKeyInStepWithMainPage_data();
    void wepDefaultKeyInStepWithMainPage();

private:
    IdTranslator m_translator;
};

void TestAdvancedSettingsPages::initTestCase()
{
    QCoreApplication::installTranslator(&m_translator);
}

void TestAdvancedSettingsPages::cleanup()
{
    Touch::Locale::setDefault(Touch::Locale(QStringLiteral("en_US")));
}

void TestAdvancedSettingsPages::pageRows_data()
{
    QTest::addColumn<Page>("page");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QVariantMap>("properties");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("hasSettings");

    const QStringList wepKeys = {
        "frame 'qtn_conn_wep_keys'",
        "  panel CommonGroupHeaderPanel",
        "    label 'qtn_conn_default_wep_key' CommonGroupHeader",
        "  buttons wlan_wepdefkey [1/CommonLeftSplitButton 2/CommonHorizontalCenterSplitButton "
        "3/CommonHorizontalCenterSplitButton 4/CommonRightSplitButton] checked=2 fixed=on horizontal",
        "  frame 'qtn_conn_wep_key_1_4(1)'",
        "    wepkey wlan_wepkey1 wlan_wepkey1 CommonSingleInputFieldLabeled 'abcde'",
        "  spacer CommonLargeSpacer",
        "  frame 'qtn_conn_wep_key_1_4(2)'",
        "    wepkey wlan_wepkey2 wlan_wepkey2 CommonSingleInputFieldLabeled ''",
        "  spacer CommonLargeSpacer",
        "  frame 'qtn_conn_wep_key_1_4(3)'",
        "    wepkey wlan_wepkey3 wlan_wepkey3 CommonSingleInputFieldLabeled '0123456789'",
        "  spacer CommonLargeSpacer",
        "  frame 'qtn_conn_wep_key_1_4(4)'",
        "    wepkey wlan_wepkey4 wlan_wepkey4 CommonSingleInputFieldLabeled ''",
        "  spacer CommonLargeSpacer"};
    const QVariantMap wepMap = {{"wlan_security", "WEP"}, {"wlan_wepdefkey", 3},
                                {"wlan_wepkey1", "abcde"}, {"wlan_wepkey3", "0123456789"}};
    QTest::newRow("WEP keys") << Page::WepKeys << "en_US" << wepMap << wepKeys << true;
    QStringList arabic = wepKeys;
    arabic.replaceInStrings("[1/", QString::fromUtf8("[\u0661/")).replaceInStrings(" 2/", QString::fromUtf8(" \u0662/"))
        .replaceInStrings(" 3/", QString::fromUtf8(" \u0663/")).replaceInStrings(" 4/", QString::fromUtf8(" \u0664/"));
    for (int n = 1; n <= 4; ++n)
        arabic.replaceInStrings(QStringLiteral("(%1)").arg(n), QStringLiteral("(%1)").arg(QChar(0x0660 + n)));
    QTest::newRow("WEP keys, other digits") << Page::WepKeys << "ar_EG" << wepMap << arabic << true;

    const QString manualSwitch = "  switch EAP_use_manual_username ManualUserNameSwitch 'qtn_conn_manual_user_name' switch ";
    const QString authSwitch = "  switch TLS_server_authenticates_client_policy_in_client RequireAuthenticationSwitch "
                               "'qtn_conn_require_client_auth' switch ";
    QTest::newRow("EAP, manual name off")
        << Page::Eap << "en_US"
        << QVariantMap{{"EAP_use_manual_username", false}, {"EAP_manual_username", "kept"},
                       {"TLS_server_authenticates_client_policy_in_client", true}}
        << QStringList{"frame 'qtn_conn_wpa_eap'", manualSwitch + "off", authSwitch + "on"} << true;
    QTest::newRow("EAP, manual name on")
        << Page::Eap << "en_US" << QVariantMap{{"EAP_use_manual_username", true}, {"EAP_manual_username", "jo"}}
        << QStringList{"frame 'qtn_conn_wpa_eap'", manualSwitch + "on", "  frame 'qtn_conn_manual_user_name'",
                       "    text EAP_manual_username UserNameEdit CommonSingleInputFieldLabeled 'jo'",
                       "  spacer CommonLargeSpacer", authSwitch + "off"}
        << true;

    const QString hidden = "  switch wlan_hidden - 'qtn_conn_other' switch ";
    const QString wpa2 = "  switch EAP_wpa2_only_mode - 'qtn_conn_wpa2_only' switch ";
    const QString title = "frame 'qtn_conn_adv_other'";
    const auto other = [&](const char* name, const char* type, const char* security, const QStringList& rows) {
        QVariantMap map{{"wlan_security", security}, {"wlan_hidden", true}, {"EAP_wpa2_only_mode", false}};
        if (type)
            map.insert("type", type);
        QTest::newRow(name) << Page::Other << "en_US" << map << (QStringList{title} + rows) << !rows.isEmpty();
    };
    other("infrastructure WPA-PSK", "WLAN_INFRA", "WPA_PSK", {hidden + "on", wpa2 + "off"});
    other("infrastructure WPA-EAP", "WLAN_INFRA", "WPA_EAP", {hidden + "on", wpa2 + "off"});
    other("infrastructure WEP", "WLAN_INFRA", "WEP", {hidden + "on"});
    other("infrastructure WAPI certificate", "WLAN_INFRA", "WAI_certificate", {hidden + "on"});
    const QString channels = "  combo wlan_adhoc_channel 'qtn_conn_wlan_adhoc_channel' "
                             "[qtn_conn_adhoc_automatic 1 2 3 4 5 6 7 8 9 10 11] current=";
    other("ad hoc open", "WLAN_ADHOC", "NONE", {channels + "0"});
    other("ad hoc WPA-PSK", "WLAN_ADHOC", "WPA_PSK", {channels + "0", wpa2 + "off"});
    other("no type, open", nullptr, "NONE", {});
    other("other type, WEP", "WLAN_NEW", "WEP", {});
    other("other type, WAPI key", "WLAN_NEW", "WAI_PSK", {});
    other("other type, WPA-EAP", "WLAN_NEW", "WPA_EAP", {wpa2 + "off"});

    QTest::newRow("ad hoc, channel 6")
        << Page::Other << "en_US" << QVariantMap{{"type", "WLAN_ADHOC"}, {"wlan_adhoc_channel", 6}}
        << QStringList{title, channels + "6"} << true;
}

void TestAdvancedSettingsPages::pageRows()
{
    QFETCH(Page, page);
    QFETCH(QString, locale);
    QFETCH(QVariantMap, properties);
    QFETCH(QStringList, expected);
    QFETCH(bool, hasSettings);

    Touch::Locale::setDefault(Touch::Locale(locale));
    PropertyEditorManager manager(properties);
    QScopedPointer<QGraphicsWidget> widget(createPage(page, &manager));

    QCOMPARE(describe(widget.data(), &manager), expected);
    if (auto other = qobject_cast<Velin::OtherAdvancedSettingsWidget*>(widget.data()))
        QCOMPARE(other->hasSettings(), hasSettings);
    QCOMPARE(manager.properties(), properties);  // building a page stores nothing
}

// What a tap or typing on the page stores: the key and the value's type.
void TestAdvancedSettingsPages::editsStoreTypedValues_data()
{
    QTest::addColumn<Page>("page");
    QTest::addColumn<QVariantMap>("properties");
    QTest::addColumn<QString>("action");  // "button N", "switch KEY", "combo ROW", "type NAME TEXT"
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("expected");

    const QVariantMap wep{{"wlan_security", "WEP"}, {"wlan_wepdefkey", 1}};
    QTest::newRow("third button") << Page::WepKeys << wep << "button 2" << "wlan_wepdefkey" << QVariant(3);
    QTest::newRow("WEP key 2") << Page::WepKeys << wep << "type wlan_wepkey2 0A1b2C3d4E" << "wlan_wepkey2"
                               << QVariant(QStringLiteral("0A1b2C3d4E"));

    const QVariantMap eap{{"wlan_security", "WPA_EAP"}, {"EAP_use_manual_username", true}};
    QTest::newRow("manual name off") << Page::Eap << eap << "switch EAP_use_manual_username"
                                     << "EAP_use_manual_username" << QVariant(false);
    QTest::newRow("client authentication on")
        << Page::Eap << eap << "switch TLS_server_authenticates_client_policy_in_client"
        << "TLS_server_authenticates_client_policy_in_client" << QVariant(true);
    QTest::newRow("manual name") << Page::Eap << eap << "type UserNameEdit alice" << "EAP_manual_username"
                                 << QVariant(QStringLiteral("alice"));

    const QVariantMap infra{{"type", "WLAN_INFRA"}, {"wlan_security", "WPA_PSK"}};
    QTest::newRow("hidden on") << Page::Other << infra << "switch wlan_hidden" << "wlan_hidden" << QVariant(true);
    QTest::newRow("WPA2 only on") << Page::Other << infra << "switch EAP_wpa2_only_mode" << "EAP_wpa2_only_mode"
                                  << QVariant(true);
    const QVariantMap adhoc{{"type", "WLAN_ADHOC"}, {"wlan_adhoc_channel", 3}};
    QTest::newRow("automatic channel") << Page::Other << adhoc << "combo 0" << "wlan_adhoc_channel" << QVariant(0);
    QTest::newRow("channel 11") << Page::Other << adhoc << "combo 11" << "wlan_adhoc_channel" << QVariant(11);
}

void TestAdvancedSettingsPages::editsStoreTypedValues()
{
    QFETCH(Page, page);
    QFETCH(QVariantMap, properties);
    QFETCH(QString, action);
    QFETCH(QString, key);
    QFETCH(QVariant, expected);

    WindowFixture fx(QSize(480, 1600));
    PropertyEditorManager manager(properties);
    QGraphicsWidget* widget = createPage(page, &manager);
    fx.showOnPage({widget});
    QSignalSpy changes(&manager, &PropertyEditorManager::propertyChanged);

    const QStringList words = action.split(' ');
    if (words[0] == "button") {
        auto group = findIn<Velin::ButtonGroupContainer>(widget);
        QVERIFY(group);
        QVERIFY(fx.click(group->button(words[1].toInt())));
    } else if (words[0] == "switch") {
        auto button = qobject_cast<Touch::Button*>(manager.widgetForProperty(words[1]));
        QVERIFY(button && widget->isAncestorOf(button));
        QVERIFY(fx.click(button));
    } else if (words[0] == "combo") {
        auto combo = findIn<Touch::ComboBox>(widget);
        QVERIFY(combo);
        QVERIFY(fx.click(combo));
        QTRY_VERIFY(combo->isPopupVisible());
        combo->setCurrentIndex(words[1].toInt());  // as the popup does for the row tapped
        combo->hidePopup();
    } else {
        auto edit = findIn<Touch::TextEdit>(widget, words[1]);
        QVERIFY(edit);
        QVERIFY(fx.typeText(edit, words[2]));
    }

    QCOMPARE(manager.propertyValue(key), expected);
    QCOMPARE(manager.propertyValue(key).userType(), expected.userType());
    QVERIFY(changes.contains(QVariantList{key}));
}

// The user-name field is in the page only while its switch is on, always
// right below it, and the same field with its text comes back.
void TestAdvancedSettingsPages::userNameFieldFollowsItsSwitch_data()
{
    QTest::addColumn<bool>("initially");
    QTest::addColumn<QStringList>("steps");  // "tap", or "KEY=VALUE" set with notification
    QTest::addColumn<bool>("shown");

    QTest::newRow("off, tap") << false << QStringList{"tap"} << true;
    QTest::newRow("on, tap") << true << QStringList{"tap"} << false;
    QTest::newRow("on, tap, tap") << true << QStringList{"tap", "tap"} << true;
    QTest::newRow("off, set elsewhere") << false << QStringList{"EAP_use_manual_username=true"} << true;
    QTest::newRow("on, set twice") << true
                                   << QStringList{"EAP_use_manual_username=false", "EAP_use_manual_username=true",
                                                  "EAP_use_manual_username=true"}
                                   << true;
    QTest::newRow("off, other keys") << false
                                     << QStringList{"EAP_manual_username=x", "wlan_hidden=true",
                                                    "TLS_server_authenticates_client_policy_in_client=true"}
                                     << false;
}

void TestAdvancedSettingsPages::userNameFieldFollowsItsSwitch()
{
    QFETCH(bool, initially);
    QFETCH(QStringList, steps);
    QFETCH(bool, shown);

    WindowFixture fx;
    PropertyEditorManager manager({{"EAP_use_manual_username", initially}, {"EAP_manual_username", "bob"}});
    auto page = new Velin::EapEditWidget(&manager);
    fx.showOnPage({page});
    const QPointer<Touch::TextEdit> edit = findIn<Touch::TextEdit>(page, "UserNameEdit");
    QVERIFY(edit);
    const auto rowsShown = [&] { return shownChildren(page->content()); };
    const QGraphicsWidget* manualRow = rowsShown().first();
    const QGraphicsWidget* authRow = rowsShown().last();

    for (const QString& step : qAsConst(steps)) {
        if (step == "tap") {
            QVERIFY(fx.click(fx.find<Touch::Button>("ManualUserNameSwitch")));
        } else {
            const QStringList parts = step.split('=');
            const QVariant value = parts[1] == "true" ? QVariant(true) : QVariant(parts[1]);
            manager.setPropertyValueWithNotification(parts[0], parts[1] == "false" ? QVariant(false) : value);
        }
    }

    const QList<QGraphicsWidget*> rows = rowsShown();
    QCOMPARE(rows.size(), shown ? 3 : 2);
    QCOMPARE(rows.first(), manualRow);
    QCOMPARE(rows.last(), authRow);
    QVERIFY(edit);  // never rebuilt
    QCOMPARE(edit->isVisible(), shown);
    if (shown) {
        QVERIFY(rows[1]->isAncestorOf(edit));
        QCOMPARE(edit->text(), manager.propertyValue("EAP_manual_username").toString());
        QCOMPARE(fx.find<Touch::TextEdit>("UserNameEdit"), edit.data());
    }
}

// The button-group limit is one setting of the manager: whatever page was
// built before, the default key is a row of buttons and the channel (and the
// security method of the main page) a combo box.
void TestAdvancedSettingsPages::choiceEditorKindIndependentOfPageOrder_data()
{
    QTest::addColumn<int>("limit");  // the manager's limit before the first page
    QTest::addColumn<QStringList>("order");

    QTest::newRow("WEP, other") << 0 << QStringList{"wep", "other"};
    QTest::newRow("other, WEP") << 20 << QStringList{"other", "wep"};
    QTest::newRow("WEP, security, other, WEP") << 13 << QStringList{"wep", "security", "other", "wep"};
    QTest::newRow("EAP, other, security") << 5 << QStringList{"eap", "other", "security"};
    QTest::newRow("other, WEP, security") << 1 << QStringList{"other", "wep", "security"};
}

void TestAdvancedSettingsPages::choiceEditorKindIndependentOfPageOrder()
{
    QFETCH(int, limit);
    QFETCH(QStringList, order);

    PropertyEditorManager manager({{"type", "WLAN_ADHOC"}, {"wlan_security", "WEP"}, {"wlan_wepdefkey", 2}});
    manager.setButtonGroupLimit(limit);
    QList<QSharedPointer<QGraphicsWidget>> pages;
    for (const QString& name : qAsConst(order)) {
        if (name == "wep") {
            pages << QSharedPointer<QGraphicsWidget>(new Velin::WepKeysEditWidget(&manager));
            QVERIFY(qobject_cast<Velin::ButtonGroupContainer*>(manager.widgetForProperty("wlan_wepdefkey")));
        } else if (name == "other") {
            pages << QSharedPointer<QGraphicsWidget>(new Velin::OtherAdvancedSettingsWidget(&manager));
            QVERIFY(qobject_cast<Touch::ComboBox*>(manager.widgetForProperty("wlan_adhoc_channel")));
        } else if (name == "eap") {
            pages << QSharedPointer<QGraphicsWidget>(new Velin::EapEditWidget(&manager));
        } else {
            pages << QSharedPointer<QGraphicsWidget>(new Velin::WlanSecurityWidget(&manager));
            QVERIFY(findIn<Touch::ComboBox>(pages.last().data(), "SecurityCombo"));
            continue;
        }
        // Each advanced page leaves the limit its constructor sets.
        QCOMPARE(manager.buttonGroupLimit(), name == "other" ? 0 : 5);
    }
}

// The main page edits only the default key; the WEP page edits all four and
// chooses the default one.  Both work on the manager, so each shows what the
// other changed.
void TestAdvancedSettingsPages::wepDefaultKeyInStepWithMainPage_data()
{
    QTest::addColumn<QString>("action");  // "button N", "type PAGE-EDIT TEXT", "restore N"
    QTest::addColumn<int>("defaultKey");  // shown by both pages afterwards
    QTest::addColumn<QString>("mainText");

    QTest::newRow("third button") << "button 2" << 3 << "333333333c";
    QTest::newRow("first button") << "button 0" << 1 << "one11";
    QTest::newRow("typed in the default key") << "type wlan_wepkey2 abc" << 2 << "two22abc";
    QTest::newRow("typed in another key") << "type wlan_wepkey4 abc" << 2 << "two22";
    QTest::newRow("typed on the main page") << "type WepEdit 9" << 2 << "two229";
    QTest::newRow("set by the editor") << "restore 4" << 4 << "";
}

void TestAdvancedSettingsPages::wepDefaultKeyInStepWithMainPage()
{
    QFETCH(QString, action);
    QFETCH(int, defaultKey);
    QFETCH(QString, mainText);

    WindowFixture fx(QSize(480, 1800));
    PropertyEditorManager manager({{"type", "WLAN_INFRA"}, {"wlan_security", "WEP"}, {"wlan_wepdefkey", 2},
                                   {"wlan_wepkey1", "one11"}, {"wlan_wepkey2", "two22"},
                                   {"wlan_wepkey3", "333333333c"}});
    auto mainPage = new Velin::WlanSecurityWidget(&manager);
    auto wepPage = new Velin::WepKeysEditWidget(&manager);
    fx.showOnPage({mainPage, wepPage});
    auto group = findIn<Velin::ButtonGroupContainer>(wepPage);
    QVERIFY(group);

    const QStringList words = action.split(' ');
    if (words[0] == "button") {
        QVERIFY(fx.click(group->button(words[1].toInt())));
    } else if (words[0] == "restore") {
        manager.setPropertyValueWithNotification("wlan_wepdefkey", words[1].toInt());
    } else {
        auto edit = fx.find<Touch::TextEdit>(words[1]);
        QVERIFY(edit);
        QVERIFY(fx.typeText(edit, words[2]));
    }

    QCOMPARE(manager.propertyValue("wlan_wepdefkey"), QVariant(defaultKey));
    QCOMPARE(group->checkedIndex(), defaultKey - 1);
    const QList<QGraphicsWidget*> mainEdits = fx.findWidgets("WepEdit");
    QList<QGraphicsWidget*> shownMainEdits;
    for (QGraphicsWidget* edit : mainEdits) {
        if (edit->isVisible())
            shownMainEdits << edit;
    }
    QCOMPARE(shownMainEdits.size(), 1);
    auto mainEdit = qobject_cast<Touch::TextEdit*>(shownMainEdits.first());
    const QString defaultKeyName = QStringLiteral("wlan_wepkey%1").arg(defaultKey);
    QCOMPARE(mainEdit->text(), mainText);
    QCOMPARE(fx.find<Touch::TextEdit>(defaultKeyName, wepPage)->text(), mainText);
    QCOMPARE(manager.propertyValue(defaultKeyName).toString(), mainText);
}

QTEST_MAIN(TestAdvancedSettingsPages)
#include "tst_advancedsettingspages.moc"
