// Connections through the simulated connectivity daemon: credentials of
// every security kind checked for real, the order of "connection_state",
// disconnect_req and the control interface's connection levers.
#include "base/dbusvalues.h"
#include "platformsimfixture.h"
#include "privatebus.h"
#include "signalrecorder.h"
#include "simcalls.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QtTest>

namespace {

// The raw keys are the published IEEE 802.11i PBKDF2 test vectors
// ("password" / "IEEE" and "ThisIsAPassword" / "ThisIsASSID").
const char networksJson[] = R"({"networks": [
    {"ssid": "Open"},
    {"ssid": "Other Open"},
    {"ssid": "Wep", "security": "WEP",
     "credentials": {"wlan_wepkey1": "abcde", "wlan_wepkey3": "0123456789abcdef0123456789"}},
    {"ssid": "Psk", "security": "WPA_PSK", "credentials": {"EAP_wpa_preshared_passphrase": "correct horse"}},
    {"ssid": "IEEE", "security": "WPA_PSK", "credentials": {"EAP_wpa_preshared_passphrase": "password"}},
    {"ssid": "ThisIsASSID", "security": "WPA_PSK",
     "credentials": {"EAP_wpa_preshared_key":
                     {"hex": "0dc0d6eb90555ed6419756b9a15ec3e3209b63df707dd508d14581f8982721af"}}},
    {"ssid": "Eap", "security": "WPA_EAP",
     "credentials": {"EAP_MSCHAPV2_username": "alice", "EAP_MSCHAPV2_password": "wonderland"}},
    {"ssid": "EapGtc", "security": "WPA_EAP",
     "credentials": {"EAP_GTC_identity": "bob", "EAP_GTC_passcode": "1234"}},
    {"ssid": "EapTls", "security": "WPA_EAP",
     "credentials": {"EAP_TLS_PEAP_client_certificate_file": "required"}},
    {"ssid": "WapiPsk", "security": "WAI_PSK", "credentials": {"EAP_wpa_preshared_key": "tea-key"}},
    {"ssid": "WapiCert", "security": "WAI_certificate"},
    {"ssid": "WapiNamed", "security": "WAI_certificate",
     "credentials": {"WAPI_EC_CS_selected_ca_subject_common_name": "Root CA",
                     "WAPI_EC_CS_selected_client_subject_common_name": "Handset"}},
    {"ssid": "Hidden", "hidden": true, "security": "WPA_PSK",
     "credentials": {"EAP_wpa_preshared_passphrase": "hidden-pass"}}
]})";

const QString connected = QStringLiteral("connected");
const QString failed = QStringLiteral("failed");
const QString wrongCredentials = QStringLiteral("wrong-credentials");

QString key(const char* name)
{
    return QLatin1String(name);
}

} // namespace

class tst_SimConnect : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void credentials_data();
    void credentials();
    void connectingComesFirst();
    void disconnectReqDropsLink();
    void disconnectReqWithoutLink();
    void disconnectReqCancelsAttempt();
    void busyWhileAttemptRuns();
    void newAttemptReplacesLink();
    void dropLinkIsForced();
    void failNextConnection_data();
    void failNextConnection();
    void connectDelay();
    void requestsAreRecorded();

private:
    // States ("state reason") reported for id, once the attempt has ended.
    QStringList statesUntilEnd(const QString& id);

    PlatformSimFixture* sim = nullptr;
    SignalRecorder* states = nullptr;
};

void tst_SimConnect::init()
{
    sim = new PlatformSimFixture(this);
    sim->setNetworks(networksJson);
    sim->setExtraArguments({QStringLiteral("--connect-delay"), QStringLiteral("20")});
    QVERIFY(sim->start());
    states = new SignalRecorder(SimCalls::connectivityPath, SimCalls::connectivityInterface,
                                QStringLiteral("connection_state"), this);
    QVERIFY(states->isConnected());
}

void tst_SimConnect::cleanup()
{
    delete states;
    states = nullptr;
    QVERIFY2(sim->stop(), qPrintable(sim->log()));
    delete sim;
    sim = nullptr;
}

QStringList tst_SimConnect::statesUntilEnd(const QString& id)
{
    QStringList seen;
    int index = 0;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 5000) {
        const QList<SignalRecorder::Entry> entries = states->entries();
        for (; index < entries.size(); ++index) {
            const QList<QVariant> arguments = entries.at(index).arguments;
            if (arguments.value(0).toString() != id)
                continue;
            const QString state = arguments.value(1).toString();
            seen.append((state + QLatin1Char(' ') + arguments.value(2).toString()).trimmed());
            if (state != QLatin1String("connecting"))
                return seen;
        }
        states->waitForCount(entries.size() + 1, 5000 - int(timer.elapsed()));
    }
    return seen;
}

