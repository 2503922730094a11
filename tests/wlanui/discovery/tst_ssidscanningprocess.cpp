// Scanning for one SSID over the WLAN daemon: the request, its retries, the
// search through the results, the errors, and one real search against the
// simulated daemon.
#include "dconffixture.h"
#include "fakedbusservice.h"
#include "notificationobserver.h"
#include "platformsimfixture.h"
#include "privatebus.h"

#include "wlanui/discovery/ssidscanningprocess.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using Velin::SSIDScanningProcess;

namespace {

const QString Service = QStringLiteral("com.qorva.skylard");
const QString RequestPath = QStringLiteral("/com/qorva/skylard/request");
const QString RequestInterface = QStringLiteral("com.qorva.skylard.request");
const QString SignalPath = QStringLiteral("/com/qorva/skylard/signal");
const QString SignalInterface = QStringLiteral("com.qorva.skylard.signal");
const QString Results = QStringLiteral("scan_results");
const QString Scan = QStringLiteral("scan");
const QString TxPowerKey = QStringLiteral("/system/ravo/connectivity/settings/wlan_tx_power");
const QString RetryTimer = QStringLiteral("SSIDScanRetryTimer");
const QString NotFound = QStringLiteral("Unable to find the given SSID");

typedef QList<QVariant> VariantList;

// One network of a scan_results signal as the daemon sends it.
VariantList entry(const QVariant& ssid, const QVariant& capabilities)
{
    return VariantList{ssid, QStringLiteral("02:00:00:00:00:01"), QVariant(-55), QVariant(0x21u), capabilities};
}

VariantList results(int count, const VariantList& entries = VariantList())
{
    return VariantList{QVariant(count)} + entries;
}

QVariant bytes(const char* text)
{
    return QVariant(QByteArray(text));
}

} // namespace

class TestSSIDScanningProcess : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void scanRequest_data();
    void scanRequest();
    void retriesWhileUnanswered();
    void oneProcessServesOneSearch_data();
    void oneProcessServesOneSearch();
    void endedSearchNotifiesNoMore_data();
    void endedSearchNotifiesNoMore();
    void searchThroughResults_data();
    void searchThroughResults();
    void simulatedDaemon_data();
    void simulatedDaemon();
    void requestNotSent(); // stops the system bus: keep last

private:
    FakeDBusService* daemon();
    // Starts a search and waits until the daemon has the request.
    bool startSearch(SSIDScanningProcess* process, const QString& ssid);

    QScopedPointer<DconfFixture> m_settings;
    QScopedPointer<NotificationObserver> m_notifications;
    FakeDBusService* m_daemon = nullptr;
};

void TestSSIDScanningProcess::initTestCase()
{
    m_settings.reset(new DconfFixture);
    QVERIFY(m_settings->load({}));
}

void TestSSIDScanningProcess::init()
{
    m_notifications.reset(new NotificationObserver);
    QVERIFY(m_notifications->isRegistered());
}

void TestSSIDScanningProcess::cleanup()
{
    delete m_daemon;
    m_daemon = nullptr;
    m_notifications.reset();
    QVERIFY(m_settings->load({}));
}

FakeDBusService* TestSSIDScanningProcess::daemon()
{
    if (!m_daemon)
        m_daemon = new FakeDBusService(FakeDBusService::SystemBus, Service, this);
    return m_daemon;
}

bool TestSSIDScanningProcess::startSearch(SSIDScanningProcess* process, const QString& ssid)
{
    const int before = daemon()->callCount(Scan);
    return process->start(ssid) && QTest::qWaitFor([&] { return daemon()->callCount(Scan) > before; });
}

void TestSSIDScanningProcess::scanRequest_data()
{
    QTest::addColumn<QVariant>("txPower");   // invalid: not set
    QTest::addColumn<QString>("ssid");
    QTest::addColumn<int>("power");
    QTest::addColumn<QByteArray>("ssidBytes");

    QTest::newRow("default power") << QVariant() << "Lab" << 8 << QByteArray("Lab\0", 4);
    QTest::newRow("low power") << QVariant(1) << "Lab" << 4 << QByteArray("Lab\0", 4);
    QTest::newRow("unknown setting 2") << QVariant(2) << "Lab" << 8 << QByteArray("Lab\0", 4);
    QTest::newRow("spaces and case kept") << QVariant(1) << " My Lab " << 4 << QByteArray(" My Lab \0", 9);
    const QString longest = QStringLiteral("abcdefghijklmnopqrstuvwxyz012345");
    QTest::newRow("32 characters") << QVariant() << longest << 8 << longest.toLatin1().append('\0');
    QTest::newRow("empty") << QVariant() << "" << 8 << QByteArray(1, '\0');
}

