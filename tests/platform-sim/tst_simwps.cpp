// Wi-Fi Protected Setup through the simulated daemons: push button and PIN
// (with its checksum) end in a saved network, "wps_success" and a dropped
// link; the save goes through the real dconf service on the private
// session bus.
#include "dconffixture.h"
#include "platformsimfixture.h"
#include "privatebus.h"
#include "signalrecorder.h"
#include "simcalls.h"

#include "touch/settingsitem.h"

#include <QProcess>
#include <QtTest>

namespace {

const char networksJson[] = R"({"networks": [
    {"ssid": "Office Net", "security": "WPA_PSK", "wps": true,
     "credentials": {"EAP_wpa_preshared_passphrase": "office-pass-1"}},
    {"ssid": "Old Wep", "security": "WEP", "wps": true,
     "credentials": {"wlan_wepdefkey": 2, "wlan_wepkey2": "abcde"}},
    {"ssid": "Raw/Key", "security": "WPA_PSK", "wps": true,
     "credentials": {"EAP_wpa_preshared_key": {"hex": "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f"}}},
    {"ssid": "Open Door", "wps": true},
    {"ssid": "No Wps", "security": "WPA_PSK", "credentials": {"EAP_wpa_preshared_passphrase": "no-wps-pass"}}
]})";

const QString wlanRoot = QStringLiteral("/system/ravo/connectivity/wlan/");

QVariantList wpsType()
{
    return {254, 0, 55, 42, 0, 0, 0, 1};
}

QVariantMap pushButton()
{
    return {{QStringLiteral("EAP_default_type"), wpsType()}, {QStringLiteral("wlan_wps_method"), "pushbutton"}};
}

QVariantMap pin(const QString& digits)
{
    return {{QStringLiteral("EAP_default_type"), wpsType()},
            {QStringLiteral("wlan_wps_method"), "pin"},
            {QStringLiteral("EAP_SIMPLE_CONFIG_device_password"), digits}};
}

// A PIN attempt whose PIN is still to come.
QVariantMap pinToCome()
{
    return {{QStringLiteral("EAP_default_type"), wpsType()}, {QStringLiteral("wlan_wps_method"), "pin"}};
}

QVariant stored(const QString& path)
{
    return Touch::SettingsItem(path).value();
}

// The user database lives in the suite's temporary home and outlasts a
// test; each test starts without saved networks.
bool forgetSavedNetworks()
{
    QProcess dconf;
    dconf.setProcessChannelMode(QProcess::ForwardedChannels);
    dconf.start(QStringLiteral("dconf"), {QStringLiteral("reset"), QStringLiteral("-f"), wlanRoot});
    return dconf.waitForFinished(10000) && dconf.exitStatus() == QProcess::NormalExit && dconf.exitCode() == 0;
}

} // namespace

class tst_SimWps : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void exchangeSucceeds_data();
    void exchangeSucceeds();
    void savesTheNetworksCredentials_data();
    void savesTheNetworksCredentials();
    void exchangeFails_data();
    void exchangeFails();
    void pinArrivesLater_data();
    void pinArrivesLater();
    void waitForPinEnds_data();
    void waitForPinEnds();
    void updatesOfOtherAttemptsIgnored();
    void malformedUpdateRefused_data();
    void malformedUpdateRefused();
    void saveDropsStaleKeys();
    void nothingSavedWithoutOption();
    void announceThroughControl();

private:
    // pinWait 0: the simulator's own bound.
    bool startSimulator(bool saveSettings, uint pinWait = 0);
    // The connection states reported (state and reason) until the attempt ends.
    QStringList finalStates(const QString& id);

    DconfFixture* dconf = nullptr;
    PlatformSimFixture* sim = nullptr;
    SignalRecorder* states = nullptr;
    SignalRecorder* wpsSuccess = nullptr;
};

