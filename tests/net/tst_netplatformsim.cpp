// The access-point model against the platform simulator: scans through the
// simulated WLAN daemon, connections through the simulated connectivity
// daemon, over the suite's private system bus.
#include "net/connectionmodel.h"
#include "net/connectionprocess.h"
#include "net/connectionwatcher.h"
#include "net/internetaccesspoint.h"
#include "net/internetaccesspointfactory.h"

#include "touch/settingsitem.h"

#include "dconffixture.h"
#include "platformsimfixture.h"
#include "privatebus.h"
#include "testdata.h"

#include <QDBusConnection>
#include <QRegularExpression>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using Velin::ConnectionModel;
using Velin::ConnectionProcess;
using Velin::ConnectionWatcher;
using Velin::InternetAccessPoint;
using Velin::InternetAccessPointFactory;
using Velin::ScanResult;
using NetTestData::wlanData;

namespace {

const char networksJson[] = R"({"networks": [
    {"ssid": "Open", "level": -40},
    {"ssid": "Office", "bssid": "02:00:00:00:03:01", "level": -46, "security": "WPA_PSK", "wps": true,
     "credentials": {"EAP_wpa_preshared_passphrase": "office-passphrase"}},
    {"ssid": "Office", "bssid": "02:00:00:00:03:02", "level": -82, "security": "WPA_PSK", "wps": true,
     "credentials": {"EAP_wpa_preshared_passphrase": "office-passphrase"}},
    {"ssid": "Library", "level": -71, "security": "WEP",
     "credentials": {"wlan_wepdefkey": 1, "wlan_wepkey1": "books"}},
    {"ssid": "Picnic", "level": -90, "adhoc": true},
    {"ssid": "Hidden Lab", "level": -30, "security": "WPA_PSK", "hidden": true,
     "credentials": {"EAP_wpa_preshared_passphrase": "lab-passphrase"}},
    {"ssid": "Caf\u00e9 / Bar", "level": -64}
]})";

// The SSID bytes the simulator serves for "Café / Bar" (UTF-8).
const QByteArray cafeSsid("Caf\xc3\xa9 / Bar");
const QString wlanRoot = QStringLiteral("/system/ravo/connectivity/wlan");

struct RowView
{
    QString text;
    int strength;
    int ranking;
    ScanResult result;
};

QList<RowView> rows(const ConnectionModel& model)
{
    QList<RowView> views;
    for (int row = 0; row < model.rowCount(); ++row) {
        views.append(RowView{model.index(row, ConnectionModel::NameColumn).data().toString(),
                             model.index(row, ConnectionModel::SignalStrengthColumn).data().toInt(),
                             model.index(row, ConnectionModel::RankingColumn).data().toInt(),
                             model.index(row, 0).data(ConnectionModel::ScanResultRole).value<ScanResult>()});
    }
    return views;
}

// Hears the EAP daemon's "wps_success".
class WpsSuccessListener : public QObject
{
    Q_OBJECT

public:
    bool subscribe()
    {
        return QDBusConnection::systemBus().connect(QString(), QStringLiteral("/com/qorva/eap/signal"),
                                                    QStringLiteral("com.qorva.eap.signal"),
                                                    QStringLiteral("wps_success"), this,
                                                    SLOT(onWpsSuccess(QStringList)));
    }

    QList<QStringList> announcements;

Q_SIGNALS:
    void heard();

public Q_SLOTS:
    void onWpsSuccess(const QStringList& ids)
    {
        announcements.append(ids);
        Q_EMIT heard();
    }
};

} // namespace

class tst_NetPlatformSim : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void modelRowsRankingAndFlags();
    void foundConnectionsMode();
    void scanRefusedOrIgnored();
    void connectSucceeds_data();
    void connectSucceeds();
    void connectWithWrongKey_data();
    void connectWithWrongKey();
    void connectUnknownNetwork();
    void secondAttemptWhileBusy();
    void connectSavedNetworkFromModelRow();
    void linkDropReachesWatcher();
    void wpsPinSetAfterConnecting_data();
    void wpsPinSetAfterConnecting();