void TestSSIDScanningProcess::scanRequest()
{
    QFETCH(QVariant, txPower);
    QFETCH(QString, ssid);
    QFETCH(int, power);
    QFETCH(QByteArray, ssidBytes);

    QMap<QString, QVariant> values;
    if (txPower.isValid())
        values.insert(TxPowerKey, txPower);
    QVERIFY(m_settings->load(values));

    SSIDScanningProcess process;
    QVERIFY(!process.isBusy());
    QVERIFY(startSearch(&process, ssid));
    QVERIFY(process.isBusy());
    QCOMPARE(process.ssid(), ssid);

    const FakeDBusService::Call call = daemon()->lastCall();
    QCOMPARE(call.path, RequestPath);
    QCOMPARE(call.interface, RequestInterface);
    QCOMPARE(call.member, Scan);
    QCOMPARE(call.signature, QStringLiteral("iay"));
    QCOMPARE(call.arguments, (VariantList{QVariant(power), QVariant(ssidBytes)}));
}

void TestSSIDScanningProcess::retriesWhileUnanswered()
{
    daemon()->setSilent(Scan);
    QList<qint64> arrivals;
    QElapsedTimer clock;
    clock.start();
    connect(daemon(), &FakeDBusService::callReceived, this, [&] { arrivals << clock.elapsed(); });

    SSIDScanningProcess process;
    QVERIFY(startSearch(&process, QStringLiteral("Lab")));
    auto timer = process.findChild<QTimer*>(RetryTimer);
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 1500);
    QVERIFY(!timer->isSingleShot());
    QVERIFY(timer->isActive());

    // Busy: a second search is refused and sends nothing.
    QVERIFY(!process.start(QStringLiteral("Office")));
    QCOMPARE(process.ssid(), QStringLiteral("Lab"));

    const int interval = 100;
    QSignalSpy timeouts(timer, &QTimer::timeout);
    QTRY_COMPARE(arrivals.size(), 1);
    arrivals.clear();
    clock.restart();
    timer->start(interval);
    QTRY_VERIFY_WITH_TIMEOUT(!process.findChild<QTimer*>(RetryTimer), 20 * interval);
    // Four repeats and the timeout that ends the retries.
    QCOMPARE(timeouts.count(), 5);
    QTRY_COMPARE(daemon()->callCount(Scan), 5);

    QTest::qWait(4 * interval);
    QCOMPARE(daemon()->callCount(Scan), 5);
    for (const FakeDBusService::Call& call : daemon()->calls(Scan))
        QCOMPARE(call.arguments.value(1).toByteArray(), QByteArray("Lab\0", 4));
    QCOMPARE(arrivals.size(), 4);
    for (int i = 1; i < arrivals.size(); ++i)
        QVERIFY2(arrivals.at(i) - arrivals.at(i - 1) >= interval / 2,
                 qPrintable(QStringLiteral("repeat %1 came %2 ms after the one before")
                                .arg(i + 1)
                                .arg(arrivals.at(i) - arrivals.at(i - 1))));

    // Still waiting for an answer that never comes.
    QVERIFY(process.isBusy());
    QVERIFY(!process.start(QStringLiteral("Lab")));
    QTest::qWait(2 * interval);
    QCOMPARE(daemon()->callCount(Scan), 5);
}

void TestSSIDScanningProcess::oneProcessServesOneSearch_data()
{
    QTest::addColumn<QString>("errorName");     // empty: the daemon accepts the scan
    QTest::addColumn<QString>("errorMessage");
    QTest::addColumn<VariantList>("results");   // sent after an accepted scan
    QTest::addColumn<QString>("error");         // expected; empty: found

    QTest::newRow("found")
        << "" << "" << results(1, entry(bytes("Lab"), QVariant(0x41u))) << "";
    QTest::newRow("not found") << "" << "" << results(0) << NotFound;
    QTest::newRow("daemon error")
        << "com.qorva.skylard.Error.ScanFailed" << "the radio is off" << VariantList() << "the radio is off";
    QTest::newRow("daemon error without text")
        << "com.qorva.skylard.Error.ScanFailed" << "" << VariantList() << "com.qorva.skylard.Error.ScanFailed";
}

