// Scans against the simulated WLAN daemon: what a broad and a directed scan
// find, the layout of "scan_results", the scan modes and the delay.
#include "platformsimfixture.h"
#include "privatebus.h"
#include "signalrecorder.h"
#include "simcalls.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QtTest>

#include <algorithm>

using SimCalls::ScanEntry;

namespace {

// Explicit BSSIDs in 02:00:00:00:01:xx; the last network gets the derived
// one of file position 10.
const char networksJson[] = R"({"networks": [
    {"ssid": "Open", "bssid": "02:00:00:00:01:0A", "level": -40},
    {"ssid": "Wep", "bssid": "02:00:00:00:01:0b", "level": -55, "security": "WEP",
     "credentials": {"wlan_wepkey1": "abcde"}},
    {"ssid": "Psk", "bssid": "02:00:00:00:01:0c", "level": -61, "security": "WPA_PSK", "wps": true,
     "credentials": {"EAP_wpa_preshared_passphrase": "passphrase"}},
    {"ssid": "Eap", "bssid": "02:00:00:00:01:0d", "level": -70, "security": "WPA_EAP",
     "credentials": {"EAP_GTC_identity": "user", "EAP_GTC_passcode": "code"}},
    {"ssid": "Hidden", "bssid": "02:00:00:00:01:0e", "level": -45, "security": "WPA_PSK", "hidden": true,
     "credentials": {"EAP_wpa_preshared_passphrase": "passphrase"}},
    {"ssid": "Adhoc", "bssid": "02:00:00:00:01:0f", "level": -90, "adhoc": true},
    {"ssid": "WapiPsk", "bssid": "02:00:00:00:01:10", "level": -100, "security": "WAI_PSK",
     "credentials": {"EAP_wpa_preshared_key": "key"}},
    {"ssid": "WapiCert", "bssid": "02:00:00:00:01:11", "level": -20, "security": "WAI_certificate"},
    {"ssid": "Words", "bssid": "02:00:00:00:01:12", "level": -66, "capability": "0x30000108"},
    {"ssid": "Explicit", "bssid": "02:00:00:00:01:13", "level": -67, "capability": 5, "attributes": "0x00ABCDEF"},
    {"ssid": "Caf\u00e9 \u65e5"}
]})";

const QByteArray nonAscii("Caf\xc3\xa9 \xe6\x97\xa5");

QList<QByteArray> visibleNetworks()
{
    return {"Open", "Wep", "Psk", "Eap", "Adhoc", "WapiPsk", "WapiCert", "Words", "Explicit", nonAscii};
}

} // namespace

class tst_SimScan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void broadScanListsVisibleNetworks_data();
    void broadScanListsVisibleNetworks();
    void directedScan_data();
    void directedScan();
    void entryLayout_data();
    void entryLayout();
    void everyScanIsAnsweredAndCounted();
    void resultsReachEveryListener();
    void scanModes_data();
    void scanModes();
    void scanDelay_data();
    void scanDelay();
    void resultsFollowLoadedNetworks();

private:
    bool startSimulator(const QStringList& arguments);
    QList<ScanEntry> scanAndWait(int power, const QByteArray& ssid);

    PlatformSimFixture* sim = nullptr;
    SignalRecorder* results = nullptr;
};

bool tst_SimScan::startSimulator(const QStringList& arguments)
{
    delete sim;
    sim = new PlatformSimFixture(this);
    sim->setNetworks(networksJson);
    sim->setExtraArguments(arguments);
    return sim->start();
}

void tst_SimScan::init()
{
    QVERIFY(startSimulator({QStringLiteral("--scan-delay"), QStringLiteral("20")}));
    results = new SignalRecorder(SimCalls::wlanSignalPath, SimCalls::wlanSignalInterface,
                                 QStringLiteral("scan_results"), this);
    QVERIFY(results->isConnected());
}

void tst_SimScan::cleanup()
{
    delete results;
    results = nullptr;
    if (sim)
        QVERIFY2(sim->stop(), qPrintable(sim->log()));
    delete sim;
    sim = nullptr;
}