private:
    bool scan(ConnectionModel* model)
    {
        QSignalSpy stopped(model, &ConnectionModel::scanStopped);
        model->startScan();
        return stopped.wait(10000);
    }
    void save(const QByteArray& ssid, const QMap<QString, QVariant>& properties)
    {
        InternetAccessPoint iap(wlanData(ssid));
        iap.setProperties(properties);
        QVERIFY(iap.save());
    }

    QScopedPointer<DconfFixture> m_dconf;
    PlatformSimFixture* m_sim = nullptr;
};

void tst_NetPlatformSim::init()
{
    m_dconf.reset(new DconfFixture);
    m_dconf->setUserDatabaseEnabled(true);
    QVERIFY(m_dconf->load({{QStringLiteral("/system/ravo/connectivity/settings/unrelated"), QVariant(1)}}));

    m_sim = new PlatformSimFixture(this);
    m_sim->setNetworks(networksJson);
    m_sim->setExtraArguments({QStringLiteral("--scan-delay"), QStringLiteral("20")});
    QVERIFY2(m_sim->start(), qPrintable(m_sim->log()));
    QVERIFY(m_sim->setConnectDelay(20));
}

void tst_NetPlatformSim::cleanup()
{
    if (m_sim)
        QVERIFY2(m_sim->stop(), qPrintable(m_sim->log()));
    delete m_sim;
    m_sim = nullptr;
    QVERIFY(Touch::SettingsItem::resetDirectory(wlanRoot));
    m_dconf.reset();
}

void tst_NetPlatformSim::modelRowsRankingAndFlags()
{
    save("Office", {{QStringLiteral("EAP_wpa_preshared_passphrase"), QStringLiteral("office-passphrase")}});
    save(cafeSsid, {{QStringLiteral("wlan_hidden"), false}});
    save("Remembered", {{QStringLiteral("wlan_hidden"), false}});

    ConnectionModel model;
    QVERIFY(scan(&model));
    QCOMPARE(m_sim->scanRequests(), 1u);

    const QList<RowView> view = rows(model);
    QStringList texts;
    for (const RowView& row : view)
        texts.append(row.text);
    // Hidden networks do not answer a broad scan; "Remembered" is only saved.
    QCOMPARE(texts, (QStringList{QStringLiteral("Open"), QStringLiteral("Office"), QString::fromUtf8(cafeSsid),
                                 QStringLiteral("Library"), QStringLiteral("Picnic"), QStringLiteral("Remembered")}));

    // -40 dBm: 10, -46: 9, -64: 6, -71: 5, -90: 2, not found: 0.
    const QList<int> strengths = {10, 9, 6, 5, 2, 0};
    for (int i = 0; i < view.size(); ++i) {
        QCOMPARE(view.at(i).strength, strengths.at(i));
        QCOMPARE(view.at(i).ranking, strengths.at(i) + 1);
    }

    const QList<bool> saved = {false, true, true, false, false, true};
    const QList<bool> found = {true, true, true, true, true, false};
    for (int i = 0; i < view.size(); ++i) {
        QCOMPARE(view.at(i).result.isSaved(), saved.at(i));
        QCOMPARE(view.at(i).result.isFound(), found.at(i));
    }

    // Both "Office" BSSs, the stronger first.
    const QList<ScanResult> office = model.connectionsAt(1);
    QCOMPARE(office.size(), 2);
    QCOMPARE(office.at(0).signalStrength(), 9);
    QCOMPARE(office.at(1).signalStrength(), 3);

    // What the simulator reports reads back through the access point.
    QCOMPARE(InternetAccessPoint(view.at(0).result.configuration()).securityImageName(), QString());
    QCOMPARE(InternetAccessPoint(view.at(1).result.configuration()).securityImageName(),
             QStringLiteral("icon-s-wlan-wpa"));
    QCOMPARE(InternetAccessPoint(view.at(3).result.configuration()).securityImageName(),
             QStringLiteral("icon-s-wlan-wep"));
    QCOMPARE(view.at(4).result.networkType(), QStringLiteral("WLAN_ADHOC"));
    QCOMPARE(InternetAccessPoint(view.at(4).result.configuration()).type(), QStringLiteral("WLAN_ADHOC"));
    QCOMPARE(InternetAccessPoint(view.at(2).result.configuration()).id(), QString::fromLatin1(cafeSsid));
}