void TestSSIDScanningProcess::oneProcessServesOneSearch()
{
    QFETCH(QString, errorName);
    QFETCH(QString, errorMessage);
    QFETCH(VariantList, results);
    QFETCH(QString, error);

    if (!errorName.isEmpty())
        daemon()->setError(Scan, errorName, errorMessage);
    SSIDScanningProcess process;
    QSignalSpy found(&process, &SSIDScanningProcess::found);
    QSignalSpy errors(&process, &SSIDScanningProcess::error);
    QVERIFY(startSearch(&process, QStringLiteral("Lab")));
    // The answer ends the retries.
    QTRY_VERIFY(!process.findChild<QTimer*>(RetryTimer));

    if (errorName.isEmpty()) {
        QVERIFY(process.isBusy());
        if (!error.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, "Unable to find the given SSID \"Lab\"");
        QVERIFY(daemon()->emitSignal(SignalPath, SignalInterface, Results, results));
    }
    QTRY_COMPARE(found.count() + errors.count(), 1);
    if (error.isEmpty())
        QCOMPARE(found.constFirst().constFirst().toUInt(), 0x41u);
    else
        QCOMPARE(errors.constFirst().constFirst().toString(), error);
    QVERIFY(!process.isBusy());

    // A second search on the same process sends nothing and never ends.
    QVERIFY(process.start(QStringLiteral("Office")));
    QVERIFY(process.isBusy());
    QVERIFY(!process.findChild<QTimer*>(RetryTimer));
    QTest::qWait(100);
    QCOMPARE(daemon()->callCount(Scan), 1);
    QVERIFY(!process.start(QStringLiteral("Office")));
    QCOMPARE(found.count() + errors.count(), 1);
}

void TestSSIDScanningProcess::endedSearchNotifiesNoMore_data()
{
    QTest::addColumn<VariantList>("first");   // the results that end the search
    QTest::addColumn<int>("notifications");   // shown for them

    QTest::newRow("ended found") << results(1, entry(bytes("Lab"), QVariant(0x41u))) << 0;
    QTest::newRow("ended not found") << results(0) << 1;
}

void TestSSIDScanningProcess::endedSearchNotifiesNoMore()
{
    QFETCH(VariantList, first);
    QFETCH(int, notifications);

    SSIDScanningProcess process;
    QSignalSpy errors(&process, &SSIDScanningProcess::error);
    QVERIFY(startSearch(&process, QStringLiteral("Lab")));
    QTest::ignoreMessage(QtWarningMsg, "Unable to find the given SSID \"Lab\"");
    if (notifications)
        QTest::ignoreMessage(QtWarningMsg, "Unable to find the given SSID \"Lab\"");
    QVERIFY(daemon()->emitSignal(SignalPath, SignalInterface, Results, first));
    QTRY_VERIFY(!process.isBusy());
    QTRY_COMPARE(m_notifications->count(), notifications);
    const int errorsBefore = errors.count();

    // Someone else's scan: the ended search still answers it, but the user is
    // not told again about a search that is over.
    QVERIFY(daemon()->emitSignal(SignalPath, SignalInterface, Results, results(0)));
    QTRY_COMPARE(errors.count(), errorsBefore + 1);
    QTest::qWait(200);
    QCOMPARE(m_notifications->count(), notifications);
}

