// The simulator under bad input: malformed calls, bad data files, names
// already taken, a lost bus. It answers with errors, logs no secret and
// keeps serving.
#include "fakedbusservice.h"
#include "platformsimfixture.h"
#include "privatebus.h"
#include "signalrecorder.h"
#include "simcalls.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QtTest>

namespace {

const char networksJson[] = R"({"networks": [
    {"ssid": "Psk", "security": "WPA_PSK", "wps": true,
     "credentials": {"EAP_wpa_preshared_passphrase": "SECRET-passphrase-1"}},
    {"ssid": "Eap", "security": "WPA_EAP",
     "credentials": {"EAP_GTC_identity": "user", "EAP_GTC_passcode": "SECRET-passcode-2"}}
]})";

const QString skylardInvalid = QStringLiteral("com.qorva.skylard.Error.InvalidArguments");
const QString nexdInvalid = QStringLiteral("com.qorva.nexd2.Error.InvalidArguments");
const QString controlInvalid = QStringLiteral("com.qorva.platformsim.Error.InvalidArguments");
const QString invalidFile = QStringLiteral("com.qorva.platformsim.Error.InvalidFile");
const QString unknownMethod = QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod");

struct Target
{
    QString service;
    QString path;
    QString interface;
};

Target wlan()
{
    return {SimCalls::wlanService, SimCalls::wlanRequestPath, SimCalls::wlanRequestInterface};
}

Target connectivity()
{
    return {SimCalls::connectivityService, SimCalls::connectivityPath, SimCalls::connectivityInterface};
}

Target control()
{
    return {QStringLiteral("com.qorva.platformsim"), QStringLiteral("/com/qorva/platformsim"),
            QStringLiteral("com.qorva.platformsim.Control")};
}

QVariantMap wpsPin(const QString& digits)
{
    return {{QStringLiteral("EAP_default_type"), QVariantList({254, 0, 55, 42, 0, 0, 0, 1})},
            {QStringLiteral("wlan_wps_method"), "pin"},
            {QStringLiteral("EAP_SIMPLE_CONFIG_device_password"), digits}};
}

} // namespace

Q_DECLARE_METATYPE(QList<QVariant>)

class tst_SimRobustness : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void malformedCalls_data();
    void malformedCalls();
    void badNetworkFiles_data();
    void badNetworkFiles();
    void unreadableNetworkFile();
    void badFileAtStartup_data();
    void badFileAtStartup();
    void badCommandLine_data();
    void badCommandLine();
    void nameAlreadyOwned();
    void secretsStayOutOfTheLog();
    void stopsCleanlyAndReleasesNames();
    // Last: it takes the suite's system bus away.
    void exitsWhenTheBusGoes();

private:
    PlatformSimFixture* sim = nullptr;
    QTemporaryDir directory;
};

void tst_SimRobustness::initTestCase()
{
    // For a call that sends "a{ss}" where "a{sv}" belongs.
    qDBusRegisterMetaType<QMap<QString, QString>>();
}

void tst_SimRobustness::init()
{
    sim = new PlatformSimFixture(this);
    sim->setNetworks(networksJson);
    sim->setExtraArguments({QStringLiteral("--connect-delay"), QStringLiteral("20"), QStringLiteral("--scan-delay"),
                            QStringLiteral("20")});
    QVERIFY(sim->start());
}

void tst_SimRobustness::cleanup()
{
    delete sim;
    sim = nullptr;
}