void tst_NetPlatformSim::foundConnectionsMode()
{
    save("Remembered", {{QStringLiteral("wlan_hidden"), false}});
    save("Library", {{QStringLiteral("wlan_wepdefkey"), 1}});
    ConnectionModel model;
    model.setFoundConnectionsMode();
    QVERIFY(scan(&model));
    QCOMPARE(model.rowCount(), 5);
    for (const RowView& row : rows(model)) {
        QVERIFY(row.result.isFound());
        QVERIFY(row.text != QLatin1String("Remembered"));
        QCOMPARE(row.result.isSaved(), row.text == QLatin1String("Library"));
    }
}

void tst_NetPlatformSim::scanRefusedOrIgnored()
{
    ConnectionModel model;
    QSignalSpy errors(&model, &ConnectionModel::scanError);
    QSignalSpy stopped(&model, &ConnectionModel::scanStopped);

    QVERIFY(m_sim->setScanMode(QStringLiteral("error")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("the scan request failed")));
    model.startScan();
    QVERIFY(errors.wait());
    QCOMPARE(errors.count(), 1);

    QVERIFY(m_sim->setScanMode(QStringLiteral("silent")));
    model.findChild<QTimer*>(QStringLiteral("scanTimeout"))->setInterval(300);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no scan results within 300 ms")));
    model.startScan();
    QVERIFY(errors.wait());
    QCOMPARE(errors.count(), 2);
    QCOMPARE(stopped.count(), 0);
    QVERIFY(!model.isScanning());

    QVERIFY(m_sim->setScanMode(QStringLiteral("answer")));
    model.findChild<QTimer*>(QStringLiteral("scanTimeout"))->setInterval(10000);
    QVERIFY(scan(&model));
    QCOMPARE(errors.count(), 2);
    QCOMPARE(m_sim->scanRequests(), 3u);
}

void tst_NetPlatformSim::connectSucceeds_data()
{
    QTest::addColumn<QByteArray>("ssid");
    QTest::addColumn<QVariantMap>("properties");

    QTest::newRow("WPA-PSK passphrase") << QByteArray("Office")
                                        << QVariantMap{{QStringLiteral("EAP_wpa_preshared_passphrase"),
                                                        QStringLiteral("office-passphrase")}};
    QTest::newRow("WEP text key") << QByteArray("Library")
                                  << QVariantMap{{QStringLiteral("wlan_wepdefkey"), 1},
                                                 {QStringLiteral("wlan_wepkey1"), QStringLiteral("books")}};
    QTest::newRow("WEP key bytes") << QByteArray("Library")
                                   << QVariantMap{{QStringLiteral("wlan_wepdefkey"), 1},
                                                  {QStringLiteral("wlan_wepkey1"), QByteArray("books")}};
    QTest::newRow("open") << QByteArray("Open") << QVariantMap();
    QTest::newRow("non-ascii, slash") << cafeSsid << QVariantMap();
}

namespace {

// One connection attempt for an access point, watched from both ends.
struct Attempt
{
    Attempt(const QByteArray& ssid, const QVariantMap& properties)
        : iap(wlanData(ssid))
        , watcher((iap.setProperties(properties), iap))
        , connecting(&watcher, &ConnectionWatcher::connecting)
        , disconnected(&watcher, &ConnectionWatcher::disconnected)
        , finished(&process, &ConnectionProcess::finished)
        , errors(&process, &ConnectionProcess::error)
    {
        process.addInternetAccessPoint(iap);
        process.start();
    }

    InternetAccessPoint iap;
    ConnectionWatcher watcher;
    QSignalSpy connecting;
    QSignalSpy disconnected;
    ConnectionProcess process;
    QSignalSpy finished;
    QSignalSpy errors;
};

} // namespace

void tst_NetPlatformSim::connectSucceeds()
{
    QFETCH(QByteArray, ssid);
    QFETCH(QVariantMap, properties);

    Attempt attempt(ssid, properties);
    InternetAccessPoint& iap = attempt.iap;
    QSignalSpy& connecting = attempt.connecting;
    QSignalSpy& disconnected = attempt.disconnected;
    QSignalSpy& finished = attempt.finished;
    QSignalSpy& errors = attempt.errors;
    QVERIFY2(finished.wait(), qPrintable(m_sim->log()));
    QCOMPARE(errors.count(), 0);
    QCOMPARE(connecting.count(), 1);
    QCOMPARE(disconnected.count(), 0);
    QCOMPARE(m_sim->lastConnectId(), QString::fromLatin1(ssid));
    QCOMPARE(m_sim->currentLink(), QString::fromLatin1(ssid));

    // Dropping the link through the access point.
    iap.disconnect();
    QVERIFY(disconnected.wait());
    QCOMPARE(disconnected.first().first().value<InternetAccessPoint>().id(), QString::fromLatin1(ssid));
    QTRY_VERIFY(m_sim->currentLink().isEmpty());
}

