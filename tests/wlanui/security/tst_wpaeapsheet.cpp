// The WPA-EAP sheet: what it shows for each type and method, what a change
// rebuilds, when it may be accepted and what it returns.
#include "../prompts/promptstesthelpers.h"
#include "dconffixture.h"
#include "privatebus.h"
#include "windowfixture.h"

#include "wlanui/security/wpaeapsheet.h"
#include "wlanui/security/wpaeapsheet_p.h"

#include "base/certificatemodel.h"
#include "base/connectionlistitem.h"
#include "base/propertyeditormanager.h"
#include "base/simplecheckboxlabel.h"
#include "base/simpleframe.h"
#include "touch/button.h"
#include "touch/combobox.h"

#include <QTemporaryDir>
#include <QtTest>

#include "devcerts/certificatefactory.h"

using Velin::WpaEapSheet;

namespace {

const QString Root = QStringLiteral("/system/ravo/connectivity/ui/wpaeap/");
const QString CertificateKey = QStringLiteral("EAP_TLS_PEAP_client_certificate_file");

// TLS 13, PEAP 25 with EAP-MSCHAPv2 and EAP-GTC, TTLS 21 with EAP-MSCHAPv2 and
// plain MSCHAPv2 (no EAP-GTC).
QVariantMap catalogue()
{
    QVariantMap store;
    const auto type = [&](const char* dir, int value, const char* name, const QStringList& methods) {
        store.insert(Root + "type/" + dir + "/value", value);
        store.insert(Root + "type/" + dir + "/logical_name", QString::fromLatin1(name));
        if (!methods.isEmpty())
            store.insert(Root + "type/" + dir + "/methods", methods);
    };
    type("1_TLS", 13, "txt_tls", {});
    type("2_PEAP", 25, "txt_peap", {"EAP_MSCHAPV2", "EAP_GTC"});
    type("3_TTLS", 21, "txt_ttls", {"EAP_MSCHAPV2", "MSCHAPV2"});
    const QList<QPair<QString, int>> methods = {{"EAP_GTC", 6}, {"EAP_MSCHAPV2", 26}, {"MSCHAPV2", 282}};
    for (const auto& method : methods) {
        store.insert(Root + "method/" + method.first + "/value", method.second);
        store.insert(Root + "method/" + method.first + "/logical_name", "txt_" + method.first.toLower());
    }
    return store;
}

Velin::WpaEapSheetPrivate* companion(WpaEapSheet* sheet)
{
    return sheet->findChild<Velin::WpaEapSheetPrivate*>();
}

// The sheet top to bottom: combos as "title = shown text", fields as
// "title:bound key", the method container in brackets.
QStringList describe(WpaEapSheet* sheet)
{
    const Velin::PropertyEditorManager* manager = companion(sheet)->manager;
    const auto keyOf = [manager](QGraphicsWidget* editor) {
        const QMap<QString, QVariant> map = manager->properties();
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            if (editor && manager->widgetForProperty(it.key()) == editor)
                return it.key();
        }
        return QStringLiteral("unbound");
    };
    QStringList lines;
    for (QGraphicsWidget* widget : PromptsTest::contentWidgets(sheet->content())) {
        if (auto item = qobject_cast<Velin::ConnectionListItem*>(widget)) {
            lines << "network " + item->label();
        } else if (auto combo = qobject_cast<Touch::ComboBox*>(widget)) {
            lines << combo->title() + " = " + combo->currentText();
        } else if (widget->layout()) {
            QStringList fields;
            for (QGraphicsWidget* field : PromptsTest::stacked(widget)) {
                if (auto frame = qobject_cast<Velin::SimpleFrame*>(field))
                    fields << frame->title() + ":" + keyOf(frame->content());
                else if (auto row = qobject_cast<Velin::SimpleCheckBoxLabel*>(field))
                    fields << "prompt:" + keyOf(row->button());
            }
            lines << "[" + fields.join(", ") + "]";
        } else {
            lines << (widget->maximumSize() == QSizeF(0, 0) ? "empty" : "?");
        }
    }
    return lines;
}

// The widget with that object name, or the combo box with that title.
template <typename T>
T* named(WpaEapSheet* sheet, const char* name)
{
    for (T* widget : PromptsTest::itemsOfType<T>(sheet)) {
        if (widget->objectName() == QLatin1String(name) || widget->property("title").toString() == QLatin1String(name))
            return widget;
    }
    return nullptr;
}