void tst_SimConnect::credentials_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QVariantMap>("properties");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("reason");

    const QByteArray ieeeKey =
        QByteArray::fromHex("f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e");

    QTest::newRow("open") << "Open" << QVariantMap() << connected << QString();
    QTest::newRow("unknown network") << "Nowhere" << QVariantMap() << failed << "not-found";
    QTest::newRow("hidden network by id") << "Hidden"
                                          << QVariantMap{{key("EAP_wpa_preshared_passphrase"), "hidden-pass"}}
                                          << connected << QString();

    // WEP: key <n> of wlan_wepdefkey (1 when absent), compared by key bytes.
    QTest::newRow("WEP key 1") << "Wep" << QVariantMap{{key("wlan_wepkey1"), "abcde"}} << connected << QString();
    QTest::newRow("WEP key 1 in hex") << "Wep" << QVariantMap{{key("wlan_wepkey1"), "6162636465"}} << connected
                                      << QString();
    QTest::newRow("WEP key 1 as bytes") << "Wep" << QVariantMap{{key("wlan_wepkey1"), QByteArray("abcde")}}
                                        << connected << QString();
    QTest::newRow("WEP key 3 of default 3")
        << "Wep" << QVariantMap{{key("wlan_wepdefkey"), 3}, {key("wlan_wepkey3"), "0123456789ABCDEF0123456789"}}
        << connected << QString();
    QTest::newRow("WEP wrong key") << "Wep" << QVariantMap{{key("wlan_wepkey1"), "abcdf"}} << failed
                                   << wrongCredentials;
    QTest::newRow("WEP right key, wrong slot")
        << "Wep" << QVariantMap{{key("wlan_wepdefkey"), 2}, {key("wlan_wepkey2"), "abcde"}} << failed
        << wrongCredentials;
    QTest::newRow("WEP key 3 without its default")
        << "Wep" << QVariantMap{{key("wlan_wepkey3"), "0123456789abcdef0123456789"}} << failed << wrongCredentials;
    QTest::newRow("WEP default out of range") << "Wep"
                                              << QVariantMap{{key("wlan_wepdefkey"), 5}, {key("wlan_wepkey1"), "abcde"}}
                                              << failed << wrongCredentials;
    QTest::newRow("WEP no key") << "Wep" << QVariantMap() << failed << wrongCredentials;

    // WPA-PSK: passphrase, or the 32-byte key PBKDF2 derives from it.
    QTest::newRow("PSK passphrase") << "Psk" << QVariantMap{{key("EAP_wpa_preshared_passphrase"), "correct horse"}}
                                    << connected << QString();
    QTest::newRow("PSK wrong passphrase")
        << "Psk" << QVariantMap{{key("EAP_wpa_preshared_passphrase"), "correct horsE"}} << failed << wrongCredentials;
    QTest::newRow("PSK nothing") << "Psk" << QVariantMap() << failed << wrongCredentials;
    QTest::newRow("PSK derived key") << "IEEE" << QVariantMap{{key("EAP_wpa_preshared_key"), ieeeKey}} << connected
                                     << QString();
    QTest::newRow("PSK derived key in hex")
        << "IEEE" << QVariantMap{{key("EAP_wpa_preshared_key"), QString::fromLatin1(ieeeKey.toHex())}} << connected
        << QString();
    QTest::newRow("PSK key, one bit off")
        << "IEEE" << QVariantMap{{key("EAP_wpa_preshared_key"), QByteArray(ieeeKey).replace(0, 1, "\xf5")}}
        << failed << wrongCredentials;
    QTest::newRow("PSK key too short") << "IEEE" << QVariantMap{{key("EAP_wpa_preshared_key"), ieeeKey.left(31)}}
                                       << failed << wrongCredentials;
    QTest::newRow("PSK key of another SSID")
        << "Psk" << QVariantMap{{key("EAP_wpa_preshared_key"), ieeeKey}} << failed << wrongCredentials;
    QTest::newRow("PSK passphrase for a raw-key network")
        << "ThisIsASSID" << QVariantMap{{key("EAP_wpa_preshared_passphrase"), "ThisIsAPassword"}} << connected
        << QString();
    QTest::newRow("PSK passphrase too short")
        << "Psk" << QVariantMap{{key("EAP_wpa_preshared_passphrase"), "short"}} << failed << wrongCredentials;

    // WPA-EAP: user name and password under either family of keys.
    QTest::newRow("MSCHAPv2 login") << "Eap"
                                    << QVariantMap{{key("EAP_MSCHAPV2_username"), "alice"},
                                                   {key("EAP_MSCHAPV2_password"), "wonderland"}}
                                    << connected << QString();
    QTest::newRow("GTC keys for the same login")
        << "Eap" << QVariantMap{{key("EAP_GTC_identity"), "alice"}, {key("EAP_GTC_passcode"), "wonderland"}}
        << connected << QString();
    QTest::newRow("GTC login") << "EapGtc"
                               << QVariantMap{{key("EAP_GTC_identity"), "bob"}, {key("EAP_GTC_passcode"), "1234"}}
                               << connected << QString();
    QTest::newRow("wrong password") << "Eap"
                                    << QVariantMap{{key("EAP_MSCHAPV2_username"), "alice"},
                                                   {key("EAP_MSCHAPV2_password"), "looking-glass"}}
                                    << failed << wrongCredentials;
    QTest::newRow("wrong user") << "Eap"
                                << QVariantMap{{key("EAP_MSCHAPV2_username"), "mallory"},
                                               {key("EAP_MSCHAPV2_password"), "wonderland"}}
                                << failed << wrongCredentials;
    QTest::newRow("no password") << "Eap" << QVariantMap{{key("EAP_MSCHAPV2_username"), "alice"}} << failed
                                 << wrongCredentials;
    QTest::newRow("password asked for")
        << "Eap" << QVariantMap{{key("EAP_MSCHAPV2_username"), "alice"}, {key("EAP_MSCHAPV2_password_prompt"), true}}
        << connected << QString();
    QTest::newRow("password asked for, wrong user")
        << "Eap" << QVariantMap{{key("EAP_MSCHAPV2_username"), "eve"}, {key("EAP_MSCHAPV2_password_prompt"), true}}
        << failed << wrongCredentials;
    QTest::newRow("TLS certificate") << "EapTls"
                                     << QVariantMap{{key("EAP_TLS_PEAP_client_certificate_file"), "/tmp/me.pem"}}
                                     << connected << QString();
    QTest::newRow("TLS without certificate")
        << "EapTls" << QVariantMap{{key("EAP_TLS_PEAP_client_certificate_file"), ""}} << failed << wrongCredentials;
    QTest::newRow("certificate where a login is wanted")
        << "Eap" << QVariantMap{{key("EAP_TLS_PEAP_client_certificate_file"), "/tmp/me.pem"}} << failed
        << wrongCredentials;

    // WAPI.
    QTest::newRow("WAPI key as bytes") << "WapiPsk" << QVariantMap{{key("EAP_wpa_preshared_key"), QByteArray("tea-key")}}
                                       << connected << QString();
    QTest::newRow("WAPI key as text") << "WapiPsk" << QVariantMap{{key("EAP_wpa_preshared_key"), "tea-key"}}
                                      << connected << QString();
    QTest::newRow("WAPI wrong key") << "WapiPsk" << QVariantMap{{key("EAP_wpa_preshared_key"), QByteArray("tea-kex")}}
                                    << failed << wrongCredentials;
    QTest::newRow("WAPI certificate") << "WapiCert"
                                      << QVariantMap{{key("WAPI_EC_CS_selected_ca_subject_common_name"), "Any CA"},
                                                     {key("WAPI_EC_CS_selected_client_subject_common_name"), "Me"}}
                                      << connected << QString();
    QTest::newRow("WAPI certificate without client")
        << "WapiCert" << QVariantMap{{key("WAPI_EC_CS_selected_ca_subject_common_name"), "Any CA"}} << failed
        << wrongCredentials;
    QTest::newRow("WAPI named certificates")
        << "WapiNamed"
        << QVariantMap{{key("WAPI_EC_CS_selected_ca_subject_common_name"), "Root CA"},
                       {key("WAPI_EC_CS_selected_client_subject_common_name"), "Handset"}}
        << connected << QString();
    QTest::newRow("WAPI other CA")
        << "WapiNamed"
        << QVariantMap{{key("WAPI_EC_CS_selected_ca_subject_common_name"), "Other CA"},
                       {key("WAPI_EC_CS_selected_client_subject_common_name"), "Handset"}}
        << failed << wrongCredentials;
}