void tst_SimRobustness::malformedCalls_data()
{
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("interface");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QList<QVariant>>("arguments");
    QTest::addColumn<QString>("error");

    const auto row = [](const char* name, const Target& target, const char* member, const QList<QVariant>& arguments,
                        const QString& error) {
        QTest::newRow(name) << target.service << target.path << target.interface << QString::fromLatin1(member)
                            << arguments << error;
    };
    const QVariantMap noProperties;

    row("scan without arguments", wlan(), "scan", {}, skylardInvalid);
    row("scan power only", wlan(), "scan", {8}, skylardInvalid);
    row("scan power as uint", wlan(), "scan", {8u, QByteArray()}, skylardInvalid);
    row("scan SSID as string", wlan(), "scan", {8, QStringLiteral("Psk")}, skylardInvalid);
    row("scan extra argument", wlan(), "scan", {8, QByteArray(), 1}, skylardInvalid);
    row("scan power 0", wlan(), "scan", {0, QByteArray()}, skylardInvalid);
    row("scan power 21", wlan(), "scan", {21, QByteArray()}, skylardInvalid);
    row("scan negative power", wlan(), "scan", {-8, QByteArray()}, skylardInvalid);
    row("scan SSID of 33 bytes", wlan(), "scan", {8, QByteArray(33, 'x').append('\0')}, skylardInvalid);
    row("scan SSID with inner NUL", wlan(), "scan", {8, QByteArray("Ps\0k\0", 5)}, skylardInvalid);
    row("WLAN unknown method", wlan(), "scan_all", {8}, unknownMethod);
    row("scan on another interface", Target{SimCalls::wlanService, SimCalls::wlanRequestPath, "com.qorva.other"},
        "scan", {8, QByteArray()}, unknownMethod);

    row("disconnect_req without flags", connectivity(), "disconnect_req", {}, nexdInvalid);
    row("disconnect_req flags as int", connectivity(), "disconnect_req", {0x8000}, nexdInvalid);
    row("disconnect_req reserved flag", connectivity(), "disconnect_req", {0x1u}, nexdInvalid);
    row("disconnect_req extra bits", connectivity(), "disconnect_req", {0x8001u}, nexdInvalid);
    row("disconnect_req zero", connectivity(), "disconnect_req", {0u}, nexdInvalid);
    row("connect_req empty id", connectivity(), "connect_req", {QString(), noProperties}, nexdInvalid);
    row("connect_req without properties", connectivity(), "connect_req", {QStringLiteral("Psk")}, nexdInvalid);
    row("connect_req string map", connectivity(), "connect_req",
        {QStringLiteral("Psk"), QVariant::fromValue(QMap<QString, QString>{{"a", "b"}})}, nexdInvalid);
    row("connect_req id as bytes", connectivity(), "connect_req", {QByteArray("Psk"), noProperties}, nexdInvalid);
    QVariantMap badMethod = wpsPin(QStringLiteral("12345670"));
    badMethod.insert(QStringLiteral("wlan_wps_method"), QStringLiteral("telepathy"));
    row("connect_req unknown WPS method", connectivity(), "connect_req", {QStringLiteral("Psk"), badMethod},
        nexdInvalid);
    QVariantMap noMethod = wpsPin(QStringLiteral("12345670"));
    noMethod.remove(QStringLiteral("wlan_wps_method"));
    row("connect_req WPS without method", connectivity(), "connect_req", {QStringLiteral("Psk"), noMethod},
        nexdInvalid);
    row("connectivity unknown method", connectivity(), "status_req", {}, unknownMethod);

    row("SetScanMode unknown", control(), "SetScanMode", {QStringLiteral("loud")}, controlInvalid);
    row("SetScanMode empty", control(), "SetScanMode", {QString()}, controlInvalid);
    row("SetScanMode as int", control(), "SetScanMode", {1}, controlInvalid);
    row("SetScanDelay as int", control(), "SetScanDelay", {100}, controlInvalid);
    row("SetScanDelay too long", control(), "SetScanDelay", {3600000u}, controlInvalid);
    row("SetConnectDelay too long", control(), "SetConnectDelay", {60001u}, controlInvalid);
    row("AnnounceWpsSuccess string", control(), "AnnounceWpsSuccess", {QStringLiteral("Psk")}, controlInvalid);
    row("DropLink with argument", control(), "DropLink", {true}, controlInvalid);
    row("FailNextConnection as int", control(), "FailNextConnection", {3}, controlInvalid);
    row("LoadNetworks empty path", control(), "LoadNetworks", {QString()}, controlInvalid);
    row("LoadNetworks object path", control(), "LoadNetworks",
        {QVariant::fromValue(QDBusObjectPath(QStringLiteral("/tmp")))}, controlInvalid);
    row("Networks with argument", control(), "Networks", {QStringLiteral("all")}, controlInvalid);
    row("control unknown method", control(), "Explode", {}, unknownMethod);
}

void tst_SimRobustness::malformedCalls()
{
    QFETCH(QString, service);
    QFETCH(QString, path);
    QFETCH(QString, interface);
    QFETCH(QString, member);
    QFETCH(QList<QVariant>, arguments);
    QFETCH(QString, error);

    const QDBusMessage reply = SimCalls::call(service, path, interface, member, arguments);
    QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
    QCOMPARE(reply.errorName(), error);
    QVERIFY(!reply.errorMessage().isEmpty());

    // Nothing changed, and the simulator goes on serving.
    QVERIFY(sim->isRunning());
    QCOMPARE(sim->scanRequests(), 0u);
    QCOMPARE(sim->lastConnectId(), QString());
    QCOMPARE(sim->networks(), QStringList({QStringLiteral("Psk"), QStringLiteral("Eap")}));
    QCOMPARE(SimCalls::scan(8, QByteArray()).type(), QDBusMessage::ReplyMessage);
    QVERIFY2(sim->stop(), qPrintable(sim->log()));
    QVERIFY(sim->log().contains(QLatin1String("warning")));
}