bool tst_SimWps::startSimulator(bool saveSettings, uint pinWait)
{
    delete sim;
    sim = new PlatformSimFixture(this);
    sim->setNetworks(networksJson);
    sim->setSaveSettings(saveSettings);
    QStringList arguments = {QStringLiteral("--connect-delay"), QStringLiteral("50")};
    if (pinWait)
        arguments << QStringLiteral("--pin-wait") << QString::number(pinWait);
    sim->setExtraArguments(arguments);
    return sim->start();
}

void tst_SimWps::init()
{
    // A writable user database in front of an empty compiled one; the
    // simulator inherits the profile.
    dconf = new DconfFixture;
    dconf->setUserDatabaseEnabled(true);
    QVERIFY(dconf->load({{QStringLiteral("/velin/test/marker"), QVariant(1)}}));
    QVERIFY(forgetSavedNetworks());
    QCOMPARE(Touch::SettingsItem(wlanRoot).listDirs(), QStringList());
    QVERIFY(startSimulator(true));
    states = new SignalRecorder(SimCalls::connectivityPath, SimCalls::connectivityInterface,
                                QStringLiteral("connection_state"), this);
    wpsSuccess = new SignalRecorder(SimCalls::eapSignalPath, SimCalls::eapSignalInterface,
                                    QStringLiteral("wps_success"), this);
    QVERIFY(states->isConnected());
    QVERIFY(wpsSuccess->isConnected());
}

void tst_SimWps::cleanup()
{
    delete states;
    delete wpsSuccess;
    states = nullptr;
    wpsSuccess = nullptr;
    if (sim)
        QVERIFY2(sim->stop(), qPrintable(sim->log()));
    delete sim;
    sim = nullptr;
    delete dconf;
    dconf = nullptr;
}

QStringList tst_SimWps::finalStates(const QString& id)
{
    QStringList seen;
    for (int wanted = 1; wanted <= 8; ++wanted) {
        if (!states->waitForCount(wanted))
            break;
        const QList<QVariant> arguments = states->entries().at(wanted - 1).arguments;
        if (arguments.value(0).toString() != id)
            continue;
        const QString state = arguments.value(1).toString();
        seen << (state + QLatin1Char(' ') + arguments.value(2).toString()).trimmed();
        if (state != QLatin1String("connecting"))
            break;
    }
    return seen;
}

void tst_SimWps::exchangeSucceeds_data()
{
    QTest::addColumn<QVariantMap>("properties");

    QTest::newRow("push button") << pushButton();
    QTest::newRow("PIN 12345670") << pin(QStringLiteral("12345670"));
    QTest::newRow("PIN 49226874") << pin(QStringLiteral("49226874"));
    QTest::newRow("PIN 00000000") << pin(QStringLiteral("00000000"));
    QVariantMap bytesType = pushButton();
    bytesType.insert(QStringLiteral("EAP_default_type"), QByteArray("\xfe\x00\x37\x2a\x00\x00\x00\x01", 8));
    QTest::newRow("type as bytes") << bytesType;
    QVariantMap pinAsBytes = pin(QString());
    pinAsBytes.insert(QStringLiteral("EAP_SIMPLE_CONFIG_device_password"), QByteArray("12345670"));
    QTest::newRow("PIN as bytes") << pinAsBytes;
}

