// The flows in which the user types a key, passphrase, PIN or password, run
// with every log channel on: no secret may reach any message, in clear or in
// an encoding a log would use for bytes.
#include "../prompts/promptstesthelpers.h"
#include "privatebus.h"
#include "sheetcatalogue.h"
#include "windowfixture.h"

#include "base/certificatemodel.h"
#include "net/connectionprocess.h"
#include "net/internetaccesspointtypeinterface.h"
#include "platformsimfixture.h"
#include "touch/applicationwindow.h"
#include "touch/combobox.h"
#include "touch/textedit.h"

#include <QLoggingCategory>
#include <QPluginLoader>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

using Velin::SimpleSheet;

namespace {

Q_LOGGING_CATEGORY(lcLeak, "velin.test.leak")

// The networks of the simulated platform, with the credentials the plug-in
// flows type; a connection succeeds only with them.
const char Networks[] = R"({"networks": [
    {"ssid": "Library", "security": "WEP", "credentials": {"wlan_wepkey1": "Kx4Rw9Tq2Zm7B"}},
    {"ssid": "Home", "security": "WPA_PSK", "credentials": {"EAP_wpa_preshared_passphrase": "Psk-Plugin-Gannet-93"}}
]})";

// Every message of every channel and category while alive.
class AllMessages
{
public:
    AllMessages()
    {
        lines().clear();
        m_previous = qInstallMessageHandler(&AllMessages::handle);
    }
    ~AllMessages() { qInstallMessageHandler(m_previous); }

    static QStringList& lines()
    {
        static QStringList all;
        return all;
    }

    // The forms a secret takes in a message: as typed, and its bytes in hex
    // or base64. Digits-only secrets count only where no digit adjoins.
    static QStringList mentions(const QStringList& secrets)
    {
        QStringList found;
        for (const QString& secret : secrets) {
            const QByteArray bytes = secret.toUtf8();
            const QStringList forms = {QRegularExpression::escape(secret),
                                       QString::fromLatin1(bytes.toHex()), QString::fromLatin1(bytes.toHex().toUpper()),
                                       QRegularExpression::escape(QString::fromLatin1(bytes.toBase64()))};
            for (const QString& form : forms) {
                const QRegularExpression pattern(QStringLiteral("(?<![0-9])") + form + QStringLiteral("(?![0-9])"));
                for (const QString& line : qAsConst(lines())) {
                    if (pattern.match(line).hasMatch())
                        found << secret + QStringLiteral(" in: ") + line.left(200);
                }
            }
        }
        return found;
    }

private:
    static void handle(QtMsgType, const QMessageLogContext& context, const QString& message)
    {
        lines() << QString::fromLatin1(context.category ? context.category : "") + QLatin1String(": ") + message;
    }

    QtMessageHandler m_previous = nullptr;
};

Touch::TextEdit* field(WindowFixture& fx, SimpleSheet* sheet, const QString& objectName)
{
    return fx.find<Touch::TextEdit>(objectName, sheet);
}

Touch::TextEdit* firstField(SimpleSheet* sheet)
{
    const QList<Touch::TextEdit*> edits = PromptsTest::itemsOfType<Touch::TextEdit>(sheet);
    return edits.isEmpty() ? nullptr : edits.first();
}

bool choose(SimpleSheet* sheet, const QString& title, int index)
{
    for (Touch::ComboBox* box : PromptsTest::itemsOfType<Touch::ComboBox>(sheet)) {
        if (box->title() == title) {
            box->setCurrentIndex(index);
            return true;
        }
    }
    return false;
}

} // namespace

class TestNoSecretInLogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void typedSecretsNeverLogged_data();
    void typedSecretsNeverLogged();

private:
    // Runs one flow on a shown sheet; false when it could not be played.
    bool play(const QString& flow, WindowFixture& fx, QStringList* secrets);
    // The framework's way: the plug-in prepares the access point (the user
    // types into the sheet it shows), then the connection is made with it.
    bool prepareAndConnect(const QVariantList& data, const QString& secret, WindowFixture& fx);

    SheetCatalogue::Environment m_env;
    QTemporaryDir m_files;
    PlatformSimFixture m_sim;
    QPluginLoader m_loader{QStringLiteral(VELIN_WLANTYPE_PLUGIN)};
    InternetAccessPointTypeInterface* m_type = nullptr;
};

void TestNoSecretInLogs::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=true"));
    // Really on, for Qt's own categories as for ours.
    QVERIFY(QLoggingCategory("qt.widgets.gestures").isDebugEnabled());
    QVERIFY(lcLeak().isDebugEnabled());
    // The simulated platform serves the connectivity daemon; prepared
    // networks are saved to the user database.
    QVERIFY(m_env.start(false, true));
    qputenv("CANBERRA_DRIVER", "velin-no-such-driver");
    qputenv("VELIN_WLAN_KEY_FILE", QFile::encodeName(m_files.filePath(QStringLiteral("no-key-file"))));
    Velin::CertificateModel::setDefaultDirectory(m_files.path());
    m_sim.setNetworks(Networks);
    m_sim.setSaveSettings(true);
    QVERIFY(m_sim.start());
    m_type = qobject_cast<InternetAccessPointTypeInterface*>(m_loader.instance());
    QVERIFY2(m_type, qPrintable(m_loader.errorString()));
}