QList<ScanEntry> tst_SimScan::scanAndWait(int power, const QByteArray& ssid)
{
    const int before = results->count();
    const QDBusMessage reply = SimCalls::scan(power, ssid);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        qWarning("scan failed: %s", qPrintable(reply.errorMessage()));
        return {};
    }
    if (!results->waitForCount(before + 1))
        return {};
    QList<ScanEntry> entries;
    if (!SimCalls::parseScanResults(results->last().message, &entries))
        qWarning("scan_results has the wrong layout: %s", qPrintable(results->last().message.signature()));
    return entries;
}

void tst_SimScan::broadScanListsVisibleNetworks_data()
{
    QTest::addColumn<QByteArray>("ssid");
    QTest::addColumn<int>("power");

    QTest::newRow("empty array") << QByteArray() << 8;
    QTest::newRow("single NUL") << QByteArray(1, '\0') << 4;
    QTest::newRow("lowest power") << QByteArray() << 1;
    QTest::newRow("highest power") << QByteArray() << 20;
}

void tst_SimScan::broadScanListsVisibleNetworks()
{
    QFETCH(QByteArray, ssid);
    QFETCH(int, power);

    const QList<ScanEntry> entries = scanAndWait(power, ssid);
    QCOMPARE(SimCalls::ssids(entries), visibleNetworks());
    QCOMPARE(results->last().arguments.at(0), QVariant(visibleNetworks().size()));
}

void tst_SimScan::directedScan_data()
{
    QTest::addColumn<QByteArray>("ssid");
    QTest::addColumn<bool>("findsHidden");

    QTest::newRow("hidden SSID") << QByteArray("Hidden\0", 7) << true;
    QTest::newRow("hidden SSID without NUL") << QByteArray("Hidden") << true;
    QTest::newRow("other case") << QByteArray("hidden\0", 7) << false;
    QTest::newRow("prefix") << QByteArray("Hid\0", 4) << false;
    QTest::newRow("visible SSID") << QByteArray("Open\0", 5) << false;
    QTest::newRow("unknown SSID") << QByteArray("Nobody\0", 7) << false;
    QTest::newRow("32 bytes") << QByteArray(32, 'x').append('\0') << false;
}

void tst_SimScan::directedScan()
{
    QFETCH(QByteArray, ssid);
    QFETCH(bool, findsHidden);

    QList<QByteArray> expected = visibleNetworks();
    if (findsHidden)
        expected.insert(4, "Hidden"); // its place in the file
    QCOMPARE(SimCalls::ssids(scanAndWait(8, ssid)), expected);
}

void tst_SimScan::entryLayout_data()
{
    QTest::addColumn<QByteArray>("ssid");
    QTest::addColumn<QString>("bssid");
    QTest::addColumn<int>("level");
    QTest::addColumn<uint>("attributes");
    QTest::addColumn<uint>("capability");

    // capability: mode 0x1/0x2 | security nibble | WPS 0x1E00;
    // attributes: bits 0-2 as they are, nibble to bits 3-6, WPS to bits 12-15.
    QTest::newRow("open") << QByteArray("Open") << "02:00:00:00:01:0a" << -40 << 0x1u << 0x1u;
    QTest::newRow("WEP") << QByteArray("Wep") << "02:00:00:00:01:0b" << -55 << 0x11u << 0x21u;
    QTest::newRow("WPA-PSK with WPS") << QByteArray("Psk") << "02:00:00:00:01:0c" << -61 << 0xF021u << 0x1E41u;
    QTest::newRow("WPA-EAP") << QByteArray("Eap") << "02:00:00:00:01:0d" << -70 << 0x41u << 0x81u;
    QTest::newRow("hidden WPA-PSK") << QByteArray("Hidden") << "02:00:00:00:01:0e" << -45 << 0x21u << 0x41u;
    QTest::newRow("ad hoc") << QByteArray("Adhoc") << "02:00:00:00:01:0f" << -90 << 0x2u << 0x2u;
    QTest::newRow("WAPI PSK") << QByteArray("WapiPsk") << "02:00:00:00:01:10" << -100 << 0x39u << 0x71u;
    QTest::newRow("WAPI certificate") << QByteArray("WapiCert") << "02:00:00:00:01:11" << -20 << 0x59u << 0xB1u;
    // C bit 3 -> A bit 29, C bit 8 -> A bit 7, C bits 28-31 -> A bits 8-11.
    QTest::newRow("capability given") << QByteArray("Words") << "02:00:00:00:01:12" << -66 << 0x20000380u
                                      << 0x30000108u;
    QTest::newRow("both words given") << QByteArray("Explicit") << "02:00:00:00:01:13" << -67 << 0xABCDEFu << 0x5u;
    QTest::newRow("defaults") << nonAscii << "02:00:00:00:00:0b" << -60 << 0x1u << 0x1u;
}