void TestSSIDScanningProcess::searchThroughResults_data()
{
    QTest::addColumn<QString>("ssid");
    QTest::addColumn<QString>("interface");
    QTest::addColumn<QString>("member");
    QTest::addColumn<VariantList>("arguments");
    QTest::addColumn<qint64>("capabilities");   // -1: not found
    QTest::addColumn<QString>("warning");       // pattern of a warning expected besides "not found"

    const QString s = SignalInterface;
    const QString r = Results;
    const qint64 none = -1;
    const VariantList lab = entry(bytes("Lab"), QVariant(0x41u));
    const VariantList cafe = entry(bytes("Cafe"), QVariant(0x1u));
    const VariantList office = entry(bytes("Office"), QVariant(0x1E41u));

    QTest::newRow("only entry") << "Lab" << s << r << results(1, lab) << qint64(0x41) << "";
    QTest::newRow("SSID as text") << "Lab" << s << r << results(1, entry(QStringLiteral("Lab"), QVariant(0x21u)))
                                  << qint64(0x21) << "";
    QTest::newRow("third entry") << "Office" << s << r << results(3, cafe + lab + office) << qint64(0x1E41) << "";
    QTest::newRow("first of two matches")
        << "Lab" << s << r << results(2, lab + entry(bytes("Lab"), QVariant(0x81u))) << qint64(0x41) << "";
    QTest::newRow("letter case differs") << "lab" << s << r << results(2, cafe + lab) << none << "";
    QTest::newRow("prefix is no match") << "La" << s << r << results(1, lab) << none << "";
    QTest::newRow("NUL inside the SSID bytes")
        << "Lab" << s << r << results(1, entry(QVariant(QByteArray("Lab\0x", 5)), QVariant(0x41u))) << none << "";
    QTest::newRow("no networks") << "Lab" << s << r << results(0) << none << "";
    QTest::newRow("negative count") << "Lab" << s << r << results(-1, lab) << none << "";
    QTest::newRow("count below the entries")
        << "Office" << s << r << results(2, cafe + lab + office) << none << "";
    QTest::newRow("count above the entries, match present")
        << "Lab" << s << r << results(4, cafe + lab) << qint64(0x41) << "announce 4 networks but hold 2";
    QTest::newRow("huge count")
        << "Lab" << s << r << results(0x7FFFFFFF, cafe) << none << "announce 2147483647 networks but hold 1";
    QTest::newRow("entry cut short") << "Lab" << s << r << results(1, lab.mid(0, 4)) << none
                                     << "announce 1 networks but hold 0";
    QTest::newRow("no count at all") << "Lab" << s << r << VariantList() << none << "without a count";
    QTest::newRow("count as text")
        << "Lab" << s << r << (VariantList{QStringLiteral("1")} + lab) << none << "count .* is a QString";
    QTest::newRow("count as list")
        << "Lab" << s << r << (VariantList{QVariant(VariantList{1})} + lab) << none << "count .* not a number";
    QTest::newRow("SSID as a number, skipped")
        << "Lab" << s << r << results(2, entry(QVariant(7), QVariant(0x1u)) + lab) << qint64(0x41)
        << "SSID of scan result 0 is a int";
    QTest::newRow("capability word signed, skipped")
        << "Lab" << s << r << results(2, entry(bytes("Lab"), QVariant(0x41)) + entry(bytes("Lab"), QVariant(0x21u)))
        << qint64(0x21) << "capability word of scan result 0 is a int";
    QTest::newRow("capability word of 64 bits")
        << "Lab" << s << r << results(1, entry(bytes("Lab"), QVariant(Q_UINT64_C(0x100000041))))
        << none << "capability word of scan result 0 is a qulonglong";
    QTest::newRow("other signal name ignored")
        << "Lab" << s << "scan_started" << results(1, lab) << none << "";
    QTest::newRow("other interface ignored")
        << "Lab" << RequestInterface << r << results(1, lab) << none << "";
}

void TestSSIDScanningProcess::searchThroughResults()
{
    QFETCH(QString, ssid);
    QFETCH(QString, interface);
    QFETCH(QString, member);
    QFETCH(VariantList, arguments);
    QFETCH(qint64, capabilities);
    QFETCH(QString, warning);

    SSIDScanningProcess process;
    QSignalSpy found(&process, &SSIDScanningProcess::found);
    QSignalSpy errors(&process, &SSIDScanningProcess::error);
    QVERIFY(startSearch(&process, ssid));
    const bool examined = interface == SignalInterface && member == Results;

    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    if (examined && capabilities < 0)
        QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("%1 \"%2\"").arg(NotFound, ssid)));
    QVERIFY(daemon()->emitSignal(SignalPath, interface, member, arguments));
    if (!examined) {
        // Whatever it brought, it is passed over: the next results are the
        // first the process answers.
        QVERIFY(daemon()->emitSignal(SignalPath, SignalInterface, Results, results(0)));
        QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("%1 \"%2\"").arg(NotFound, ssid)));
    }

    QTRY_COMPARE(found.count() + errors.count(), 1);
    QVERIFY(!process.isBusy());
    if (capabilities >= 0) {
        QCOMPARE(found.count(), 1);
        QCOMPARE(found.constFirst().constFirst().toUInt(), uint(capabilities));
        QCOMPARE(m_notifications->count(), 0);
    } else {
        QCOMPARE(errors.constFirst().constFirst().toString(), NotFound);
        QTRY_COMPARE(m_notifications->count(), 1);
        const NotificationObserver::Notification shown = m_notifications->last();
        QCOMPARE(shown.category(), QStringLiteral("x-qorva.internet"));
        QCOMPARE(shown.summary, QString());
        QCOMPARE(shown.body, QStringLiteral("qtn_conn_error_ssid_not_found"));
        QCOMPARE(shown.icon, QString());
    }
}