void TestNoSecretInLogs::cleanup()
{
    PromptsTest::deleteBanners();
}

void TestNoSecretInLogs::typedSecretsNeverLogged_data()
{
    QTest::addColumn<QString>("flow");
    QTest::addColumn<bool>("leakOnPurpose");
    for (const char* flow : {"WEP key", "WPA pre-shared key", "WPA-EAP password", "WAPI pre-shared key", "WPS PIN",
                             "EAP-GTC response", "MSCHAPv2 password change", "plug-in, WEP network connected",
                             "plug-in, WPA-PSK network connected"})
        QTest::newRow(flow) << QString::fromLatin1(flow) << false;
    // The check itself: a secret that does reach a log is found.
    QTest::newRow("WEP key, logged on purpose") << "WEP key" << true;
    QTest::newRow("WPS PIN, logged on purpose") << "WPS PIN" << true;
}

void TestNoSecretInLogs::typedSecretsNeverLogged()
{
    QFETCH(QString, flow);
    QFETCH(bool, leakOnPurpose);
    QStringList secrets;
    QStringList found;
    {
        AllMessages messages;
        WindowFixture fx;
        QVERIFY2(play(flow, fx, &secrets), qPrintable(flow));
        if (leakOnPurpose)
            qCDebug(lcLeak) << "typed:" << secrets.last().toUtf8().toHex();
        PromptsTest::deleteBanners();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!AllMessages::lines().isEmpty());
        found = AllMessages::mentions(secrets);
    }
    QVERIFY(!secrets.isEmpty());
    if (leakOnPurpose)
        QVERIFY(!found.isEmpty());
    else
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
}