void tst_SimScan::entryLayout()
{
    QFETCH(QByteArray, ssid);
    QFETCH(QString, bssid);
    QFETCH(int, level);
    QFETCH(uint, attributes);
    QFETCH(uint, capability);

    // Directed at the hidden network, so that every network is listed.
    const QList<ScanEntry> entries = scanAndWait(8, QByteArray("Hidden\0", 7));
    QCOMPARE(entries.size(), visibleNetworks().size() + 1);
    const auto it = std::find_if(entries.cbegin(), entries.cend(),
                                 [&ssid](const ScanEntry& entry) { return entry.ssid == ssid; });
    QVERIFY(it != entries.cend());
    QCOMPARE(it->bssid, bssid);
    QCOMPARE(it->level, level);
    QCOMPARE(QString::number(it->attributes, 16), QString::number(attributes, 16));
    QCOMPARE(QString::number(it->capability, 16), QString::number(capability, 16));
}

void tst_SimScan::everyScanIsAnsweredAndCounted()
{
    QCOMPARE(sim->scanRequests(), 0u);
    const QList<QPair<int, QByteArray>> scans = {
        {4, QByteArray()}, {8, QByteArray("Hidden\0", 7)}, {20, QByteArray("Open")}};
    // Sent without waiting: every request gets its own results.
    for (const auto& request : scans) {
        QDBusMessage call = QDBusMessage::createMethodCall(SimCalls::wlanService, SimCalls::wlanRequestPath,
                                                           SimCalls::wlanRequestInterface, QStringLiteral("scan"));
        call.setArguments({request.first, request.second});
        QVERIFY(QDBusConnection::systemBus().send(call));
    }
    QVERIFY(results->waitForCount(3));
    QList<ScanEntry> entries;
    QVERIFY(SimCalls::parseScanResults(results->entries().at(1).message, &entries));
    QVERIFY(SimCalls::ssids(entries).contains("Hidden"));
    QVERIFY(SimCalls::parseScanResults(results->entries().at(2).message, &entries));
    QVERIFY(!SimCalls::ssids(entries).contains("Hidden"));

    QCOMPARE(sim->scanRequests(), 3u);
    const QDBusMessage last = sim->callControl(QStringLiteral("LastScanRequest"));
    QCOMPARE(last.type(), QDBusMessage::ReplyMessage);
    QCOMPARE(last.signature(), QStringLiteral("iay"));
    QCOMPARE(last.arguments().at(0), QVariant(20));
    QCOMPARE(last.arguments().at(1), QVariant(QByteArray("Open")));
}

void tst_SimScan::resultsReachEveryListener()
{
    // A client on a connection of its own asks; this one only listens.
    QDBusConnection other = QDBusConnection::connectToBus(QDBusConnection::SystemBus, QStringLiteral("other-client"));
    QVERIFY(other.isConnected());
    QDBusMessage call = QDBusMessage::createMethodCall(SimCalls::wlanService, SimCalls::wlanRequestPath,
                                                       SimCalls::wlanRequestInterface, QStringLiteral("scan"));
    call.setArguments({8, QByteArray()});
    QCOMPARE(other.call(call).type(), QDBusMessage::ReplyMessage);
    QVERIFY(results->waitForCount(1));
    QVERIFY(results->last().message.service() != QDBusConnection::systemBus().baseService());
    QDBusConnection::disconnectFromBus(QStringLiteral("other-client"));
}

