// Connection preparation end to end: the plug-in loaded as the framework
// loads it, the simulated WLAN, EAP and connectivity daemons on a private
// bus, and every sheet driven through the window the way a user would.
#include "liveobjects.h"
#include "sheetuser.h"

#include "dconffixture.h"
#include "platformsimfixture.h"
#include "privatebus.h"
#include "windowfixture.h"

#include "base/certificatemodel.h"
#include "net/connectionprocess.h"
#include "net/internetaccesspoint.h"
#include "net/internetaccesspointtypeinterface.h"
#include "soundcue/feedbackclient.h"
#include "touch/applicationwindow.h"
#include "touch/combobox.h"
#include "touch/scenewindow.h"
#include "touch/textedit.h"
#include "wlanui/discovery/wifiprotectedsetupprocess.h"

#include <QFile>
#include <QPluginLoader>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using Velin::InternetAccessPoint;

namespace {

const QByteArray homeKey = "3f9c2b7e1d4a58c06e2f91b3a7d4c8e05b6a1f2d3c4e5f60718293a4b5c6d7e8";

const char networks[] = R"({"networks": [
    {"ssid": "Cafe", "security": "NONE"},
    {"ssid": "Library", "security": "WEP", "credentials": {"wlan_wepkey1": "a1b2c3d4e5"}},
    {"ssid": "Office", "security": "WPA_PSK", "wps": true,
     "credentials": {"EAP_wpa_preshared_passphrase": "office-passphrase"}},
    {"ssid": "Home", "security": "WPA_PSK", "credentials": {"EAP_wpa_preshared_key":
     {"hex": "3f9c2b7e1d4a58c06e2f91b3a7d4c8e05b6a1f2d3c4e5f60718293a4b5c6d7e8"}}},
    {"ssid": "Lab", "security": "WPA_PSK", "hidden": true,
     "credentials": {"EAP_wpa_preshared_passphrase": "lab-passphrase"}}
]})";

QVariantList wlanData(const QString& type, uint attributes, const QVariant& id)
{
    return {QStringLiteral("WLAN"), 0u, QStringLiteral("wlan0"), type, attributes, id};
}

// Every key with its value's type: a byte array and a string never pass
// for each other.
QStringList describe(const QVariantMap& map)
{
    QStringList lines;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        QString value;
        QDebug(&value).nospace() << it.value();
        lines << it.key() + " = " + value;
    }
    return lines;
}

QString describe(const QVariantList& list)
{
    QString text;
    QDebug(&text).nospace() << list;
    return text;
}

QVariantMap base(const QByteArray& ssid, const QString& security, bool autoConnect)
{
    return {{"wlan_ssid", ssid}, {"wlan_hidden", false}, {"wlan_security", security}, {"autoconnect", autoConnect}};
}

QVariantMap with(QVariantMap map, const QVariantMap& more)
{
    for (auto it = more.cbegin(); it != more.cend(); ++it)
        map.insert(it.key(), it.value());
    return map;
}

const QVariantList wpsEapType = {254, 0, 55, 42, 0, 0, 0, 1};

} // namespace

class tst_ConnectionPreparation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void preparedAccessPoint_data();
    void preparedAccessPoint();
    void cancelled_data();
    void cancelled();
    void hiddenNetworkRetry_data();
    void hiddenNetworkRetry();
    void wpsRun_data();
    void wpsRun();
    void newPreparationStartsClean_data();
    void newPreparationStartsClean();

private:
    InternetAccessPoint prepare(const QVariantList& data, const QStringList& script, QStringList* seen);
    // Connects as the framework does: "connected" or the failure reason.
    QString connectTo(const InternetAccessPoint& accessPoint);
    void settle();

    QPluginLoader m_loader{QStringLiteral(VELIN_WLANTYPE_PLUGIN)};
    InternetAccessPointTypeInterface* m_type = nullptr;
    QObject* m_companion = nullptr;
    QTimer* m_searchTimer = nullptr;
    LiveObjects m_live;
    QStringList m_feedback;
    QObject m_probe;
    DconfFixture m_store;
    QTemporaryDir m_files;
    PlatformSimFixture m_sim;
    QScopedPointer<WindowFixture> m_fx;
};