bool TestNoSecretInLogs::play(const QString& flow, WindowFixture& fx, QStringList* secrets)
{
    const QString name = flow == QLatin1String("WEP key")  ? QStringLiteral("WEP key")
        : flow == QLatin1String("WPA pre-shared key")      ? QStringLiteral("WPA pre-shared key")
        : flow == QLatin1String("WPA-EAP password")        ? QStringLiteral("WPA-EAP")
        : flow == QLatin1String("WAPI pre-shared key")     ? QStringLiteral("WAPI pre-shared key")
        : flow == QLatin1String("WPS PIN")                 ? QStringLiteral("WPS progress")
        : flow == QLatin1String("EAP-GTC response")        ? QStringLiteral("EAP-GTC response")
                                                           : QStringLiteral("MSCHAPv2 password change");
    if (flow.startsWith(QLatin1String("plug-in"))) {
        const bool wep = flow.contains(QLatin1String("WEP"));
        *secrets << QString::fromLatin1(wep ? "Kx4Rw9Tq2Zm7B" : "Psk-Plugin-Gannet-93");
        const QVariantList data = {QStringLiteral("WLAN"), 0u, QStringLiteral("wlan0"), QStringLiteral("WLAN_INFRA"),
                                   wep ? 0x11u : 0x21u, wep ? QByteArray("Library\0", 8) : QByteArray("Home\0", 5)};
        return prepareAndConnect(data, secrets->first(), fx);
    }
    if (flow == QLatin1String("WPS PIN")) {
        // The PIN is made by the process and shown to be typed on the router.
        Velin::WifiProtectedSetupProcess* process = m_env.newProcess();
        process->setMethod(Velin::WifiProtectedSetupProcess::PinMethod);
        secrets->append(process->pinCode());
        auto sheet = new Velin::WifiProtectedSetupSheet(process, m_env.accessPoint(), QStringLiteral("Office"));
        QSignalSpy finished(sheet, &SimpleSheet::finished);
        sheet->appear(fx.window());
        const bool shown = QTest::qWaitFor([sheet] { return sheet->sceneWindowState() == Touch::SceneWindow::Appeared; });
        Touch::TextEdit* pin = field(fx, sheet, QStringLiteral("PinEdit"));
        const bool pinShown = pin && pin->text() == secrets->first() && secrets->first().size() == 8;
        QTest::qWait(50);
        fx.keyClick(Qt::Key_Escape);
        const bool closed = finished.count() == 1;
        delete sheet;
        return shown && pinShown && closed;
    }

    std::unique_ptr<SimpleSheet> sheet(SheetCatalogue::factory(name)(m_env));
    QSignalSpy accepted(sheet.get(), &SimpleSheet::accepted);
    sheet->appear(fx.window());
    if (!QTest::qWaitFor([&sheet] { return sheet->sceneWindowState() == Touch::SceneWindow::Appeared; }))
        return false;
    bool typed = false;
    if (flow == QLatin1String("WEP key")) {
        *secrets << QStringLiteral("Wq7xZ2kP9mL4v");
        // Refusals on the way explain themselves without the key.
        typed = PromptsTest::typeKeys(fx, firstField(sheet.get()), secrets->first() + QStringLiteral("\u00e9"));
        fx.keyClick(Qt::Key_Return);
        typed = typed && static_cast<Velin::WepKeySheet*>(sheet.get())->wepKey() == secrets->first();
    } else if (flow == QLatin1String("WPA pre-shared key")) {
        *secrets << QStringLiteral("Psk-Violet-Heron-2718");
        typed = PromptsTest::typeKeys(fx, firstField(sheet.get()), QStringLiteral("short\u00e9"));
        fx.keyClick(Qt::Key_Return);
        fx.keyClick(Qt::Key_A, Qt::ControlModifier);
        typed = typed && fx.typeText(firstField(sheet.get()), secrets->first());
        fx.keyClick(Qt::Key_Return);
        typed = typed && static_cast<Velin::WpaPskSheet*>(sheet.get())->wpaPsk() == secrets->first();
    } else if (flow == QLatin1String("WPA-EAP password")) {
        *secrets << QStringLiteral("Eap-Pass-Quokka-31");
        // PEAP with EAP-MSCHAPv2: a user name and a password.
        typed = choose(sheet.get(), QStringLiteral("qtn_conn_eap_type"), 1)
            && choose(sheet.get(), QStringLiteral("qtn_conn_eap_method"), 0)
            && fx.typeText(field(fx, sheet.get(), QStringLiteral("UserNameEdit")), QStringLiteral("marmot"))
            && fx.typeText(field(fx, sheet.get(), QStringLiteral("PasswordEdit")), secrets->first());
        fx.keyClick(Qt::Key_Return);
        const QVariantMap properties = static_cast<Velin::WpaEapSheet*>(sheet.get())->properties();
        typed = typed && properties.values().contains(secrets->first());
    } else if (flow == QLatin1String("WAPI pre-shared key")) {
        *secrets << QStringLiteral("Wapi-Secret-Otter-77");
        typed = fx.typeText(field(fx, sheet.get(), QStringLiteral("WapiPskEdit")), secrets->first());
        fx.keyClick(Qt::Key_Return);
        const QVariantMap properties = static_cast<Velin::WapiSheet*>(sheet.get())->properties();
        typed = typed && properties.value(QStringLiteral("EAP_wpa_preshared_key")).toByteArray() == secrets->first().toUtf8();
    } else if (flow == QLatin1String("EAP-GTC response")) {
        *secrets << QStringLiteral("Gtc-Token-Pelican-5");
        typed = fx.typeText(field(fx, sheet.get(), QStringLiteral("ResponseEdit")), secrets->first());
        fx.keyClick(Qt::Key_Return);
        typed = typed && static_cast<Velin::EapGtcResponseSheet*>(sheet.get())->response() == secrets->first();
    } else {
        // The catalogue's sheet knows "old-secret" as the stored password.
        *secrets << QStringLiteral("old-secret") << QStringLiteral("Ms-Wrong-Egret-44") << QStringLiteral("Ms-New-Ibis-66");
        // A wrong old password first: refused with a banner, then the right one.
        typed = fx.typeText(field(fx, sheet.get(), QStringLiteral("OldPasswordEdit")), secrets->at(1))
            && fx.typeText(field(fx, sheet.get(), QStringLiteral("NewPasswordEdit")), secrets->at(2))
            && fx.typeText(field(fx, sheet.get(), QStringLiteral("NewPasswordVerifyEdit")), secrets->at(2));
        fx.keyClick(Qt::Key_Return);
        typed = typed && accepted.isEmpty();
        field(fx, sheet.get(), QStringLiteral("OldPasswordEdit"))->clear();
        typed = typed && fx.typeText(field(fx, sheet.get(), QStringLiteral("OldPasswordEdit")), secrets->at(0));
        fx.keyClick(Qt::Key_Return);
    }
    QTest::qWait(20);
    return typed && accepted.count() == 1;
}

bool TestNoSecretInLogs::prepareAndConnect(const QVariantList& data, const QString& secret, WindowFixture& fx)
{
    // The user: the key goes into the sheet's field, Enter confirms.
    int sheets = 0;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto sheet = qobject_cast<SimpleSheet*>(fx.window()->currentSceneWindow());
        if (!sheet || sheet->sceneWindowState() != Touch::SceneWindow::Appeared || sheets > 0)
            return;
        ++sheets;
        if (fx.typeText(firstField(sheet), secret))
            fx.keyClick(Qt::Key_Return);
        else
            sheet->reject();
    });
    user.start(10);
    const Velin::InternetAccessPoint prepared = m_type->createInternetAccessPoint(data);
    user.stop();
    if (sheets != 1 || !prepared.isValid() || !prepared.properties().values().contains(secret))
        return false;

    Velin::ConnectionProcess connection;
    QSignalSpy finished(&connection, &Velin::ConnectionProcess::finished);
    QSignalSpy error(&connection, &Velin::ConnectionProcess::error);
    connection.addInternetAccessPoint(prepared);
    connection.start();
    return QTest::qWaitFor([&] { return finished.count() + error.count() > 0; }, 10000) && finished.count() == 1;
}

VELIN_TEST_MAIN_WITH_BUS(TestNoSecretInLogs)
#include "tst_nosecretinlogs.moc"