void tst_SimConnect::credentials()
{
    QFETCH(QString, id);
    QFETCH(QVariantMap, properties);
    QFETCH(QString, state);
    QFETCH(QString, reason);

    const QDBusMessage reply = SimCalls::connectRequest(id, properties);
    QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
    QCOMPARE(reply.arguments().size(), 0);

    const QStringList expected = {QStringLiteral("connecting"), (state + QLatin1Char(' ') + reason).trimmed()};
    QCOMPARE(statesUntilEnd(id), expected);
    QCOMPARE(sim->currentLink(), state == connected ? id : QString());
}

void tst_SimConnect::connectingComesFirst()
{
    // Even an attempt that fails at once starts with "connecting".
    QVERIFY(sim->setConnectDelay(0));
    QCOMPARE(SimCalls::connectRequest(QStringLiteral("Nowhere"), {}).type(), QDBusMessage::ReplyMessage);
    QVERIFY(states->waitForCount(2));
    QCOMPARE(states->entries().at(0).arguments,
             QList<QVariant>({QStringLiteral("Nowhere"), QStringLiteral("connecting"), QString()}));
    QCOMPARE(states->entries().at(1).arguments,
             QList<QVariant>({QStringLiteral("Nowhere"), failed, QStringLiteral("not-found")}));
}