void tst_NetPlatformSim::connectWithWrongKey_data()
{
    QTest::addColumn<QByteArray>("ssid");
    QTest::addColumn<QVariantMap>("properties");

    QTest::newRow("WPA-PSK") << QByteArray("Office")
                             << QVariantMap{{QStringLiteral("EAP_wpa_preshared_passphrase"),
                                             QStringLiteral("wrong-passphrase")}};
    QTest::newRow("WPA-PSK no key") << QByteArray("Office") << QVariantMap();
    QTest::newRow("WEP") << QByteArray("Library")
                         << QVariantMap{{QStringLiteral("wlan_wepdefkey"), 1},
                                        {QStringLiteral("wlan_wepkey1"), QStringLiteral("boots")}};
}

void tst_NetPlatformSim::connectWithWrongKey()
{
    QFETCH(QByteArray, ssid);
    QFETCH(QVariantMap, properties);

    Attempt attempt(ssid, properties);
    QSignalSpy& connecting = attempt.connecting;
    QSignalSpy& disconnected = attempt.disconnected;
    ConnectionProcess& process = attempt.process;
    QSignalSpy& finished = attempt.finished;
    QSignalSpy& errors = attempt.errors;
    QVERIFY2(errors.wait(), qPrintable(m_sim->log()));
    QCOMPARE(errors.first().first().toString(), QStringLiteral("wrong-credentials"));
    QCOMPARE(finished.count(), 0);
    QVERIFY(!process.isRunning());
    QTRY_COMPARE(disconnected.count(), 1);
    QCOMPARE(connecting.count(), 1);
    QVERIFY(m_sim->currentLink().isEmpty());
    // The daemon's log never shows what was typed.
    const QString typed = properties.value(QStringLiteral("EAP_wpa_preshared_passphrase")).toString();
    if (!typed.isEmpty())
        QVERIFY(!m_sim->log().contains(typed));
}

void tst_NetPlatformSim::connectUnknownNetwork()
{
    ConnectionProcess process;
    QSignalSpy errors(&process, &ConnectionProcess::error);
    // Hidden networks are known to the daemon; this one is not.
    process.addInternetAccessPoint(InternetAccessPoint(wlanData("Nowhere")));
    process.start();
    QVERIFY(errors.wait());
    QCOMPARE(errors.first().first().toString(), QStringLiteral("not-found"));
}

void tst_NetPlatformSim::secondAttemptWhileBusy()
{
    QVERIFY(m_sim->setConnectDelay(500));
    ConnectionProcess first;
    ConnectionProcess second;
    QSignalSpy firstFinished(&first, &ConnectionProcess::finished);
    QSignalSpy secondErrors(&second, &ConnectionProcess::error);
    first.addInternetAccessPoint(InternetAccessPoint(wlanData("Open")));
    second.addInternetAccessPoint(InternetAccessPoint(wlanData("Picnic")));
    first.start();
    QTRY_COMPARE(m_sim->lastConnectId(), QStringLiteral("Open"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("refused: com.qorva.nexd2.Error.Busy")));
    second.start();
    QVERIFY(secondErrors.wait());
    QCOMPARE(secondErrors.first().first().toString(), QStringLiteral("com.qorva.nexd2.Error.Busy"));
    QVERIFY(firstFinished.wait());
}

void tst_NetPlatformSim::connectSavedNetworkFromModelRow()
{
    save("Office", {{QStringLiteral("EAP_wpa_preshared_passphrase"), QStringLiteral("office-passphrase")},
                    {QStringLiteral("wlan_security"), QStringLiteral("WPA_PSK")}});
    ConnectionModel model;
    QVERIFY(scan(&model));
    const int row = [&model]() {
        for (int i = 0; i < model.rowCount(); ++i) {
            if (model.index(i, 0).data().toString() == QLatin1String("Office"))
                return i;
        }
        return -1;
    }();
    QVERIFY(row >= 0);

    // The framework's path: a row's result, the factory, a connection.
    const InternetAccessPoint iap =
        InternetAccessPointFactory::create(model.index(row, 0).data(ConnectionModel::ScanResultRole).value<ScanResult>());
    QCOMPARE(iap.property("EAP_wpa_preshared_passphrase"), QVariant(QStringLiteral("office-passphrase")));
    ConnectionProcess process;
    QSignalSpy finished(&process, &ConnectionProcess::finished);
    process.addInternetAccessPoint(iap);
    process.start();
    QVERIFY2(finished.wait(), qPrintable(m_sim->log()));
    QCOMPARE(m_sim->currentLink(), QStringLiteral("Office"));
}