void tst_SimScan::scanModes_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("errorName"); // empty: a normal reply
    QTest::addColumn<bool>("delivers");

    QTest::newRow("answer") << "answer" << QString() << true;
    QTest::newRow("silent") << "silent" << QString() << false;
    QTest::newRow("error") << "error" << "com.qorva.skylard.Error.ScanFailed" << false;
    QTest::newRow("ignore") << "ignore" << "org.freedesktop.DBus.Error.NoReply" << false;
}

void tst_SimScan::scanModes()
{
    QFETCH(QString, mode);
    QFETCH(QString, errorName);
    QFETCH(bool, delivers);

    QVERIFY(sim->setScanMode(mode));
    // Directed at the hidden network, so that its results are recognisable.
    const QDBusMessage reply = SimCalls::scan(8, QByteArray("Hidden\0", 7), 1000);
    if (errorName.isEmpty()) {
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(reply.arguments().size(), 0);
    } else {
        QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(reply.errorName(), errorName);
    }
    QCOMPARE(sim->scanRequests(), 1u);

    // A broad scan in the default mode: results of the first scan, if any,
    // come before its own, since both wait the same delay.
    QVERIFY(sim->setScanMode(QStringLiteral("answer")));
    QCOMPARE(SimCalls::scan(8, QByteArray()).type(), QDBusMessage::ReplyMessage);
    const int expected = delivers ? 2 : 1;
    QVERIFY(results->waitForCount(expected));
    QCOMPARE(results->count(), expected);
    QList<ScanEntry> entries;
    QVERIFY(SimCalls::parseScanResults(results->entries().constFirst().message, &entries));
    QCOMPARE(SimCalls::ssids(entries).contains("Hidden"), delivers);
}

void tst_SimScan::scanDelay_data()
{
    QTest::addColumn<bool>("byOption");
    QTest::addColumn<int>("delay");

    QTest::newRow("--scan-delay") << true << 700;
    QTest::newRow("SetScanDelay") << false << 900;
}

void tst_SimScan::scanDelay()
{
    QFETCH(bool, byOption);
    QFETCH(int, delay);

    if (byOption) {
        QVERIFY(sim->stop());
        QVERIFY(startSimulator({QStringLiteral("--scan-delay"), QString::number(delay)}));
    } else {
        QVERIFY(sim->setScanDelay(uint(delay)));
    }
    QCOMPARE(SimCalls::scan(8, QByteArray()).type(), QDBusMessage::ReplyMessage);
    QElapsedTimer sinceReply;
    sinceReply.start();
    QVERIFY(results->waitForCount(1, delay + 5000));
    // The delay runs from the reply on; allow for the reply's own way here.
    QVERIFY2(sinceReply.elapsed() >= delay - 50, qPrintable(QString::number(sinceReply.elapsed())));
}

void tst_SimScan::resultsFollowLoadedNetworks()
{
    QVERIFY(sim->loadNetworks(R"({"networks": [{"ssid": "Fresh", "level": -30},
                                                {"ssid": "Secret", "hidden": true}]})"));
    QCOMPARE(sim->networks(), QStringList({QStringLiteral("Fresh"), QStringLiteral("Secret")}));
    QCOMPARE(SimCalls::ssids(scanAndWait(8, QByteArray())), QList<QByteArray>({"Fresh"}));
    QCOMPARE(SimCalls::ssids(scanAndWait(8, QByteArray("Secret\0", 7))), QList<QByteArray>({"Fresh", "Secret"}));
}

VELIN_TEST_GUILESS_MAIN_WITH_BUS(tst_SimScan)

#include "tst_simscan.moc"