void tst_ConnectionPreparation::initTestCase()
{
    QFile keyfile(QStringLiteral(VELIN_WLAN_KEYFILE));
    QVERIFY(keyfile.open(QIODevice::ReadOnly));
    // WPS saves the network it configured; the process connects to saved ones only.
    m_store.setUserDatabaseEnabled(true);
    QVERIFY(m_store.loadKeyfile(QString::fromUtf8(keyfile.readAll())));
    // No sound device, no key file, no certificates: nothing of this machine.
    qputenv("CANBERRA_DRIVER", "velin-no-such-driver");
    qputenv("VELIN_WLAN_KEY_FILE", QFile::encodeName(m_files.filePath(QStringLiteral("no-key-file"))));
    Velin::CertificateModel::setDefaultDirectory(m_files.path());

    m_sim.setNetworks(networks);
    m_sim.setSaveSettings(true);
    m_sim.setExtraArguments({QStringLiteral("--scan-delay"), QStringLiteral("20"), QStringLiteral("--connect-delay"),
                             QStringLiteral("20")});
    QVERIFY(m_sim.start());

    m_type = qobject_cast<InternetAccessPointTypeInterface*>(m_loader.instance());
    QVERIFY2(m_type, qPrintable(m_loader.errorString()));
    m_companion = m_loader.instance()->findChild<QObject*>();
    QVERIFY(m_companion && m_companion->inherits("Velin::WLANInternetAccessPointTypePrivate"));
    // The hidden-network search's 10 s, shortened.
    m_searchTimer = m_companion->findChild<QTimer*>();
    QVERIFY(m_searchTimer && m_searchTimer->isSingleShot());
    QCOMPARE(m_searchTimer->interval(), 10000);
    m_searchTimer->setInterval(1500);

    // A feedback client lives for one sound: read it as soon as it exists,
    // before its deferred deletion.
    m_live.onAdded = [this](QObject* object) {
        QPointer<QObject> guard(object);
        QMetaObject::invokeMethod(&m_probe, [this, guard] {
            if (auto client = qobject_cast<FeedbackClient*>(guard.data()))
                m_feedback << client->lastEvent();
        }, Qt::QueuedConnection);
    };
}

void tst_ConnectionPreparation::init()
{
    m_fx.reset(new WindowFixture);
    m_feedback.clear();
    QVERIFY(m_sim.setScanMode(QStringLiteral("answer")));
    QVERIFY(m_sim.setScanDelay(20));
}

void tst_ConnectionPreparation::cleanup()
{
    settle();
    m_fx.reset();
}

void tst_ConnectionPreparation::cleanupTestCase()
{
    m_live.onAdded = nullptr;
}