Touch::TextEdit* edit(WpaEapSheet* sheet, const char* name)
{
    return named<Touch::TextEdit>(sheet, name);
}

// "type N" or "method N": picks entry N of that combo box.
bool choose(WpaEapSheet* sheet, const QString& step)
{
    const QStringList parts = step.split(' ');
    auto box = named<Touch::ComboBox>(sheet, parts.at(0) == "type" ? "qtn_conn_eap_type" : "qtn_conn_eap_method");
    if (box)
        box->setCurrentIndex(parts.at(1).toInt());
    return box;
}

// What properties() returns for a tunnelled type.
QVariantMap tunnelled(int type, int method, const QString& prefix, const QString& user, const QString& password,
                      const QString& certificate = QString(""))
{
    const bool gtc = prefix == "EAP_GTC_";
    return {{"EAP_default_type", type}, {"PEAP_tunneled_eap_type", method},
            {prefix + (gtc ? "identity" : "username"), user}, {prefix + (gtc ? "passcode" : "password"), password},
            {"EAP_MSCHAPV2_password_prompt", false}, {CertificateKey, certificate}};
}

const QStringList TlsLayout = {"network Office", "qtn_conn_eap_type = txt_tls", "qtn_conn_select_certificate = qtn_conn_none"};
const QString GtcFields = "[qtn_conn_username:EAP_GTC_identity, prompt:EAP_MSCHAPV2_password_prompt, qtn_conn_password:EAP_GTC_passcode]";
const QString MsFields = "[qtn_conn_username:EAP_MSCHAPV2_username, prompt:EAP_MSCHAPV2_password_prompt, qtn_conn_password:EAP_MSCHAPV2_password]";

} // namespace

class TestWpaEapSheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void freshSheetIsTls();
    void layoutFollowsTypeAndMethod_data();
    void layoutFollowsTypeAndMethod();
    void promptSwitchMovesPasswordFrame_data();
    void promptSwitchMovesPasswordFrame();
    void acceptNeedsCredentials_data();
    void acceptNeedsCredentials();
    void propertiesAfterAcceptance_data();
    void propertiesAfterAcceptance();
    void emptyCatalogue();
    void credentialsNeverLogged();

private:
    DconfFixture m_store;
    QTemporaryDir m_certificates;
};

void TestWpaEapSheet::initTestCase()
{
    QVERIFY(m_store.load(catalogue()));
    CertificateSubject subject;
    subject.commonName = QStringLiteral("Office client");
    const TestCertificate client = CertificateFactory::createRoot(subject);
    QVERIFY(CertificateFactory::writePem(m_certificates.filePath("client.pem"), client));
    Velin::CertificateModel::setDefaultDirectory(m_certificates.path());
}

void TestWpaEapSheet::freshSheetIsTls()
{
    WpaEapSheet sheet(QStringLiteral("Office"));
    QCOMPARE(sheet.styleName(), QStringLiteral("Inverted"));
    QCOMPARE(describe(&sheet), TlsLayout);
    QVERIFY(sheet.isAcceptEnabled());
    QVERIFY(companion(&sheet)->widgets.isEmpty());

    auto item = qobject_cast<Velin::ConnectionListItem*>(PromptsTest::contentWidgets(sheet.content()).at(0));
    QCOMPARE((QStringList{item->styleName(), item->typeImageName(), item->securityImageName()}),
             (QStringList{"ImageCellSecurity", "icon-m-common-wlan", "icon-s-wlan-wpa"}));
    QCOMPARE(item->acceptedMouseButtons(), Qt::NoButton);
    auto types = named<Touch::ComboBox>(&sheet, "qtn_conn_eap_type");
    QCOMPARE((QStringList{types->itemText(0), types->itemText(1), types->itemText(2)}),
             (QStringList{"txt_tls", "txt_peap", "txt_ttls"}));
    QCOMPARE(types->styleName() + named<Touch::ComboBox>(&sheet, "qtn_conn_select_certificate")->styleName(),
             QStringLiteral("CommonComboBoxCommonComboBox"));

    const QVariantMap initial = companion(&sheet)->manager->properties();
    QCOMPARE(initial, (QVariantMap{{"EAP_default_type", 13}, {"PEAP_tunneled_eap_type", 6},
                                   {"EAP_MSCHAPV2_username", ""}, {"EAP_MSCHAPV2_password", ""},
                                   {"EAP_MSCHAPV2_password_prompt", false}, {"EAP_GTC_identity", ""},
                                   {"EAP_GTC_passcode", ""}, {CertificateKey, ""}}));
    QCOMPARE(initial.value("EAP_default_type").userType(), int(QMetaType::Int));
    QCOMPARE(initial.value("EAP_MSCHAPV2_password_prompt").userType(), int(QMetaType::Bool));
    QCOMPARE(sheet.properties(), (QVariantMap{{"EAP_default_type", 13}, {CertificateKey, ""}}));
}