void tst_SimWps::exchangeSucceeds()
{
    QFETCH(QVariantMap, properties);
    const QString id = QStringLiteral("Office Net");
    const QString directory = wlanRoot + QStringLiteral("Office%20Net/");
    QVERIFY(!stored(directory + QStringLiteral("wlan_security")).isValid());

    // Read the store the moment the announcement arrives: it must be saved by then.
    QVariant passphraseAtAnnouncement;
    QObject listener;
    connect(wpsSuccess, &SignalRecorder::received, &listener, [&]() {
        passphraseAtAnnouncement = stored(directory + QStringLiteral("EAP_wpa_preshared_passphrase"));
    });

    QCOMPARE(SimCalls::connectRequest(id, properties).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(finalStates(id), QStringList({QStringLiteral("connecting"), QStringLiteral("disconnected")}));
    QVERIFY(wpsSuccess->waitForCount(1));
    QCOMPARE(wpsSuccess->count(), 1);
    QCOMPARE(wpsSuccess->last().message.signature(), QStringLiteral("as"));
    QCOMPARE(wpsSuccess->last().arguments.value(0), QVariant(QStringList{id}));
    // wps_success comes before the link drops.
    QVERIFY(wpsSuccess->last().sequence < states->last().sequence);

    QCOMPARE(passphraseAtAnnouncement, QVariant(QStringLiteral("office-pass-1")));
    QCOMPARE(stored(directory + QStringLiteral("wlan_security")), QVariant(QStringLiteral("WPA_PSK")));
    QCOMPARE(stored(directory + QStringLiteral("type")), QVariant(QStringLiteral("WLAN_INFRA")));
    QCOMPARE(sim->currentLink(), QString());
}

void tst_SimWps::savesTheNetworksCredentials_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QVariantMap>("expected");

    QTest::newRow("WEP") << "Old Wep" << "Old%20Wep"
                         << QVariantMap{{QStringLiteral("wlan_wepdefkey"), 2},
                                        {QStringLiteral("wlan_wepkey2"), QStringLiteral("abcde")},
                                        {QStringLiteral("wlan_security"), QStringLiteral("WEP")}};
    QByteArray key;
    for (int i = 0; i < 32; ++i)
        key.append(char(i));
    QTest::newRow("raw key") << "Raw/Key" << "Raw%2FKey"
                             << QVariantMap{{QStringLiteral("EAP_wpa_preshared_key"), key},
                                            {QStringLiteral("wlan_security"), QStringLiteral("WPA_PSK")}};
    QTest::newRow("open") << "Open Door" << "Open%20Door"
                          << QVariantMap{{QStringLiteral("wlan_security"), QStringLiteral("NONE")}};
}

void tst_SimWps::savesTheNetworksCredentials()
{
    QFETCH(QString, id);
    QFETCH(QString, directory);
    QFETCH(QVariantMap, expected);

    QCOMPARE(SimCalls::connectRequest(id, pin(QStringLiteral("12345670"))).type(), QDBusMessage::ReplyMessage);
    QVERIFY(wpsSuccess->waitForCount(1));
    QCOMPARE(wpsSuccess->last().arguments.value(0), QVariant(QStringList{id}));
    for (auto it = expected.constBegin(); it != expected.constEnd(); ++it)
        QCOMPARE(stored(wlanRoot + directory + QLatin1Char('/') + it.key()), it.value());
    QCOMPARE(Touch::SettingsItem(wlanRoot).listDirs(), QStringList{wlanRoot + directory});
}

void tst_SimWps::exchangeFails_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QVariantMap>("properties");
    // Sent with update_properties once "connecting" is heard; none when empty.
    QTest::addColumn<QVariantMap>("update");
    QTest::addColumn<QString>("reason");

    const QString office = QStringLiteral("Office Net");
    QTest::newRow("PIN checksum wrong") << office << pinToCome() << pin(QStringLiteral("12345678"))
                                        << "wrong-credentials";
    QTest::newRow("PIN seven digits") << office << pinToCome() << pin(QStringLiteral("1234567"))
                                      << "wrong-credentials";
    QTest::newRow("PIN nine digits") << office << pinToCome() << pin(QStringLiteral("123456700"))
                                     << "wrong-credentials";
    QTest::newRow("PIN with a letter") << office << pinToCome() << pin(QStringLiteral("1234567a"))
                                       << "wrong-credentials";
    QTest::newRow("PIN replaced by a wrong one")
        << office << pin(QStringLiteral("12345678")) << pin(QStringLiteral("87654321")) << "wrong-credentials";
    QTest::newRow("network without WPS") << "No Wps" << pushButton() << QVariantMap() << "wps-unavailable";
    QTest::newRow("network without WPS, PIN") << "No Wps" << pin(QStringLiteral("12345670")) << QVariantMap()
                                              << "wps-unavailable";
    QTest::newRow("unknown network") << "Elsewhere" << pushButton() << QVariantMap() << "not-found";
    QVariantMap otherType = pushButton();
    otherType.insert(QStringLiteral("EAP_default_type"), QVariantList({254, 0, 55, 42, 0, 0, 0, 2}));
    // Not WPS at all, so a WPA-PSK attempt without a passphrase.
    QTest::newRow("other expanded type") << office << otherType << QVariantMap() << "wrong-credentials";
}