void tst_ConnectionPreparation::settle()
{
    QTest::qWait(50);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

InternetAccessPoint tst_ConnectionPreparation::prepare(const QVariantList& data, const QStringList& script,
                                                       QStringList* seen)
{
    SheetUser user(m_fx.data(), &m_sim, script);
    const InternetAccessPoint result = m_type->createInternetAccessPoint(data);
    // Sheets still to come after the call (a PIN sheet stays on screen).
    if (!QTest::qWaitFor([&user] { return user.done(); }, 3000))
        user.failures << QStringLiteral("script not played to its end");
    QTest::qWait(50);
    *seen = user.seen;
    if (!user.failures.isEmpty())
        qWarning("script: %s", qPrintable(user.failures.join(QStringLiteral(", "))));
    return user.failures.isEmpty() ? result : InternetAccessPoint();
}

QString tst_ConnectionPreparation::connectTo(const InternetAccessPoint& accessPoint)
{
    Velin::ConnectionProcess process;
    QSignalSpy finished(&process, &Velin::ConnectionProcess::finished);
    QSignalSpy error(&process, &Velin::ConnectionProcess::error);
    process.addInternetAccessPoint(accessPoint);
    process.start();
    if (!QTest::qWaitFor([&] { return finished.count() + error.count() > 0; }, 10000))
        return QStringLiteral("no outcome");
    return finished.count() ? QStringLiteral("connected") : error.first().first().toString();
}

void tst_ConnectionPreparation::preparedAccessPoint_data()
{
    QTest::addColumn<QVariantList>("data");
    QTest::addColumn<uint>("lastSearch"); // capabilities a hidden-network search left
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QVariantList>("expectedData");
    QTest::addColumn<QVariantMap>("expected");

    const QVariantList cafe = wlanData("WLAN_INFRA", 0x1, QByteArray("Cafe\0", 5));
    QTest::newRow("open, id ending in NUL") << cafe << 0u << QStringList() << cafe
        << base("Cafe", "NONE", true);
    const QVariantList bare = wlanData("WLAN_INFRA", 0x1, QByteArray("Cafe"));
    QTest::newRow("open, id without NUL") << bare << 0u << QStringList() << bare << base("Cafe", "NONE", true);
    const QVariantList picnic = wlanData("WLAN_ADHOC", 0x2, QByteArray("Picnic\0", 7));
    QTest::newRow("ad hoc never connects by itself") << picnic << 0u << QStringList() << picnic
        << base("Picnic", "NONE", false);

    const QVariantList library = wlanData("WLAN_INFRA", 0x11, QByteArray("Library\0", 8));
    QTest::newRow("WEP") << library << 0u << QStringList{"WepKeySheet: type a1b2c3d4e5; accept"} << library
        << with(base("Library", "WEP", true), {{"wlan_wepkey1", QString("a1b2c3d4e5")}, {"wlan_wepdefkey", 1}});

    const QVariantList home = wlanData("WLAN_INFRA", 0x21, QByteArray("Home\0", 5));
    const QString phrase63(63, QLatin1Char('p'));
    QTest::newRow("WPA-PSK, 63 characters are a passphrase") << home << 0u
        << QStringList{"WpaPskSheet: type " + phrase63 + "; accept"} << home
        << with(base("Home", "WPA_PSK", true), {{"EAP_wpa_preshared_passphrase", phrase63}});
    QTest::newRow("WPA-PSK, 64 hex digits are the key") << home << 0u
        << QStringList{"WpaPskSheet: type " + QString::fromLatin1(homeKey) + "; accept"} << home
        << with(base("Home", "WPA_PSK", true), {{"EAP_wpa_preshared_key", QByteArray::fromHex(homeKey)}});

    const QVariantList campus = wlanData("WLAN_INFRA", 0x41, QByteArray("Campus\0", 7));
    const QString peap = "WpaEapSheet: choose qtn_conn_eap_type 1; choose qtn_conn_eap_method 0; "
                         "field UserNameEdit student; field PasswordEdit campus-password; ";
    const QVariantMap peapMap = {{"EAP_default_type", 25}, {"PEAP_tunneled_eap_type", 26},
                                 {"EAP_MSCHAPV2_username", QString("student")},
                                 {"EAP_TLS_PEAP_client_certificate_file", QString("")}};
    QTest::newRow("WPA-EAP with a stored password") << campus << 0u << QStringList{peap + "accept"} << campus
        << with(with(base("Campus", "WPA_EAP", true), peapMap),
                {{"EAP_MSCHAPV2_password", QString("campus-password")}, {"EAP_MSCHAPV2_password_prompt", false}});
    // The password typed before asking at connection time was chosen is not kept.
    QTest::newRow("WPA-EAP asking for the password") << campus << 0u
        << QStringList{peap + "click PromptPasswordButton; accept"} << campus
        << with(with(base("Campus", "WPA_EAP", false), peapMap),
                {{"EAP_MSCHAPV2_password", QString("")}, {"EAP_GTC_passcode", QString("")},
                 {"EAP_MSCHAPV2_password_prompt", true}});

    const QVariantList teahouse = wlanData("WLAN_INFRA", 0x39, QByteArray("Teahouse\0", 9));
    QTest::newRow("WAPI pre-shared key") << teahouse << 0u
        << QStringList{"WapiSheet(PreSharedKey): type teahouse-key; accept"} << teahouse
        << with(base("Teahouse", "WAI_PSK", true),
                {{"wapi_key_type", 0}, {"EAP_wpa_preshared_key", QByteArray("teahouse-key")}});

    // The framework's top byte of the attributes stays; the rest is what the search found.
    QTest::newRow("hidden network") << wlanData("WLAN_HIDDEN", 0x05000000, QString("Other")) << 0u
        << QStringList{"OtherConnectionSheet: type Lab; accept", "WpaPskSheet: type lab-passphrase; accept"}
        << wlanData("WLAN_INFRA", 0x05000021, QByteArray("Lab\0", 4))
        << with(base("Lab", "WPA_PSK", true),
                {{"wlan_hidden", true}, {"EAP_wpa_preshared_passphrase", QString("lab-passphrase")}});
    QTest::newRow("new connection takes the last search's security")
        << wlanData("WLAN_NEW", 0x03000000, QString("New")) << 0x21u
        << QStringList{"WepKeySheet: type a1b2c3d4e5; accept"} << wlanData("WLAN_NEW", 0x03000011, QString("New"))
        << with(base("New", "WEP", true), {{"wlan_wepkey1", QString("a1b2c3d4e5")}, {"wlan_wepdefkey", 1}});
    QTest::newRow("WPS skipped: the usual prompt, WPS bits cleared")
        << wlanData("WLAN_INFRA", 0x0200F021, QByteArray("Office\0", 7)) << 0u
        << QStringList{"WpsMethodSelectionSheet: click SkipButton", "WpaPskSheet: type office-passphrase; accept"}
        << wlanData("WLAN_INFRA", 0x02000021, QByteArray("Office\0", 7))
        << with(base("Office", "WPA_PSK", true), {{"EAP_wpa_preshared_passphrase", QString("office-passphrase")}});
}

void tst_ConnectionPreparation::preparedAccessPoint()
{
    QFETCH(QVariantList, data);
    QFETCH(uint, lastSearch);
    QFETCH(QStringList, script);
    QFETCH(QVariantList, expectedData);
    QFETCH(QVariantMap, expected);

    QVERIFY(QMetaObject::invokeMethod(m_companion, "ssidFound", Q_ARG(uint, lastSearch)));
    QStringList seen;
    Warnings warnings;
    const InternetAccessPoint result = prepare(data, script, &seen);
    // Nothing typed reaches the log (keys, passphrases, passwords).
    const QRegularExpression typed(QStringLiteral("(?:type|field \\S+) ([^;]+)"));
    for (const QString& entry : qAsConst(script)) {
        for (auto it = typed.globalMatch(entry); it.hasNext();)
            QCOMPARE(warnings.count(it.next().captured(1).trimmed()), 0);
    }
    QCOMPARE(seen.size(), script.size());
    QVERIFY(result.isValid());
    QCOMPARE(describe(result.data()), describe(expectedData));
    QCOMPARE(describe(result.properties()), describe(expected));
    // Every sheet is gone once the event loop has run.
    settle();
    QCOMPARE(m_live.ofType<Touch::SceneWindow>().size(), 0);
}

void tst_ConnectionPreparation::cancelled_data()
{
    QTest::addColumn<QVariantList>("data");
    QTest::addColumn<QStringList>("script");

    const QByteArray office("Office\0", 7);
    QTest::newRow("WEP key sheet") << wlanData("WLAN_INFRA", 0x11, QByteArray("Library\0", 8))
                                   << QStringList{"WepKeySheet: type a1b2; reject"};
    QTest::newRow("WPA-PSK sheet") << wlanData("WLAN_INFRA", 0x21, QByteArray("Home\0", 5))
                                   << QStringList{"WpaPskSheet: reject"};
    QTest::newRow("WPA-PSK sheet destroyed while shown") << wlanData("WLAN_INFRA", 0x21, QByteArray("Home\0", 5))
                                                         << QStringList{"WpaPskSheet: destroy"};
    QTest::newRow("WPA-EAP sheet") << wlanData("WLAN_INFRA", 0x41, QByteArray("Campus\0", 7))
                                   << QStringList{"WpaEapSheet: reject"};
    QTest::newRow("WAPI key sheet") << wlanData("WLAN_INFRA", 0x39, QByteArray("Teahouse\0", 9))
                                    << QStringList{"WapiSheet(PreSharedKey): reject"};
    QTest::newRow("WAPI certificate sheet") << wlanData("WLAN_INFRA", 0x59, QByteArray("Tower\0", 6))
                                            << QStringList{"WapiSheet(Certificate): reject"};
    QTest::newRow("hidden-network sheet") << wlanData("WLAN_HIDDEN", 0, QString("Other"))
                                          << QStringList{"OtherConnectionSheet: type Lab; reject"};
    QTest::newRow("WPS method sheet") << wlanData("WLAN_INFRA", 0xF021, office)
                                      << QStringList{"WpsMethodSelectionSheet: reject"};
    QTest::newRow("WPS push-button sheet") << wlanData("WLAN_INFRA", 0xF021, office)
        << QStringList{"WpsMethodSelectionSheet: click NormalMethodButton", "WifiProtectedSetupSheet: reject"};
    QTest::newRow("WPS skipped, then the key sheet") << wlanData("WLAN_INFRA", 0xF021, office)
        << QStringList{"WpsMethodSelectionSheet: click SkipButton", "WpaPskSheet: reject"};
    QTest::newRow("five entries") << QVariantList(wlanData("WLAN_INFRA", 0x21, office).mid(0, 5)) << QStringList();
    QTest::newRow("unknown network type") << wlanData("WLAN_MESH", 0x21, office) << QStringList();
}

void tst_ConnectionPreparation::cancelled()
{
    QFETCH(QVariantList, data);
    QFETCH(QStringList, script);

    QStringList seen;
    SheetUser user(m_fx.data(), &m_sim, script);
    const InternetAccessPoint result = m_type->createInternetAccessPoint(data);
    QTRY_VERIFY_WITH_TIMEOUT(user.done(), 3000);
    QCOMPARE(user.failures, QStringList());
    QVERIFY(!result.isValid());
    QCOMPARE(result.data(), QVariantList());
    QCOMPARE(result.properties(), QVariantMap());
    settle();
    QCOMPARE(m_live.ofType<Touch::SceneWindow>().size(), 0);
    QCOMPARE(m_live.ofType<Velin::WifiProtectedSetupProcess>().size(), 0);
}

void tst_ConnectionPreparation::hiddenNetworkRetry_data()
{
    QTest::addColumn<QString>("firstMode");
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<int>("failedSearches");
    QTest::addColumn<int>("scanErrors");

    const QString lab = "OtherConnectionSheet: clear; type Lab; accept";
    const QString psk = "WpaPskSheet: type lab-passphrase; accept";
    // The second search answers after the first one's 1.5 s would have run
    // out: only a timer that was cancelled cannot end it.
    QTest::newRow("not found") << "answer"
        << QStringList{"OtherConnectionSheet: type Nowhere; accept",
                       "OtherConnectionSheet: scandelay 1100; wait 700; clear; type Lab; accept", psk}
        << 1 << 1;
    QTest::newRow("scan refused") << "error"
        << QStringList{"OtherConnectionSheet: type Lab; accept", "OtherConnectionSheet: scanmode answer; clear; type Lab; accept",
                       psk}
        << 1 << 1;
    // The first search's process keeps listening: its late answer for
    // Office must not end the search for Nowhere.
    QTest::newRow("timed out, then an older search answers") << "silent"
        << QStringList{"OtherConnectionSheet: type Office; accept",
                       "OtherConnectionSheet: scanmode answer; clear; type Nowhere; accept", lab, psk}
        << 2 << 1;
}

void tst_ConnectionPreparation::hiddenNetworkRetry()
{
    QFETCH(QString, firstMode);
    QFETCH(QStringList, script);
    QFETCH(int, failedSearches);
    QFETCH(int, scanErrors);

    QVERIFY(m_sim.setScanMode(firstMode));
    Warnings warnings;
    QStringList seen;
    const InternetAccessPoint result = prepare(wlanData("WLAN_HIDDEN", 0, QString("Other")), script, &seen);
    QCOMPARE(seen.size(), script.size());
    QCOMPARE(result.id(), QStringLiteral("Lab"));
    QCOMPARE(result.property("wlan_hidden"), QVariant(true));
    QCOMPARE(result.data().at(4).toUInt(), 0x21u);
    QCOMPARE(warnings.count("capabilities == 0, unable to handle hidden wlan"), failedSearches);
    QCOMPARE(warnings.count("SSID scan error: \""), scanErrors);
}

void tst_ConnectionPreparation::wpsRun_data()
{
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QString>("method");

    QTest::newRow("push button") << QStringList{"WpsMethodSelectionSheet: click NormalMethodButton",
                                                "WifiProtectedSetupSheet: accept"}
                                 << "pushbutton";
    // The PIN sheet stays on screen while the framework connects.
    QTest::newRow("PIN") << QStringList{"WpsMethodSelectionSheet: click PinMethodButton", "WifiProtectedSetupSheet:"}
                         << "pin";
}

void tst_ConnectionPreparation::wpsRun()
{
    QFETCH(QStringList, script);
    QFETCH(QString, method);

    const QVariantList office = wlanData("WLAN_INFRA", 0xF021, QByteArray("Office\0", 7));
    QStringList seen;
    const InternetAccessPoint result = prepare(office, script, &seen);
    QCOMPARE(seen, QStringList({"WpsMethodSelectionSheet", "WifiProtectedSetupSheet"}));
    QCOMPARE(describe(result.data()), describe(office));
    QCOMPARE(describe(result.properties()),
             describe(with(base("Office", "WPA_EAP", false),
                           {{"EAP_default_type", wpsEapType}, {"wlan_wps_method", method}})));
    QCOMPARE(m_feedback, QStringList());

    // WPS's 5 s wait for the link to settle, shortened.
    const QList<Velin::WifiProtectedSetupProcess*> processes = m_live.ofType<Velin::WifiProtectedSetupProcess>();
    QCOMPARE(processes.size(), 1);
    auto settleTimer = processes.first()->findChild<QTimer*>(QStringLiteral("wpsSettleTimer"));
    QVERIFY(settleTimer);
    settleTimer->setInterval(50);

    // The framework connects; WPS does the rest, and the user hears it.
    QCOMPARE(connectTo(result), QStringLiteral("disconnected"));
    QTRY_COMPARE_WITH_TIMEOUT(m_feedback, QStringList{"information_snd"}, 15000);
    settle();
    QCOMPARE(m_live.ofType<Velin::WifiProtectedSetupProcess>().size(), 0);
    QCOMPARE(m_live.ofType<Touch::SceneWindow>().size(), 0);
    QCOMPARE(m_sim.currentLink(), QStringLiteral("Office"));
}

void tst_ConnectionPreparation::newPreparationStartsClean_data()
{
    QTest::addColumn<QVariantList>("data");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QString>("firstOutcome");
    QTest::addColumn<QStringList>("second");

    QTest::newRow("wrong passphrase, then the 64-hex key")
        << wlanData("WLAN_INFRA", 0x21, QByteArray("Home\0", 5))
        << QStringList{"WpaPskSheet: type not-the-passphrase; accept"} << "wrong-credentials"
        << QStringList{"WpaPskSheet: type " + QString::fromLatin1(homeKey) + "; accept"};
    // The PIN run is cancelled on its sheet; its WPS keys must not turn the
    // next connection into a WPS request.
    QTest::newRow("cancelled WPS, then the passphrase")
        << wlanData("WLAN_INFRA", 0xF021, QByteArray("Office\0", 7))
        << QStringList{"WpsMethodSelectionSheet: click PinMethodButton", "WifiProtectedSetupSheet: reject"}
        << QString()
        << QStringList{"WpsMethodSelectionSheet: click SkipButton", "WpaPskSheet: type office-passphrase; accept"};
}

void tst_ConnectionPreparation::newPreparationStartsClean()
{
    QFETCH(QVariantList, data);
    QFETCH(QStringList, first);
    QFETCH(QString, firstOutcome);
    QFETCH(QStringList, second);

    QStringList seen;
    // Kept, as a framework keeps what it connected to.
    const InternetAccessPoint earlier = prepare(data, first, &seen);
    QCOMPARE(seen.size(), first.size());
    if (!firstOutcome.isEmpty())
        QCOMPARE(connectTo(earlier), firstOutcome);
    settle();

    const InternetAccessPoint again = prepare(data, second, &seen);
    QVERIFY(again.isValid());
    QCOMPARE(connectTo(again), QStringLiteral("connected"));
    QCOMPARE(again.property("EAP_default_type"), QVariant());
}

VELIN_TEST_MAIN_WITH_BUS(tst_ConnectionPreparation)

#include "tst_connectionpreparation.moc"