void TestSSIDScanningProcess::simulatedDaemon_data()
{
    QTest::addColumn<QString>("ssid");
    QTest::addColumn<qint64>("capabilities");   // -1: not found

    QTest::newRow("hidden WPA-PSK network") << "Lab" << qint64(0x41);
    QTest::newRow("hidden network with WPS") << "Door" << qint64(0x1E41);
    QTest::newRow("broadcast network") << "Cafe Aurora" << qint64(0x1);
    QTest::newRow("letter case differs") << "lab" << qint64(-1);
    QTest::newRow("no such network") << "Attic" << qint64(-1);
}

void TestSSIDScanningProcess::simulatedDaemon()
{
    QFETCH(QString, ssid);
    QFETCH(qint64, capabilities);

    PlatformSimFixture sim;
    sim.setNetworks(R"({"networks": [
        {"ssid": "Cafe Aurora"},
        {"ssid": "Lab", "security": "WPA_PSK", "hidden": true,
         "credentials": {"EAP_wpa_preshared_passphrase": "lab-passphrase"}},
        {"ssid": "Door", "security": "WPA_PSK", "hidden": true, "wps": true,
         "credentials": {"EAP_wpa_preshared_passphrase": "door-passphrase"}}]})");
    sim.setExtraArguments({QStringLiteral("--scan-delay"), QStringLiteral("20")});
    QVERIFY(sim.start());

    SSIDScanningProcess process;
    QSignalSpy found(&process, &SSIDScanningProcess::found);
    QSignalSpy errors(&process, &SSIDScanningProcess::error);
    if (capabilities < 0)
        QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("%1 \"%2\"").arg(NotFound, ssid)));
    QVERIFY(process.start(ssid));
    QTRY_COMPARE(found.count() + errors.count(), 1);

    if (capabilities >= 0) {
        QCOMPARE(found.constFirst().constFirst().toUInt(), uint(capabilities));
    } else {
        QCOMPARE(errors.constFirst().constFirst().toString(), NotFound);
        QTRY_COMPARE(m_notifications->count(), 1);
    }
    QCOMPARE(sim.scanRequests(), 1u);
    const QDBusMessage last = sim.callControl(QStringLiteral("LastScanRequest"));
    QCOMPARE(last.arguments().value(0).toInt(), 8);
    QCOMPARE(last.arguments().value(1).toByteArray(), ssid.toLatin1());
    QVERIFY(sim.stop());
}

void TestSSIDScanningProcess::requestNotSent()
{
    QVERIFY(PrivateBus::instance());
    PrivateBus::instance()->stop(PrivateBus::SystemBus);
    QTRY_VERIFY(!QDBusConnection::systemBus().isConnected());

    SSIDScanningProcess process;
    QSignalSpy errors(&process, &SSIDScanningProcess::error);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("system bus is not connected")));
    QTest::ignoreMessage(QtWarningMsg, "Couldn't send scan request");
    QVERIFY(process.start(QStringLiteral("Lab")));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.constFirst().constFirst().toString(), QStringLiteral("Couldn't send scan request"));
    QVERIFY(!process.isBusy());
    // Reported once: no retries keep failing, and the process is free again.
    QTRY_VERIFY(!process.findChild<QTimer*>(RetryTimer));
    QCOMPARE(errors.count(), 1);
    QVERIFY(!process.isBusy());
}

VELIN_TEST_GUILESS_MAIN_WITH_BUS(TestSSIDScanningProcess)

#include "tst_ssidscanningprocess.moc"