void tst_SimRobustness::badNetworkFiles_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("complaint");

    QTest::newRow("garbage") << QByteArray("\x01\x02 not json {") << "not valid JSON";
    QTest::newRow("empty file") << QByteArray() << "not valid JSON";
    QTest::newRow("array at top") << QByteArray("[]") << "\"networks\" array";
    QTest::newRow("networks not an array") << QByteArray(R"({"networks": {}})") << "\"networks\" array";
    QTest::newRow("unknown top-level field") << QByteArray(R"({"networks": [], "extra": 1})") << "extra";
    QTest::newRow("entry not an object") << QByteArray(R"({"networks": [3]})") << "network 0";
    QTest::newRow("no ssid") << QByteArray(R"({"networks": [{"level": -50}]})") << "ssid is missing";
    QTest::newRow("empty ssid") << QByteArray(R"({"networks": [{"ssid": ""}]})") << "1 to 32 bytes";
    QTest::newRow("ssid of 33 bytes") << QByteArray(R"({"networks": [{"ssid": "123456789012345678901234567890123"}]})")
                                      << "1 to 32 bytes";
    QTest::newRow("ssid bad hex") << QByteArray(R"({"networks": [{"ssid": {"hex": "4"}}]})") << "ssid must be";
    QTest::newRow("ssid number") << QByteArray(R"({"networks": [{"ssid": 5}]})") << "ssid must be";
    QTest::newRow("unknown field") << QByteArray(R"({"networks": [{"ssid": "A", "hiden": true}]})") << "hiden";
    QTest::newRow("bad bssid") << QByteArray(R"({"networks": [{"ssid": "A", "bssid": "02:00:00:00:00"}]})") << "bssid";
    QTest::newRow("bssid twice")
        << QByteArray(R"({"networks": [{"ssid": "A", "bssid": "02:00:00:00:00:09"},
                                       {"ssid": "B", "bssid": "02:00:00:00:00:09"}]})")
        << "used twice";
    QTest::newRow("level too high") << QByteArray(R"({"networks": [{"ssid": "A", "level": -10}]})") << "level";
    QTest::newRow("level too low") << QByteArray(R"({"networks": [{"ssid": "A", "level": -101}]})") << "level";
    QTest::newRow("level fraction") << QByteArray(R"({"networks": [{"ssid": "A", "level": -50.5}]})") << "level";
    QTest::newRow("level text") << QByteArray(R"({"networks": [{"ssid": "A", "level": "-50"}]})") << "level";
    QTest::newRow("unknown security") << QByteArray(R"({"networks": [{"ssid": "A", "security": "WPA3"}]})")
                                      << "security must be";
    QTest::newRow("flag not bool") << QByteArray(R"({"networks": [{"ssid": "A", "wps": "yes"}]})") << "wps";
    QTest::newRow("capability negative") << QByteArray(R"({"networks": [{"ssid": "A", "capability": -1}]})")
                                         << "capability";
    QTest::newRow("capability too big") << QByteArray(R"({"networks": [{"ssid": "A", "capability": 4294967296}]})")
                                        << "capability";
    QTest::newRow("capability bad hex") << QByteArray(R"({"networks": [{"ssid": "A", "capability": "0xZZ"}]})")
                                        << "capability";
    QTest::newRow("attributes nine digits")
        << QByteArray(R"({"networks": [{"ssid": "A", "attributes": "0x123456789"}]})") << "attributes";
    QTest::newRow("credentials not an object") << QByteArray(R"({"networks": [{"ssid": "A", "credentials": []}]})")
                                               << "credentials";
    QTest::newRow("credential list")
        << QByteArray(R"({"networks": [{"ssid": "A", "credentials": {"EAP_GTC_passcode": ["SECRET-in-list"]}}]})")
        << "EAP_GTC_passcode";
    QTest::newRow("credential key with slash")
        << QByteArray(R"({"networks": [{"ssid": "A", "credentials": {"a/b": "x"}}]})") << "a/b";
    QTest::newRow("WEP without key") << QByteArray(R"({"networks": [{"ssid": "A", "security": "WEP"}]})")
                                     << "wlan_wepkey1";
    QTest::newRow("WEP default out of range")
        << QByteArray(R"({"networks": [{"ssid": "A", "security": "WEP",
                                       "credentials": {"wlan_wepkey1": "SECRET-wep", "wlan_wepdefkey": 7}}]})")
        << "wlan_wepdefkey";
    QTest::newRow("PSK passphrase too short")
        << QByteArray(R"({"networks": [{"ssid": "A", "security": "WPA_PSK",
                                       "credentials": {"EAP_wpa_preshared_passphrase": "SECRET"}}]})")
        << "8 to 63";
    QTest::newRow("PSK key not 32 bytes")
        << QByteArray(R"({"networks": [{"ssid": "A", "security": "WPA_PSK",
                                       "credentials": {"EAP_wpa_preshared_key": {"hex": "5345435245542d6b6579"}}}]})")
        << "32 bytes";
    QTest::newRow("PSK nothing") << QByteArray(R"({"networks": [{"ssid": "A", "security": "WPA_PSK"}]})")
                                 << "EAP_wpa_preshared_passphrase";
    QTest::newRow("WAPI PSK nothing") << QByteArray(R"({"networks": [{"ssid": "A", "security": "WAI_PSK"}]})")
                                      << "EAP_wpa_preshared_key";
    QTest::newRow("EAP user without password")
        << QByteArray(R"({"networks": [{"ssid": "A", "security": "WPA_EAP",
                                       "credentials": {"EAP_MSCHAPV2_username": "SECRET-user"}}]})")
        << "both a user name and a password";
    QTest::newRow("EAP nothing") << QByteArray(R"({"networks": [{"ssid": "A", "security": "WPA_EAP"}]})")
                                 << "EAP_TLS_PEAP_client_certificate_file";
    QTest::newRow("second entry bad")
        << QByteArray(R"({"networks": [{"ssid": "Good"}, {"ssid": "Bad", "level": 0}]})") << "network 1 (\"Bad\")";
}