void tst_SimConnect::disconnectReqDropsLink()
{
    QCOMPARE(SimCalls::connectRequest(QStringLiteral("Open"), {}).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(statesUntilEnd(QStringLiteral("Open")).constLast(), connected);
    states->clear();

    const QDBusMessage reply = SimCalls::disconnectRequest(0x8000);
    QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
    QVERIFY(states->waitForCount(1));
    QCOMPARE(states->last().arguments,
             QList<QVariant>({QStringLiteral("Open"), QStringLiteral("disconnected"), QString()}));
    QCOMPARE(sim->currentLink(), QString());
}

void tst_SimConnect::disconnectReqWithoutLink()
{
    QCOMPARE(SimCalls::disconnectRequest(0x8000).type(), QDBusMessage::ReplyMessage);
    // Nothing to drop, so the next signal is the next attempt's.
    QCOMPARE(SimCalls::connectRequest(QStringLiteral("Open"), {}).type(), QDBusMessage::ReplyMessage);
    QVERIFY(states->waitForCount(1));
    QCOMPARE(states->entries().constFirst().arguments.value(1), QVariant(QStringLiteral("connecting")));
}

void tst_SimConnect::disconnectReqCancelsAttempt()
{
    QVERIFY(sim->setConnectDelay(60000));
    QCOMPARE(SimCalls::connectRequest(QStringLiteral("Open"), {}).type(), QDBusMessage::ReplyMessage);
    QVERIFY(states->waitForCount(1));
    QCOMPARE(SimCalls::disconnectRequest(0x8000).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(statesUntilEnd(QStringLiteral("Open")),
             QStringList({QStringLiteral("connecting"), QStringLiteral("failed cancelled")}));
    // The cancelled attempt no longer blocks a new one.
    QVERIFY(sim->setConnectDelay(0));
    QCOMPARE(SimCalls::connectRequest(QStringLiteral("Open"), {}).type(), QDBusMessage::ReplyMessage);
}

void tst_SimConnect::busyWhileAttemptRuns()
{
    QVERIFY(sim->setConnectDelay(800));
    QCOMPARE(SimCalls::connectRequest(QStringLiteral("Open"), {}).type(), QDBusMessage::ReplyMessage);
    const QDBusMessage second = SimCalls::connectRequest(QStringLiteral("Other Open"), {});
    QCOMPARE(second.type(), QDBusMessage::ErrorMessage);
    QCOMPARE(second.errorName(), QStringLiteral("com.qorva.nexd2.Error.Busy"));
    // The first attempt goes on undisturbed.
    QCOMPARE(statesUntilEnd(QStringLiteral("Open")), QStringList({QStringLiteral("connecting"), connected}));
    for (const SignalRecorder::Entry& entry : states->entries())
        QCOMPARE(entry.arguments.value(0), QVariant(QStringLiteral("Open")));
}

void tst_SimConnect::newAttemptReplacesLink()
{
    QCOMPARE(SimCalls::connectRequest(QStringLiteral("Open"), {}).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(statesUntilEnd(QStringLiteral("Open")).constLast(), connected);
    states->clear();

    QCOMPARE(SimCalls::connectRequest(QStringLiteral("Other Open"), {}).type(), QDBusMessage::ReplyMessage);
    QVERIFY(states->waitForCount(3));
    QStringList sequence;
    for (const SignalRecorder::Entry& entry : states->entries())
        sequence << entry.arguments.value(0).toString() + QLatin1Char(' ') + entry.arguments.value(1).toString();
    QCOMPARE(sequence, QStringList({QStringLiteral("Open disconnected"), QStringLiteral("Other Open connecting"),
                                    QStringLiteral("Other Open connected")}));
    QCOMPARE(sim->currentLink(), QStringLiteral("Other Open"));
}

void tst_SimConnect::dropLinkIsForced()
{
    QCOMPARE(SimCalls::connectRequest(QStringLiteral("Open"), {}).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(statesUntilEnd(QStringLiteral("Open")).constLast(), connected);
    QCOMPARE(sim->currentLink(), QStringLiteral("Open"));
    states->clear();

    QVERIFY(sim->dropLink());
    QVERIFY(states->waitForCount(1));
    QCOMPARE(states->last().arguments,
             QList<QVariant>({QStringLiteral("Open"), QStringLiteral("disconnected"), QStringLiteral("forced")}));
    QCOMPARE(sim->currentLink(), QString());
}

void tst_SimConnect::failNextConnection_data()
{
    QTest::addColumn<QString>("requested");
    QTest::addColumn<QString>("reported");

    QTest::newRow("default reason") << QString() << "forced";
    QTest::newRow("own reason") << "no-dhcp-lease" << "no-dhcp-lease";
}

void tst_SimConnect::failNextConnection()
{
    QFETCH(QString, requested);
    QFETCH(QString, reported);

    QVERIFY(sim->failNextConnection(requested));
    QCOMPARE(SimCalls::connectRequest(QStringLiteral("Open"), {}).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(statesUntilEnd(QStringLiteral("Open")),
             QStringList({QStringLiteral("connecting"), QStringLiteral("failed ") + reported}));
    // Only the next one.
    QCOMPARE(SimCalls::connectRequest(QStringLiteral("Other Open"), {}).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(statesUntilEnd(QStringLiteral("Other Open")), QStringList({QStringLiteral("connecting"), connected}));
}

void tst_SimConnect::connectDelay()
{
    const int delay = 700;
    QVERIFY(sim->setConnectDelay(delay));
    QCOMPARE(SimCalls::connectRequest(QStringLiteral("Open"), {}).type(), QDBusMessage::ReplyMessage);
    QVERIFY(states->waitForCount(1));
    QElapsedTimer sinceConnecting;
    sinceConnecting.start();
    QVERIFY(states->waitForCount(2, delay + 5000));
    QCOMPARE(states->last().arguments.value(1), QVariant(connected));
    QVERIFY2(sinceConnecting.elapsed() >= delay - 50, qPrintable(QString::number(sinceConnecting.elapsed())));
}

void tst_SimConnect::requestsAreRecorded()
{
    QCOMPARE(sim->lastConnectId(), QString());
    QVERIFY(sim->setConnectDelay(500)); // the second request comes while the first runs
    const QVariantMap properties = {{key("text"), "value"},
                                    {key("bytes"), QByteArray("\x00\x01\xff", 3)},
                                    {key("number"), -7},
                                    {key("flag"), true},
                                    {key("list"), QVariantList({254, 0, 55})}};
    QCOMPARE(SimCalls::connectRequest(QStringLiteral("Psk"), properties).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(SimCalls::connectRequest(QStringLiteral("Open"), {}).type(), QDBusMessage::ErrorMessage); // busy
    QCOMPARE(sim->lastConnectId(), QStringLiteral("Open"));
    const QDBusMessage count = sim->callControl(QStringLiteral("ConnectRequestCount"));
    QCOMPARE(count.arguments().value(0), QVariant(2u));

    QCOMPARE(statesUntilEnd(QStringLiteral("Psk")).constLast(), QStringLiteral("failed wrong-credentials"));
    QCOMPARE(SimCalls::connectRequest(QStringLiteral("Psk"), properties).type(), QDBusMessage::ReplyMessage);
    const QDBusMessage recorded = sim->callControl(QStringLiteral("LastConnectProperties"));
    QCOMPARE(recorded.signature(), QStringLiteral("a{sv}"));
    QCOMPARE(Velin::DBusValues::plain(recorded.arguments()).value(0).toMap(), properties);
}

VELIN_TEST_GUILESS_MAIN_WITH_BUS(tst_SimConnect)

#include "tst_simconnect.moc"