void tst_NetPlatformSim::linkDropReachesWatcher()
{
    const InternetAccessPoint open(wlanData("Open"));
    const InternetAccessPoint other(wlanData("Picnic"));
    ConnectionWatcher watcher(open);
    ConnectionWatcher otherWatcher(other);
    QSignalSpy disconnected(&watcher, &ConnectionWatcher::disconnected);
    QSignalSpy otherDisconnected(&otherWatcher, &ConnectionWatcher::disconnected);
    QSignalSpy otherConnecting(&otherWatcher, &ConnectionWatcher::connecting);

    ConnectionProcess process;
    QSignalSpy finished(&process, &ConnectionProcess::finished);
    process.addInternetAccessPoint(open);
    process.start();
    QVERIFY(finished.wait());

    QVERIFY(m_sim->dropLink());
    QVERIFY(disconnected.wait());
    QCOMPARE(disconnected.count(), 1);
    QCOMPARE(otherDisconnected.count(), 0);
    QCOMPARE(otherConnecting.count(), 0);
}

void tst_NetPlatformSim::wpsPinSetAfterConnecting_data()
{
    QTest::addColumn<QString>("pin");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("valid PIN") << QStringLiteral("12345670") << true;
    QTest::newRow("checksum wrong") << QStringLiteral("12345678") << false;
}

void tst_NetPlatformSim::wpsPinSetAfterConnecting()
{
    QFETCH(QString, pin);
    QFETCH(bool, accepted);

    WpsSuccessListener listener;
    QVERIFY(listener.subscribe());
    QSignalSpy heard(&listener, &WpsSuccessListener::heard);

    InternetAccessPoint iap = InternetAccessPointFactory::create(QStringLiteral("Office"));
    iap.setData(wlanData("Office"));
    iap.setProperty("EAP_default_type", QVariantList{254, 0, 55, 42, 0, 0, 0, 1});
    iap.setProperty("wlan_wps_method", QStringLiteral("pin"));

    // The PIN is set only once the attempt is seen to start, through an
    // instance of its own, as the WPS enrolment does.
    ConnectionWatcher watcher(iap);
    QSignalSpy connecting(&watcher, &ConnectionWatcher::connecting);
    QSignalSpy disconnected(&watcher, &ConnectionWatcher::disconnected);
    connect(&watcher, &ConnectionWatcher::connecting, this, [pin]() {
        InternetAccessPointFactory::create(QStringLiteral("Office"))
            .setProperty("EAP_SIMPLE_CONFIG_device_password", pin);
    });

    ConnectionProcess process;
    QSignalSpy errors(&process, &ConnectionProcess::error);
    process.addInternetAccessPoint(iap);
    process.start();
    QVERIFY(connecting.wait());
    QVERIFY(disconnected.wait());
    if (accepted) {
        QTRY_COMPARE(heard.count(), 1);
        QCOMPARE(listener.announcements, QList<QStringList>({QStringList{QStringLiteral("Office")}}));
        // A WPS exchange ends with the link dropped, not with a connection:
        // the attempt is over, and says how.
        QTRY_COMPARE(errors.count(), 1);
        QCOMPARE(errors.first().first().toString(), QStringLiteral("disconnected"));
        QCOMPARE(m_sim->currentLink(), QString());
    } else {
        QTRY_COMPARE(errors.count(), 1);
        QCOMPARE(errors.first().first().toString(), QStringLiteral("wrong-credentials"));
        QCOMPARE(heard.count(), 0);
    }
    QVERIFY2(!m_sim->log().contains(pin), "a PIN in the simulator's log");
}

VELIN_TEST_MAIN_WITH_BUS(tst_NetPlatformSim)

#include "tst_netplatformsim.moc"