void tst_SimRobustness::badNetworkFiles()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, complaint);

    const QString path = directory.filePath(QStringLiteral("bad.json"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(json);
    file.close();

    const QDBusMessage reply = sim->callControl(QStringLiteral("LoadNetworks"), {path});
    QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
    QCOMPARE(reply.errorName(), invalidFile);
    QVERIFY2(reply.errorMessage().contains(complaint), qPrintable(reply.errorMessage()));
    QVERIFY2(!reply.errorMessage().contains(QLatin1String("SECRET")), qPrintable(reply.errorMessage()));

    // The networks served before stay.
    QCOMPARE(sim->networks(), QStringList({QStringLiteral("Psk"), QStringLiteral("Eap")}));
    QVERIFY(sim->stop());
    QVERIFY(sim->log().contains(complaint));
    QVERIFY(!sim->log().contains(QLatin1String("SECRET")));
}

void tst_SimRobustness::unreadableNetworkFile()
{
    const QDBusMessage reply =
        sim->callControl(QStringLiteral("LoadNetworks"), {directory.filePath(QStringLiteral("missing.json"))});
    QCOMPARE(reply.errorName(), invalidFile);
    QVERIFY(reply.errorMessage().contains(QLatin1String("missing.json")));
    QCOMPARE(sim->networks().size(), 2);
}

void tst_SimRobustness::badFileAtStartup_data()
{
    QTest::addColumn<QByteArray>("json");

    QTest::newRow("garbage") << QByteArray("{{{");
    QTest::newRow("bad entry") << QByteArray(R"({"networks": [{"ssid": "A", "security": "nonsense"}]})");
}

void tst_SimRobustness::badFileAtStartup()
{
    QFETCH(QByteArray, json);

    QVERIFY(sim->stop());
    PlatformSimFixture broken;
    broken.setNetworks(json);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("did not come up")));
    QVERIFY(!broken.start());
    QCOMPARE(broken.exitCode(), 1);
    QVERIFY(broken.log().contains(broken.networksPath()));
    QVERIFY(!QDBusConnection::systemBus().interface()->isServiceRegistered(QStringLiteral("com.qorva.skylard")).value());
}