void TestWpaEapSheet::layoutFollowsTypeAndMethod_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("layout");
    QTest::addColumn<int>("widgetCount");
    QTest::addColumn<bool>("acceptEnabled");

    const QStringList peap = TlsLayout.mid(0, 1) + QStringList{"qtn_conn_eap_type = txt_peap", TlsLayout.at(2)};
    const QStringList ttls = TlsLayout.mid(0, 1) + QStringList{"qtn_conn_eap_type = txt_ttls", TlsLayout.at(2)};
    QTest::newRow("PEAP keeps EAP-GTC") << QStringList{"type 1"}
        << peap + QStringList{"qtn_conn_eap_method = txt_eap_gtc", "empty", GtcFields} << 3 << false;
    // EAP-GTC is not offered: the last method, not the first.
    QTest::newRow("TTLS takes its last method") << QStringList{"type 2"}
        << ttls + QStringList{"qtn_conn_eap_method = txt_mschapv2", "empty", MsFields} << 3 << false;
    QTest::newRow("method change adds one empty widget") << QStringList{"type 1", "method 0"}
        << peap + QStringList{"qtn_conn_eap_method = txt_eap_mschapv2", "empty", "empty", MsFields} << 4 << false;
    QTest::newRow("second method change keeps the size") << QStringList{"type 1", "method 0", "method 1"}
        << peap + QStringList{"qtn_conn_eap_method = txt_eap_gtc", "empty", "empty", GtcFields} << 4 << false;
    QTest::newRow("type change keeps an offered method") << QStringList{"type 1", "method 0", "type 2"}
        << ttls + QStringList{"qtn_conn_eap_method = txt_eap_mschapv2", "empty", MsFields} << 3 << false;
    QTest::newRow("back to TLS") << QStringList{"type 2", "type 0"} << TlsLayout << 0 << true;
}

void TestWpaEapSheet::layoutFollowsTypeAndMethod()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, layout);
    QFETCH(int, widgetCount);
    QFETCH(bool, acceptEnabled);

    WpaEapSheet sheet(QStringLiteral("Office"));
    QPointer<QGraphicsWidget> typeCombo = named<Touch::ComboBox>(&sheet, "qtn_conn_eap_type");
    for (const QString& step : steps) {
        const QList<QGraphicsWidget*> before = companion(&sheet)->widgets;
        QList<QPointer<QGraphicsWidget>> old;
        for (QGraphicsWidget* widget : before)
            old << widget;
        QVERIFY(choose(&sheet, step));
        // A method change keeps the method combo and the first empty widget;
        // a type change replaces everything below the certificate combo.
        const int kept = step.startsWith("method") ? 2 : 0;
        for (int i = 0; i < old.size(); ++i)
            QCOMPARE(old.at(i).isNull(), i >= kept);
        QCOMPARE(companion(&sheet)->widgets.mid(0, kept), before.mid(0, kept));
    }
    QCOMPARE(describe(&sheet), layout);
    QCOMPARE(companion(&sheet)->widgets.size(), widgetCount);
    QCOMPARE(sheet.isAcceptEnabled(), acceptEnabled);
    QVERIFY(typeCombo);
}

void TestWpaEapSheet::promptSwitchMovesPasswordFrame_data()
{
    QTest::addColumn<QString>("method");
    QTest::newRow("EAP-GTC") << "method 1";
    QTest::newRow("EAP-MSCHAPv2") << "method 0";
}