void tst_SimWps::exchangeFails()
{
    QFETCH(QString, id);
    QFETCH(QVariantMap, properties);
    QFETCH(QVariantMap, update);
    QFETCH(QString, reason);

    QCOMPARE(SimCalls::connectRequest(id, properties).type(), QDBusMessage::ReplyMessage);
    if (!update.isEmpty()) {
        QVERIFY(states->waitForCount(1));
        QCOMPARE(SimCalls::updateProperties(id, update).type(), QDBusMessage::ReplyMessage);
    }
    QCOMPARE(finalStates(id), QStringList({QStringLiteral("connecting"), QStringLiteral("failed ") + reason}));
    QCOMPARE(Touch::SettingsItem(wlanRoot).listDirs(), QStringList());
    QVERIFY2(!sim->log().contains(QStringLiteral("87654321")), "a PIN in the log");

    // No announcement either: the next one heard is a later, good exchange's.
    QCOMPARE(SimCalls::connectRequest(QStringLiteral("Open Door"), pushButton()).type(), QDBusMessage::ReplyMessage);
    QVERIFY(wpsSuccess->waitForCount(1));
    QCOMPARE(wpsSuccess->entries().constFirst().arguments.value(0), QVariant(QStringList{QStringLiteral("Open Door")}));
}

void tst_SimWps::pinArrivesLater_data()
{
    QTest::addColumn<QVariantMap>("properties");
    QTest::addColumn<QList<QVariantMap>>("updates");

    QTest::newRow("no PIN, then a valid one") << pinToCome() << QList<QVariantMap>{pin(QStringLiteral("12345670"))};
    QTest::newRow("an invalid PIN, then a valid one")
        << pin(QStringLiteral("12345678")) << QList<QVariantMap>{pin(QStringLiteral("49226874"))};
    QTest::newRow("other keys first") << pinToCome()
                                      << QList<QVariantMap>{{{QStringLiteral("wlan_hidden"), false}},
                                                            pin(QStringLiteral("00000000"))};
    QVariantMap pinOnly = {{QStringLiteral("EAP_SIMPLE_CONFIG_device_password"), QByteArray("12345670")}};
    QTest::newRow("the PIN alone, as bytes") << pinToCome() << QList<QVariantMap>{pinOnly};
}

void tst_SimWps::pinArrivesLater()
{
    QFETCH(QVariantMap, properties);
    QFETCH(QList<QVariantMap>, updates);
    const QString id = QStringLiteral("Office Net");

    QCOMPARE(SimCalls::connectRequest(id, properties).type(), QDBusMessage::ReplyMessage);
    QVERIFY(states->waitForCount(1));
    // Without its PIN the exchange waits, well past the connect delay.
    QVERIFY(!states->waitForCount(2, 300));
    QCOMPARE(wpsSuccess->count(), 0);
    for (const QVariantMap& update : updates)
        QCOMPARE(SimCalls::updateProperties(id, update).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(finalStates(id), QStringList({QStringLiteral("connecting"), QStringLiteral("disconnected")}));
    QVERIFY(wpsSuccess->waitForCount(1));
    QCOMPARE(wpsSuccess->last().arguments.value(0), QVariant(QStringList{id}));
    QVERIFY(wpsSuccess->last().sequence < states->last().sequence);
    QCOMPARE(stored(wlanRoot + QStringLiteral("Office%20Net/wlan_security")), QVariant(QStringLiteral("WPA_PSK")));
}

void tst_SimWps::waitForPinEnds_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("expected");

    QTest::newRow("time-out") << "nothing" << "failed timeout";
    QTest::newRow("update without PIN, then time-out") << "other key" << "failed timeout";
    QTest::newRow("disconnect_req") << "disconnect" << "failed cancelled";
}