void tst_SimRobustness::badCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("unknown option") << QStringList{QStringLiteral("--frobnicate")};
    QTest::newRow("negative delay") << QStringList{QStringLiteral("--scan-delay"), QStringLiteral("-1")};
    QTest::newRow("delay too long") << QStringList{QStringLiteral("--connect-delay"), QStringLiteral("60001")};
    QTest::newRow("stray argument") << QStringList{QStringLiteral("networks.json")};
}

void tst_SimRobustness::badCommandLine()
{
    QFETCH(QStringList, arguments);

    QVERIFY(sim->stop());
    PlatformSimFixture broken;
    broken.setExtraArguments(arguments);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("did not come up")));
    QVERIFY(!broken.start());
    QCOMPARE(broken.exitCode(), 2);
}

void tst_SimRobustness::nameAlreadyOwned()
{
    QVERIFY(sim->stop());
    FakeDBusService squatter(FakeDBusService::SystemBus, QStringLiteral("com.qorva.nexd2"));
    QVERIFY(squatter.isRegistered());

    PlatformSimFixture second;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("did not come up")));
    QVERIFY(!second.start());
    QCOMPARE(second.exitCode(), 1);
    QVERIFY2(second.log().contains(QLatin1String("com.qorva.nexd2")), qPrintable(second.log()));
    // What it had taken before it gave up is free again.
    QVERIFY(!QDBusConnection::systemBus().interface()->isServiceRegistered(QStringLiteral("com.qorva.skylard")).value());
}

void tst_SimRobustness::secretsStayOutOfTheLog()
{
    SignalRecorder states(SimCalls::connectivityPath, SimCalls::connectivityInterface,
                          QStringLiteral("connection_state"));
    const QList<QPair<QString, QVariantMap>> attempts = {
        {QStringLiteral("Psk"), {{QStringLiteral("EAP_wpa_preshared_passphrase"), "SECRET-wrong-passphrase"}}},
        {QStringLiteral("Psk"), {{QStringLiteral("EAP_wpa_preshared_passphrase"), "SECRET-passphrase-1"}}},
        {QStringLiteral("Psk"), {{QStringLiteral("EAP_wpa_preshared_key"), QByteArray("SECRET-raw-key")}}},
        {QStringLiteral("Eap"),
         {{QStringLiteral("EAP_GTC_identity"), "user"}, {QStringLiteral("EAP_GTC_passcode"), "SECRET-wrong"}}},
        {QStringLiteral("Psk"), wpsPin(QStringLiteral("87654325"))},
        {QStringLiteral("Psk"), wpsPin(QStringLiteral("12345670"))},
    };
    int expectedStates = 0;
    for (const auto& attempt : attempts) {
        QCOMPARE(SimCalls::connectRequest(attempt.first, attempt.second).type(), QDBusMessage::ReplyMessage);
        expectedStates += 2; // connecting, then the outcome
        QVERIFY(states.waitForCount(expectedStates));
        if (states.last().arguments.value(1) == QVariant(QStringLiteral("connected"))) {
            QCOMPARE(SimCalls::disconnectRequest(0x8000).type(), QDBusMessage::ReplyMessage);
            QVERIFY(states.waitForCount(++expectedStates));
        }
    }
    QVERIFY(sim->stop());
    const QString log = sim->log();
    QVERIFY2(log.contains(QLatin1String("wrong-credentials")), qPrintable(log));
    for (const char* secret : {"SECRET", "87654325", "12345670"})
        QVERIFY2(!log.contains(QLatin1String(secret)), secret);
}

void tst_SimRobustness::stopsCleanlyAndReleasesNames()
{
    QDBusConnectionInterface* bus = QDBusConnection::systemBus().interface();
    for (const QString& name : PlatformSimFixture::serviceNames())
        QVERIFY(bus->isServiceRegistered(name).value());
    QVERIFY(sim->stop());
    QCOMPARE(sim->exitCode(), 0);
    for (const QString& name : PlatformSimFixture::serviceNames())
        QVERIFY2(!bus->isServiceRegistered(name).value(), qPrintable(name));
}

void tst_SimRobustness::exitsWhenTheBusGoes()
{
    PrivateBus::instance()->stop(PrivateBus::SystemBus);
    QTRY_VERIFY_WITH_TIMEOUT(!sim->isRunning(), 10000);
    QCOMPARE(sim->exitCode(), 1);
    QVERIFY(sim->log().contains(QLatin1String("lost")));
}

VELIN_TEST_GUILESS_MAIN_WITH_BUS(tst_SimRobustness)

#include "tst_simrobustness.moc"