void TestWpaEapSheet::promptSwitchMovesPasswordFrame()
{
    QFETCH(QString, method);

    WindowFixture fx;
    QPointer<WpaEapSheet> sheet = new WpaEapSheet(QStringLiteral("Office"));
    QVERIFY(choose(sheet, "type 1") && choose(sheet, method));
    sheet->appear(fx.window());
    QTRY_COMPARE(sheet->sceneWindowState(), Touch::SceneWindow::Appeared);
    edit(sheet, "PasswordEdit")->setText("s3cret");
    const auto fields = [&] { return describe(sheet).last(); };
    const QString withPassword = fields();
    const QString withoutPassword = QString(withPassword).replace(QRegularExpression(", qtn_conn_password:.*\\]"), "]");

    auto button = named<Touch::Button>(sheet, "PromptPasswordButton");
    QVERIFY(fx.click(button));
    QVERIFY(button->isChecked());
    QCOMPARE(fields(), withoutPassword);
    QVERIFY(fx.click(button));
    QCOMPARE(fields(), withPassword);
    QCOMPARE(edit(sheet, "PasswordEdit")->text(), QStringLiteral("s3cret"));

    // Built while prompted, the frame is out of every layout: the sheet
    // deletes it when the fields are rebuilt, and when it goes itself.
    const QString other = method == "method 0" ? "method 1" : "method 0";
    QVERIFY(fx.click(button));
    QVERIFY(choose(sheet, other));
    QVERIFY(describe(sheet).last().endsWith("prompt:EAP_MSCHAPV2_password_prompt]"));
    QPointer<Velin::SimpleFrame> outside = companion(sheet)->passwordFrame;
    QVERIFY(outside && !outside->parentItem());
    QVERIFY(choose(sheet, method));
    QVERIFY(outside.isNull());
    outside = companion(sheet)->passwordFrame;
    QVERIFY(outside && !outside->parentItem());
    delete sheet.data();
    QVERIFY(outside.isNull());
}

void TestWpaEapSheet::acceptNeedsCredentials_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("prompt");
    QTest::addColumn<bool>("enabled");
    for (const char* method : {"method 0", "method 1"}) {
        const QByteArray m(method);
        QTest::newRow(m + ": nothing") << method << "" << "" << false << false;
        QTest::newRow(m + ": user only") << method << "u" << "" << false << false;
        QTest::newRow(m + ": password only") << method << "" << "p" << false << false;
        QTest::newRow(m + ": both") << method << "u" << "p" << false << true;
        QTest::newRow(m + ": user, prompted") << method << "u" << "" << true << true;
        QTest::newRow(m + ": prompted without user") << method << "" << "p" << true << false;
    }
}

void TestWpaEapSheet::acceptNeedsCredentials()
{
    QFETCH(QString, method);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(bool, prompt);
    QFETCH(bool, enabled);

    WindowFixture fx;
    WpaEapSheet sheet(QStringLiteral("Office"));
    QVERIFY(choose(&sheet, "type 1") && choose(&sheet, method));
    sheet.appear(fx.window());
    QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);
    edit(&sheet, "UserNameEdit")->setText(user);
    edit(&sheet, "PasswordEdit")->setText(password);
    if (prompt)
        QVERIFY(fx.click(named<Touch::Button>(&sheet, "PromptPasswordButton")));
    QCOMPARE(sheet.isAcceptEnabled(), enabled);

    // TLS asks for nothing, whatever the fields held.
    QVERIFY(choose(&sheet, "type 0"));
    QVERIFY(sheet.isAcceptEnabled());
}

void TestWpaEapSheet::propertiesAfterAcceptance_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QStringList>("then");  // after typing
    QTest::addColumn<QVariantMap>("expected");

    const QString certificate = m_certificates.filePath("client.pem");
    QTest::newRow("TLS with a certificate") << QStringList{"type 0"} << "" << "" << QStringList()
        << QVariantMap{{"EAP_default_type", 13}, {CertificateKey, certificate}};
    QTest::newRow("PEAP with EAP-GTC") << QStringList{"type 1"} << "alice" << "123456" << QStringList()
        << tunnelled(25, 6, "EAP_GTC_", "alice", "123456");
    QTest::newRow("PEAP with EAP-MSCHAPv2") << QStringList{"type 1", "method 0"} << "bob" << "pa55 word"
        << QStringList() << tunnelled(25, 26, "EAP_MSCHAPV2_", "bob", "pa55 word");
    QTest::newRow("TTLS with MSCHAPv2 and a certificate") << QStringList{"type 2"} << "carol" << "x" << QStringList()
        << tunnelled(21, 282, "EAP_MSCHAPV2_", "carol", "x", certificate);
    // What was typed follows a switch between the two methods.
    QTest::newRow("typed under EAP-GTC, sent as EAP-MSCHAPv2") << QStringList{"type 1"} << "dave" << "pw"
        << QStringList{"method 0"} << tunnelled(25, 26, "EAP_MSCHAPV2_", "dave", "pw");
    QTest::newRow("typed under EAP-MSCHAPv2, sent as EAP-GTC") << QStringList{"type 1", "method 0"} << "erin" << "pw"
        << QStringList{"method 1", "method 0", "method 1"} << tunnelled(25, 6, "EAP_GTC_", "erin", "pw");
}