void tst_SimWps::waitForPinEnds()
{
    QFETCH(QString, how);
    QFETCH(QString, expected);
    const QString id = QStringLiteral("Office Net");

    QVERIFY(sim->stop());
    QVERIFY(startSimulator(true, 400));
    QCOMPARE(SimCalls::connectRequest(id, pinToCome()).type(), QDBusMessage::ReplyMessage);
    QVERIFY(states->waitForCount(1));
    if (how == QLatin1String("other key"))
        QCOMPARE(SimCalls::updateProperties(id, {{QStringLiteral("wlan_hidden"), true}}).type(),
                 QDBusMessage::ReplyMessage);
    else if (how == QLatin1String("disconnect"))
        QCOMPARE(SimCalls::disconnectRequest(0x8000).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(finalStates(id), QStringList({QStringLiteral("connecting"), expected}));

    // A PIN after the end belongs to no attempt.
    QCOMPARE(SimCalls::updateProperties(id, pin(QStringLiteral("12345670"))).type(), QDBusMessage::ReplyMessage);
    QVERIFY(!wpsSuccess->waitForCount(1, 200));
    QCOMPARE(Touch::SettingsItem(wlanRoot).listDirs(), QStringList());
}

void tst_SimWps::updatesOfOtherAttemptsIgnored()
{
    // Nothing runs: ignored.
    QCOMPARE(SimCalls::updateProperties(QStringLiteral("Office Net"), pin(QStringLiteral("12345670"))).type(),
             QDBusMessage::ReplyMessage);

    QCOMPARE(SimCalls::connectRequest(QStringLiteral("Office Net"), pinToCome()).type(), QDBusMessage::ReplyMessage);
    QVERIFY(states->waitForCount(1));
    QCOMPARE(SimCalls::updateProperties(QStringLiteral("Open Door"), pin(QStringLiteral("12345670"))).type(),
             QDBusMessage::ReplyMessage);
    QVERIFY(!states->waitForCount(2, 300));
    QCOMPARE(wpsSuccess->count(), 0);

    QCOMPARE(SimCalls::updateProperties(QStringLiteral("Office Net"), pin(QStringLiteral("12345670"))).type(),
             QDBusMessage::ReplyMessage);
    QCOMPARE(finalStates(QStringLiteral("Office Net")),
             QStringList({QStringLiteral("connecting"), QStringLiteral("disconnected")}));
    QVERIFY(wpsSuccess->waitForCount(1));
    QCOMPARE(wpsSuccess->count(), 1);
}

void tst_SimWps::malformedUpdateRefused_data()
{
    QTest::addColumn<QList<QVariant>>("arguments");

    QTest::newRow("no arguments") << QList<QVariant>();
    QTest::newRow("id only") << QList<QVariant>{QStringLiteral("Office Net")};
    QTest::newRow("map as text") << QList<QVariant>{QStringLiteral("Office Net"), QStringLiteral("pin")};
    QTest::newRow("empty id") << QList<QVariant>{QString(QLatin1String("")), QVariant(pin(QStringLiteral("12345670")))};
    QVariantMap noMethod = pin(QStringLiteral("12345670"));
    noMethod.insert(QStringLiteral("wlan_wps_method"), QStringLiteral("telepathy"));
    QTest::newRow("unknown WPS method") << QList<QVariant>{QStringLiteral("Office Net"), QVariant(noMethod)};
}

void tst_SimWps::malformedUpdateRefused()
{
    QFETCH(QList<QVariant>, arguments);

    QCOMPARE(SimCalls::connectRequest(QStringLiteral("Office Net"), pinToCome()).type(), QDBusMessage::ReplyMessage);
    QVERIFY(states->waitForCount(1));
    const QDBusMessage reply = SimCalls::call(SimCalls::connectivityService, SimCalls::connectivityPath,
                                              SimCalls::connectivityInterface, QStringLiteral("update_properties"),
                                              arguments);
    QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
    QCOMPARE(reply.errorName(), QStringLiteral("com.qorva.nexd2.Error.InvalidArguments"));
    // The attempt still waits, and a good PIN still completes it.
    QCOMPARE(SimCalls::updateProperties(QStringLiteral("Office Net"), pin(QStringLiteral("12345670"))).type(),
             QDBusMessage::ReplyMessage);
    QCOMPARE(finalStates(QStringLiteral("Office Net")),
             QStringList({QStringLiteral("connecting"), QStringLiteral("disconnected")}));
}

void tst_SimWps::saveDropsStaleKeys()
{
    const QString directory = wlanRoot + QStringLiteral("Office%20Net/");
    // Written earlier by the host, e.g. an access point saved during WPS.
    QVERIFY(Touch::SettingsItem(directory + QStringLiteral("wlan_wps_method")).set(QStringLiteral("pin")));
    QVERIFY(Touch::SettingsItem(directory + QStringLiteral("EAP_default_type")).set(QVariantList{254, 0, 55, 42}));
    QVERIFY(Touch::SettingsItem(directory + QStringLiteral("wlan_security")).set(QStringLiteral("NONE")));
    QTRY_VERIFY(stored(directory + QStringLiteral("wlan_wps_method")).isValid());

    QCOMPARE(SimCalls::connectRequest(QStringLiteral("Office Net"), pushButton()).type(), QDBusMessage::ReplyMessage);
    QVERIFY(wpsSuccess->waitForCount(1));
    QCOMPARE(Touch::SettingsItem(directory).listKeys(),
             QStringList({directory + QStringLiteral("EAP_wpa_preshared_passphrase"),
                          directory + QStringLiteral("type"), directory + QStringLiteral("wlan_security")}));
    QCOMPARE(stored(directory + QStringLiteral("wlan_security")), QVariant(QStringLiteral("WPA_PSK")));
}

void tst_SimWps::nothingSavedWithoutOption()
{
    QVERIFY(sim->stop());
    QVERIFY(startSimulator(false));
    QCOMPARE(SimCalls::connectRequest(QStringLiteral("Office Net"), pushButton()).type(), QDBusMessage::ReplyMessage);
    QVERIFY(wpsSuccess->waitForCount(1));
    QCOMPARE(finalStates(QStringLiteral("Office Net")).constLast(), QStringLiteral("disconnected"));
    QCOMPARE(Touch::SettingsItem(wlanRoot).listDirs(), QStringList());
}

void tst_SimWps::announceThroughControl()
{
    const QStringList ids = {QStringLiteral("First"), QStringLiteral("Second one")};
    QVERIFY(sim->announceWpsSuccess(ids));
    QVERIFY(wpsSuccess->waitForCount(1));
    QCOMPARE(wpsSuccess->last().arguments, QList<QVariant>({ids}));
    QVERIFY(sim->announceWpsSuccess({}));
    QVERIFY(wpsSuccess->waitForCount(2));
    QCOMPARE(wpsSuccess->last().arguments, QList<QVariant>({QStringList()}));
}

VELIN_TEST_GUILESS_MAIN_WITH_BUS(tst_SimWps)

#include "tst_simwps.moc"