void TestWpaEapSheet::propertiesAfterAcceptance()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QStringList, then);
    QFETCH(QVariantMap, expected);

    WindowFixture fx;
    WpaEapSheet sheet(QStringLiteral("Office"));
    for (const QString& step : steps)
        QVERIFY(choose(&sheet, step));
    named<Touch::ComboBox>(&sheet, "qtn_conn_select_certificate")->setCurrentIndex(expected.value(CertificateKey) == "" ? 0 : 1);
    bool typed = true;
    QStringList shown;
    QSignalSpy finished(&sheet, &Velin::SimpleSheet::finished);
    connect(&sheet, &Velin::SimpleSheet::appeared, this, [&] {
        if (!user.isEmpty())
            typed = fx.typeText(edit(&sheet, "UserNameEdit"), user) && fx.typeText(edit(&sheet, "PasswordEdit"), password);
        for (const QString& step : then)
            typed = choose(&sheet, step) && typed;
        if (!user.isEmpty())
            shown << edit(&sheet, "UserNameEdit")->text() << edit(&sheet, "PasswordEdit")->text();
        typed = fx.click(fx.findWidget(QStringLiteral("SheetAcceptButton"), &sheet)) && typed;
        if (!sheet.isRejected() && finished.isEmpty())
            sheet.reject();  // not accepted: fail now rather than wait
    });
    QCOMPARE(sheet.exec(fx.window()), 1);
    QVERIFY(typed);
    QCOMPARE(shown, (user.isEmpty() ? QStringList() : QStringList{user, password}));
    QCOMPARE(sheet.properties(), expected);
}

void TestWpaEapSheet::emptyCatalogue()
{
    DconfFixture store;
    QVERIFY(store.load({{QStringLiteral("/system/ravo/other/key"), 1}}));
    WpaEapSheet sheet(QStringLiteral("Office"));
    QCOMPARE(named<Touch::ComboBox>(&sheet, "qtn_conn_eap_type")->count(), 0);
    QCOMPARE(describe(&sheet), (QStringList{"network Office", "qtn_conn_eap_type = ", TlsLayout.at(2), "empty", MsFields}));
    edit(&sheet, "UserNameEdit")->setText("dave");
    edit(&sheet, "PasswordEdit")->setText("pw");
    QVERIFY(sheet.isAcceptEnabled());
    QCOMPARE(sheet.properties(), (QVariantMap{{CertificateKey, ""}}));
}

void TestWpaEapSheet::credentialsNeverLogged()
{
    const QString user = QStringLiteral("zebra-user");
    const QString password = QStringLiteral("violet-pass");
    PromptsTest::LogCapture log;
    {
        WindowFixture fx;
        WpaEapSheet sheet(QStringLiteral("Office"));
        QVERIFY(choose(&sheet, "type 1") && choose(&sheet, "method 0"));
        sheet.appear(fx.window());
        QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);
        Touch::TextEdit* secret = edit(&sheet, "PasswordEdit");
        QCOMPARE(secret->echoMode(), Touch::TextEdit::Password);
        QVERIFY(!secret->inputMethodPredictionEnabled() && !secret->inputMethodCorrectionEnabled()
                && !secret->inputMethodAutoCapitalizationEnabled());
        QVERIFY(fx.typeText(edit(&sheet, "UserNameEdit"), user));
        QVERIFY(fx.typeText(secret, password));
        QVERIFY(fx.click(named<Touch::Button>(&sheet, "PromptPasswordButton")));
        QVERIFY(choose(&sheet, "method 1") && choose(&sheet, "type 2") && choose(&sheet, "type 0"));
        sheet.properties();
    }
    QVERIFY(PromptsTest::LogCapture::mentionsNone({user, password}));
}

VELIN_TEST_MAIN_WITH_BUS(TestWpaEapSheet)
#include "tst_wpaeapsheet.moc"
