// The WPS process against the simulated daemons on the private system bus:
// the whole enrolment to a connection, every way it fails (each asking the
// connectivity daemon to drop the link), abort, restart, the countdown, the
// choice of the network to connect to, and the PIN.
#include "wlanui/discovery/wifiprotectedsetupprocess.h"
#include "wlanui/discovery/wifiprotectedsetupprocess_p.h"

#include "net/connectionmodel.h"
#include "net/connectionprocess.h"
#include "net/connectionwatcher.h"
#include "net/internetaccesspoint.h"
#include "net/internetaccesspointfactory.h"
#include "touch/settingsitem.h"

#include "dconffixture.h"
#include "notificationobserver.h"
#include "platformsimfixture.h"
#include "privatebus.h"

#include <QDBusConnection>
#include <QRegularExpression>
#include <QSet>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QStateMachine>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>

using Velin::ConnectionModel;
using Velin::ConnectionProcess;
using Velin::ConnectionWatcher;
using Velin::InternetAccessPoint;
using Velin::InternetAccessPointFactory;
using Velin::WifiProtectedSetupProcess;
using Velin::WifiProtectedSetupProcessPrivate;
using State = WifiProtectedSetupProcess::State;
using Method = WifiProtectedSetupProcess::Method;

Q_DECLARE_METATYPE(QList<State>)

namespace {

const char networksJson[] = R"({"networks": [
    {"ssid": "Office Net", "level": -50, "security": "WPA_PSK", "wps": true,
     "credentials": {"EAP_wpa_preshared_passphrase": "office-pass-1"}},
    {"ssid": "Alpha", "level": -60},
    {"ssid": "Beta", "level": -60},
    {"ssid": "Gamma", "level": -85},
    {"ssid": "Delta", "level": -40}
]})";

const QString office = QStringLiteral("Office Net");
const QString wlanRoot = QStringLiteral("/system/ravo/connectivity/wlan");

QList<QVariant> wlanData(const QString& ssid)
{
    return {QString(QLatin1String("")), 0u, QString(QLatin1String("")), QStringLiteral("WLAN_INFRA"), 0u,
            QByteArray(ssid.toLatin1() + '\0')};
}

// The reference check of a WPS PIN: from the right, the digits weigh
// 3, 1, 3, ... and the check digit (weight 1) brings the sum to a multiple
// of ten.
bool isValidPin(const QString& pin)
{
    if (pin.size() != 8)
        return false;
    int sum = 0;
    for (int i = 0; i < 8; ++i) {
        if (!pin.at(i).isDigit() || pin.at(i).unicode() > '9')
            return false;
        const int weight = (i % 2 == 0) ? 3 : 1;
        sum += weight * (pin.at(i).unicode() - '0');
    }
    return sum % 10 == 0;
}

bool timersStopped(WifiProtectedSetupProcess* process)
{
    const QList<QTimer*> timers = process->findChildren<QTimer*>(QRegularExpression(QStringLiteral("^wps")));
    return timers.size() == 3
           && std::none_of(timers.begin(), timers.end(), [](QTimer* timer) { return timer->isActive(); });
}

WifiProtectedSetupProcessPrivate* privateOf(WifiProtectedSetupProcess* process)
{
    return process->findChild<WifiProtectedSetupProcessPrivate*>();
}

QTimer* timer(WifiProtectedSetupProcess* process, const char* name)
{
    return process->findChild<QTimer*>(QLatin1String(name));
}

// A connection model whose ranking column says what the test wants for
// some networks.
class RankedModel : public ConnectionModel
{
public:
    QMap<QString, int> rankings;

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (index.column() == RankingColumn && role == Qt::DisplayRole) {
            const QString name = ConnectionModel::data(this->index(index.row(), NameColumn), role).toString();
            if (rankings.contains(name))
                return rankings.value(name);
        }
        return ConnectionModel::data(index, role);
    }
};

} // namespace

class tst_WifiProtectedSetupProcess : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void enrolmentConnects_data();
    void enrolmentConnects();
    void failureEndsWithLinkDrop_data();
    void failureEndsWithLinkDrop();
    void abortStopsWhereItIs_data();
    void abortStopsWhereItIs();
    void startOnlyWhenNotRunning_data();
    void startOnlyWhenNotRunning();
    void lateTimeoutIgnored_data();
    void lateTimeoutIgnored();
    void countdown_data();
    void countdown();
    void candidateChoice_data();
    void candidateChoice();
    void generatedPinsAreValid();
    void pinFromRandomSource_data();
    void pinFromRandomSource();
    void pinKeptOnceSet_data();
    void pinKeptOnceSet();

    void subscriptionRefused(); // stops the system bus: keep last

private:
    // The framework's connection attempt that carries the WPS exchange.
    ConnectionProcess* startExchange(Method method);
    // A plain connection to the network, with its passphrase.
    bool connectNormally();
    int disconnectRequests() const { return m_sim->log().count(QStringLiteral("disconnect_req")); }
    QList<State> states(const QSignalSpy& spy) const
    {
        QList<State> seen;
        for (const QList<QVariant>& arguments : spy)
            seen.append(arguments.first().value<State>());
        return seen;
    }

    QScopedPointer<DconfFixture> m_dconf;
    PlatformSimFixture* m_sim = nullptr;
    NotificationObserver* m_notifications = nullptr;
};

void tst_WifiProtectedSetupProcess::init()
{
    m_dconf.reset(new DconfFixture);
    m_dconf->setUserDatabaseEnabled(true);
    QVERIFY(m_dconf->load({{QStringLiteral("/velin/test/marker"), QVariant(1)}}));
    QVERIFY(Touch::SettingsItem::resetDirectory(wlanRoot));

    m_sim = new PlatformSimFixture(this);
    m_sim->setNetworks(networksJson);
    m_sim->setSaveSettings(true);
    m_sim->setExtraArguments({QStringLiteral("--scan-delay"), QStringLiteral("20"), QStringLiteral("--connect-delay"),
                              QStringLiteral("20")});
    QVERIFY2(m_sim->start(), qPrintable(m_sim->log()));
    m_notifications = new NotificationObserver(this);
    QVERIFY(m_notifications->isRegistered());
}

void tst_WifiProtectedSetupProcess::cleanup()
{
    delete m_notifications;
    m_notifications = nullptr;
    if (m_sim)
        QVERIFY2(m_sim->stop(), qPrintable(m_sim->log()));
    delete m_sim;
    m_sim = nullptr;
    if (QDBusConnection::sessionBus().isConnected())
        QVERIFY(Touch::SettingsItem::resetDirectory(wlanRoot));
    m_dconf.reset();
}

ConnectionProcess* tst_WifiProtectedSetupProcess::startExchange(Method method)
{
    InternetAccessPoint iap = InternetAccessPointFactory::create(office);
    iap.setData(wlanData(office));
    iap.setProperty("EAP_default_type", QVariantList{254, 0, 55, 42, 0, 0, 0, 1});
    iap.setProperty("wlan_wps_method",
                    method == WifiProtectedSetupProcess::PinMethod ? QStringLiteral("pin") : QStringLiteral("pushbutton"));
    auto attempt = new ConnectionProcess(this);
    attempt->addInternetAccessPoint(iap);
    attempt->start();
    return attempt;
}

bool tst_WifiProtectedSetupProcess::connectNormally()
{
    InternetAccessPoint iap = InternetAccessPointFactory::create(office);
    iap.setData(wlanData(office));
    iap.setProperty("EAP_wpa_preshared_passphrase", QStringLiteral("office-pass-1"));
    ConnectionProcess attempt;
    QSignalSpy finished(&attempt, &ConnectionProcess::finished);
    attempt.addInternetAccessPoint(iap);
    attempt.start();
    return finished.wait(5000) && m_sim->currentLink() == office;
}

void tst_WifiProtectedSetupProcess::enrolmentConnects_data()
{
    QTest::addColumn<int>("method");
    // As the progress sheet does: push button starts the process before the
    // attempt, PIN once the attempt is seen to start.
    QTest::addColumn<bool>("startOnConnecting");
    // An empty announcement configures, but the next one still counts.
    QTest::addColumn<bool>("emptyAnnouncementFirst");

    QTest::newRow("push button") << int(WifiProtectedSetupProcess::PushButtonMethod) << false << false;
    QTest::newRow("PIN") << int(WifiProtectedSetupProcess::PinMethod) << true << false;
    QTest::newRow("after an empty announcement") << int(WifiProtectedSetupProcess::PushButtonMethod) << false
                                                 << true;
}

void tst_WifiProtectedSetupProcess::enrolmentConnects()
{
    QFETCH(int, method);
    QFETCH(bool, startOnConnecting);
    QFETCH(bool, emptyAnnouncementFirst);

    WifiProtectedSetupProcess process(office);
    process.setMethod(Method(method));
    timer(&process, "wpsSettleTimer")->setInterval(0);
    QSignalSpy stateChanges(&process, &WifiProtectedSetupProcess::stateChanged);
    QSignalSpy finished(&process, &WifiProtectedSetupProcess::finished);
    QSignalSpy errors(&process, &WifiProtectedSetupProcess::error);

    ConnectionWatcher watcher(InternetAccessPointFactory::create(office));
    if (startOnConnecting) {
        connect(&watcher, &ConnectionWatcher::connecting, &process, &WifiProtectedSetupProcess::start);
    } else {
        process.start();
        QTRY_COMPARE(process.state(), WifiProtectedSetupProcess::WaitingSignal);
    }
    if (emptyAnnouncementFirst) {
        QVERIFY(m_sim->announceWpsSuccess({}));
        QTRY_COMPARE(process.state(), WifiProtectedSetupProcess::Configured);
        QVERIFY(privateOf(&process)->iapIds.isEmpty());
    }
    QScopedPointer<ConnectionProcess> attempt(startExchange(Method(method)));

    QVERIFY(finished.wait(10000));
    QCOMPARE(process.state(), WifiProtectedSetupProcess::Finished);
    QCOMPARE(errors.count(), 0);
    QCOMPARE(states(stateChanges),
             (QList<State>{WifiProtectedSetupProcess::WaitingSignal, WifiProtectedSetupProcess::Configured,
                           WifiProtectedSetupProcess::Scanning, WifiProtectedSetupProcess::Connecting,
                           WifiProtectedSetupProcess::Finished}));
    // Connected with the saved key (the daemon refuses any other), and no
    // link drop asked for: the daemon handles this process's calls in
    // order, so one sent before would have ended the link by now.
    QCOMPARE(m_sim->lastConnectId(), office);
    QCOMPARE(m_sim->currentLink(), office);
    QCOMPARE(disconnectRequests(), 0);
    QVERIFY(timersStopped(&process));
    QCOMPARE(m_notifications->count(), 0);
    if (!process.pinCode().isEmpty())
        QVERIFY2(!m_sim->log().contains(process.pinCode()), "a PIN in the log");
}

void tst_WifiProtectedSetupProcess::failureEndsWithLinkDrop_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("notified");

    const int pushButton = WifiProtectedSetupProcess::PushButtonMethod;
    QTest::newRow("no method") << int(WifiProtectedSetupProcess::UnknownMethod) << "none" << "Unknown WPS method"
                               << false;
    QTest::newRow("no announcement in time") << pushButton << "timeout waiting" << "WPS timeout" << true;
    QTest::newRow("link kept after the announcement") << pushButton << "timeout configured" << "WPS timeout"
                                                       << true;
    QTest::newRow("link lost while waiting") << pushButton << "link lost" << QString() << false;
    QTest::newRow("scan error") << pushButton << "scan error" << QString() << false;
    // Also shows that the second announcement (the exchange's) is ignored.
    QTest::newRow("first announcement names another network") << pushButton << "other network" << QString()
                                                                << false;
    QTest::newRow("connection fails") << int(WifiProtectedSetupProcess::PinMethod) << "connection fails"
                                      << QString() << false;
}

void tst_WifiProtectedSetupProcess::failureEndsWithLinkDrop()
{
    QFETCH(int, method);
    QFETCH(QString, trigger);
    QFETCH(QString, reason);
    QFETCH(bool, notified);

    if (trigger == QLatin1String("link lost"))
        QVERIFY(connectNormally());

    WifiProtectedSetupProcess process(office);
    process.setMethod(Method(method));
    timer(&process, "wpsSettleTimer")->setInterval(0);
    QSignalSpy finished(&process, &WifiProtectedSetupProcess::finished);
    QSignalSpy errors(&process, &WifiProtectedSetupProcess::error);
    if (trigger == QLatin1String("timeout waiting"))
        timer(&process, "wpsTimeoutTimer")->setInterval(20);
    if (trigger == QLatin1String("scan error"))
        QVERIFY(m_sim->setScanMode(QStringLiteral("error")));

    process.start();
    QScopedPointer<ConnectionProcess> attempt;
    if (trigger != QLatin1String("none")) {
        QTRY_COMPARE(process.state(), WifiProtectedSetupProcess::WaitingSignal);
        if (trigger == QLatin1String("timeout configured")) {
            QVERIFY(m_sim->announceWpsSuccess({office}));
            QTRY_COMPARE(process.state(), WifiProtectedSetupProcess::Configured);
            timer(&process, "wpsTimeoutTimer")->start(20);
        } else if (trigger == QLatin1String("link lost")) {
            QVERIFY(m_sim->dropLink());
        } else if (trigger == QLatin1String("other network")) {
            QVERIFY(m_sim->announceWpsSuccess({QStringLiteral("Elsewhere")}));
            QTRY_COMPARE(process.state(), WifiProtectedSetupProcess::Configured);
            attempt.reset(startExchange(Method(method)));
        } else if (trigger == QLatin1String("connection fails")) {
            // A slow scan leaves time to arm the failure for the connection
            // that follows the exchange.
            QVERIFY(m_sim->setScanDelay(400));
            attempt.reset(startExchange(Method(method)));
            QTRY_COMPARE(process.state(), WifiProtectedSetupProcess::Scanning);
            QVERIFY(m_sim->failNextConnection(QStringLiteral("forced")));
        } else {
            attempt.reset(startExchange(Method(method)));
        }
    }

    QTRY_COMPARE_WITH_TIMEOUT(process.state(), WifiProtectedSetupProcess::ErrorOccurred, 10000);
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.first().first().toString(), reason);
    QCOMPARE(finished.count(), 0);
    QTRY_COMPARE(disconnectRequests(), 1);
    if (trigger == QLatin1String("connection fails")) {
        // It got as far as asking for the connection.
        QCOMPARE(m_sim->lastConnectId(), office);
        QVERIFY(m_sim->log().contains(QStringLiteral("failed forced")));
    }
    if (notified) {
        QTRY_COMPARE(m_notifications->count(), 1);
        const NotificationObserver::Notification note = m_notifications->last();
        QCOMPARE(note.category(), QStringLiteral("x-qorva.internet"));
        QCOMPARE(note.summary, QString());
        QCOMPARE(note.body, QStringLiteral("qtn_conn_error_ic_failed_network"));
        QCOMPARE(note.icon, QString());
    } else {
        QCOMPARE(m_notifications->count(), 0);
    }
    QVERIFY(timersStopped(&process));
    QVERIFY(privateOf(&process)->iapIds.isEmpty());
    QVERIFY(!privateOf(&process)->subscribed);
}

void tst_WifiProtectedSetupProcess::abortStopsWhereItIs_data()
{
    QTest::addColumn<int>("where");

    QTest::newRow("waiting") << int(WifiProtectedSetupProcess::WaitingSignal);
    QTest::newRow("configured") << int(WifiProtectedSetupProcess::Configured);
    QTest::newRow("scanning") << int(WifiProtectedSetupProcess::Scanning);
}

void tst_WifiProtectedSetupProcess::abortStopsWhereItIs()
{
    QFETCH(int, where);

    WifiProtectedSetupProcess process(office);
    process.setMethod(WifiProtectedSetupProcess::PushButtonMethod);
    timer(&process, "wpsSettleTimer")->setInterval(0);
    QSignalSpy finished(&process, &WifiProtectedSetupProcess::finished);
    QSignalSpy errors(&process, &WifiProtectedSetupProcess::error);
    // The scan stays unanswered, so the process waits in scanning.
    QVERIFY(m_sim->setScanMode(QStringLiteral("ignore")));
    process.start();
    QTRY_COMPARE(process.state(), WifiProtectedSetupProcess::WaitingSignal);
    QScopedPointer<ConnectionProcess> attempt;
    if (where == WifiProtectedSetupProcess::Configured) {
        QVERIFY(m_sim->announceWpsSuccess({office}));
    } else if (where == WifiProtectedSetupProcess::Scanning) {
        attempt.reset(startExchange(WifiProtectedSetupProcess::PushButtonMethod));
    }
    QTRY_COMPARE(int(process.state()), where);

    QSignalSpy stateChanges(&process, &WifiProtectedSetupProcess::stateChanged);
    process.abort();
    QTRY_VERIFY(!privateOf(&process)->machine->isRunning());
    QCOMPARE(int(process.state()), where);
    QCOMPARE(stateChanges.count(), 0);
    QCOMPARE(finished.count(), 0);
    QCOMPARE(errors.count(), 0);
    QTRY_COMPARE(disconnectRequests(), 1);
    QVERIFY(timersStopped(&process));

    QVERIFY(!privateOf(&process)->subscribed);
}

void tst_WifiProtectedSetupProcess::startOnlyWhenNotRunning_data()
{
    QTest::addColumn<QString>("when");
    QTest::addColumn<int>("waitingEntries");

    QTest::newRow("twice at once") << "at once" << 1;
    QTest::newRow("while waiting") << "waiting" << 1;
    QTest::newRow("after the end") << "ended" << 2;
}

void tst_WifiProtectedSetupProcess::startOnlyWhenNotRunning()
{
    QFETCH(QString, when);
    QFETCH(int, waitingEntries);

    WifiProtectedSetupProcess process(office);
    QSignalSpy stateChanges(&process, &WifiProtectedSetupProcess::stateChanged);
    if (when == QLatin1String("ended")) {
        // Without a method it ends at once; with one it runs again.
        process.start();
        QTRY_COMPARE(process.state(), WifiProtectedSetupProcess::ErrorOccurred);
        QTRY_VERIFY(!privateOf(&process)->machine->isRunning());
        // A new run gets the whole window again.
        privateOf(&process)->secondsRemaining = 50;
    }
    process.setMethod(WifiProtectedSetupProcess::PushButtonMethod);
    process.start();
    if (when == QLatin1String("waiting"))
        QTRY_COMPARE(process.state(), WifiProtectedSetupProcess::WaitingSignal);
    process.start();
    QTRY_COMPARE(process.state(), WifiProtectedSetupProcess::WaitingSignal);
    QTest::qWait(20);
    QCOMPARE(states(stateChanges).count(WifiProtectedSetupProcess::WaitingSignal), waitingEntries);
    QCOMPARE(process.state(), WifiProtectedSetupProcess::WaitingSignal);
    QVERIFY(timer(&process, "wpsTimeoutTimer")->isActive());
    QCOMPARE(privateOf(&process)->secondsRemaining, 120);
}

void tst_WifiProtectedSetupProcess::lateTimeoutIgnored_data()
{
    QTest::addColumn<QString>("when");

    QTest::newRow("scanning") << "scanning";
    QTest::newRow("aborted") << "aborted";
    QTest::newRow("failed") << "failed";
}

void tst_WifiProtectedSetupProcess::lateTimeoutIgnored()
{
    QFETCH(QString, when);

    // The progress sheet asks for another 120 s whenever Connect is tapped,
    // also once WPS has done its part or the process is over.
    WifiProtectedSetupProcess process(office);
    process.setMethod(when == QLatin1String("failed") ? WifiProtectedSetupProcess::UnknownMethod
                                                      : WifiProtectedSetupProcess::PushButtonMethod);
    timer(&process, "wpsSettleTimer")->setInterval(0);
    QVERIFY(m_sim->setScanMode(QStringLiteral("ignore")));
    process.start();
    QScopedPointer<ConnectionProcess> attempt;
    if (when == QLatin1String("scanning")) {
        attempt.reset(startExchange(WifiProtectedSetupProcess::PushButtonMethod));
        QTRY_COMPARE(process.state(), WifiProtectedSetupProcess::Scanning);
    } else if (when == QLatin1String("aborted")) {
        QTRY_COMPARE(process.state(), WifiProtectedSetupProcess::WaitingSignal);
        process.abort();
    } else {
        QTRY_COMPARE(process.state(), WifiProtectedSetupProcess::ErrorOccurred);
    }
    QTRY_VERIFY(when == QLatin1String("scanning") || !privateOf(&process)->machine->isRunning());
    QSignalSpy errors(&process, &WifiProtectedSetupProcess::error);
    QSignalSpy stateChanges(&process, &WifiProtectedSetupProcess::stateChanged);

    process.resetTimer();
    QTimer* timeout = timer(&process, "wpsTimeoutTimer");
    timeout->start(1);
    QTRY_VERIFY(!timeout->isActive());
    QCoreApplication::processEvents();
    QCOMPARE(errors.count(), 0);
    QCOMPARE(stateChanges.count(), 0);
    QCOMPARE(m_notifications->count(), 0);
    QVERIFY(privateOf(&process)->errorText.isEmpty());
    process.abort();
}

void tst_WifiProtectedSetupProcess::countdown_data()
{
    QTest::addColumn<QString>("event");
    // The seconds remaining the ticks after the event count down from.
    QTest::addColumn<int>("from");

    QTest::newRow("from the start") << "start" << 120;
    QTest::newRow("after resetTimer") << "reset" << 120;
    // After the announcement it keeps going, below zero if need be.
    QTest::newRow("configured, past zero") << "configured" << 1;
}

void tst_WifiProtectedSetupProcess::countdown()
{
    QFETCH(QString, event);
    QFETCH(int, from);

    WifiProtectedSetupProcess process(office);
    process.setMethod(WifiProtectedSetupProcess::PushButtonMethod);
    QTimer* countdown = timer(&process, "wpsCountdownTimer");
    QTimer* timeout = timer(&process, "wpsTimeoutTimer");
    QCOMPARE(countdown->interval(), 1000);
    QVERIFY(!countdown->isSingleShot());
    QCOMPARE(timeout->interval(), 120000);
    QVERIFY(timeout->isSingleShot());
    QCOMPARE(timer(&process, "wpsSettleTimer")->interval(), 5000);
    QVERIFY(timer(&process, "wpsSettleTimer")->isSingleShot());

    countdown->setInterval(1);
    QSignalSpy seconds(&process, &WifiProtectedSetupProcess::secondsRemaining);
    process.start();
    int mark = 0;
    if (event != QLatin1String("start")) {
        QTRY_VERIFY(seconds.count() >= 3);
        if (event == QLatin1String("reset")) {
            timeout->setInterval(50);
            process.resetTimer();
            QCOMPARE(timeout->interval(), 120000);
            QVERIFY(timeout->isActive());
        } else {
            QVERIFY(m_sim->announceWpsSuccess({office}));
            QTRY_COMPARE(process.state(), WifiProtectedSetupProcess::Configured);
            privateOf(&process)->secondsRemaining = from;
        }
        mark = seconds.count();
    }
    QTRY_VERIFY(seconds.count() >= mark + 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(seconds.at(mark + i).first().toInt(), from - 1 - i);
    process.abort();
}

void tst_WifiProtectedSetupProcess::candidateChoice_data()
{
    QTest::addColumn<QStringList>("saved");
    QTest::addColumn<QStringList>("announced");
    QTest::addColumn<QVariantMap>("rankings");
    QTest::addColumn<QString>("chosen");

    // Rows by strength: Delta (-40), Office Net (-50), Alpha and Beta (-60,
    // the same ranking), Gamma (-85).
    const QString alpha = QStringLiteral("Alpha");
    const QString beta = QStringLiteral("Beta");
    const QString gamma = QStringLiteral("Gamma");
    const QString delta = QStringLiteral("Delta");
    QTest::newRow("tie goes to the lower row") << QStringList{beta, alpha} << QStringList{beta, alpha}
                                               << QVariantMap() << alpha;
    QTest::newRow("higher ranking") << QStringList{alpha, gamma} << QStringList{gamma, alpha} << QVariantMap()
                                    << alpha;
    QTest::newRow("higher ranking in a later row")
        << QStringList{alpha, gamma} << QStringList{alpha, gamma} << QVariantMap{{alpha, 3}, {gamma, 7}} << gamma;
    QTest::newRow("unsaved never") << QStringList{gamma} << QStringList{delta, gamma} << QVariantMap() << gamma;
    QTest::newRow("only unsaved") << QStringList() << QStringList{delta, alpha} << QVariantMap() << QString();
    QTest::newRow("unannounced never") << QStringList{alpha, beta, delta} << QStringList{beta} << QVariantMap()
                                       << beta;
    QTest::newRow("ids are case-sensitive") << QStringList{alpha} << QStringList{QStringLiteral("alpha")}
                                            << QVariantMap() << QString();
    QTest::newRow("nothing announced") << QStringList{alpha} << QStringList() << QVariantMap() << QString();
    QTest::newRow("ranking 0 never") << QStringList{alpha, gamma} << QStringList{alpha, gamma}
                                     << QVariantMap{{alpha, 0}, {gamma, 0}} << QString();
    QTest::newRow("negative ranking never") << QStringList{alpha, gamma} << QStringList{alpha, gamma}
                                            << QVariantMap{{alpha, -2}, {gamma, 1}} << gamma;
}

void tst_WifiProtectedSetupProcess::candidateChoice()
{
    QFETCH(QStringList, saved);
    QFETCH(QStringList, announced);
    QFETCH(QVariantMap, rankings);
    QFETCH(QString, chosen);

    for (const QString& id : saved) {
        InternetAccessPoint iap(wlanData(id));
        iap.setProperty("wlan_security", QStringLiteral("NONE"));
        QVERIFY(iap.save());
    }
    RankedModel model;
    for (auto it = rankings.constBegin(); it != rankings.constEnd(); ++it)
        model.rankings.insert(it.key(), it.value().toInt());
    model.setFoundConnectionsMode();
    QSignalSpy stopped(&model, &ConnectionModel::scanStopped);
    model.startScan();
    QVERIFY(stopped.wait(5000));
    QCOMPARE(model.rowCount(), 5);

    const int row = WifiProtectedSetupProcessPrivate::chooseCandidate(&model, announced);
    const QString id = row < 0 ? QString() : QString::fromLatin1(model.connectionsAt(row).first().id());
    QCOMPARE(id, chosen);
}

void tst_WifiProtectedSetupProcess::generatedPinsAreValid()
{
    WifiProtectedSetupProcess process(office);
    WifiProtectedSetupProcessPrivate* d = privateOf(&process);
    QCOMPARE(d->randomSource, QStringLiteral("/dev/urandom"));
    QSet<QString> seen;
    for (int i = 0; i < 2000; ++i) {
        const QString pin = d->generatePinCode();
        QVERIFY2(isValidPin(pin), qPrintable(QStringLiteral("PIN %1 of 2000 is not valid").arg(i)));
        seen.insert(pin);
    }
    // Random: practically never the same PIN twice in a few thousand.
    QVERIFY(seen.size() > 1900);

    process.setMethod(WifiProtectedSetupProcess::PinMethod);
    QVERIFY(isValidPin(process.pinCode()));
    QCOMPARE(process.property("pinCode").toString(), process.pinCode());
}

void tst_WifiProtectedSetupProcess::pinFromRandomSource_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("openable");
    QTest::addColumn<QString>("pin");

    QTest::newRow("digits") << QByteArray("\x01\x02\x03\x04\x05\x06\x07\x09", 8) << true << "12345670";
    QTest::newRow("bytes mod 10") << QByteArray("\x0e\x09\x0c\x16\x24\x3a\x11\xff", 8) << true << "49226874";
    QTest::newRow("largest bytes") << QByteArray(8, char(0xff)) << true << "55555555";
    QTest::newRow("longer source") << QByteArray("\x01\x01\x01\x01\x01\x01\x01\x01\x07", 9) << true << "11111115";
    // Missing digits are zeros; the check digit still fits.
    QTest::newRow("short read") << QByteArray("\x01\x02\x03", 3) << true << "12300006";
    QTest::newRow("empty source") << QByteArray() << true << "00000000";
    QTest::newRow("unopenable source") << QByteArray() << false << "00000000";
}

void tst_WifiProtectedSetupProcess::pinFromRandomSource()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, openable);
    QFETCH(QString, pin);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("random"));
    QFile file(path);
    if (openable) {
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), qint64(bytes.size()));
        file.close();
    }
    WifiProtectedSetupProcess process(office);
    privateOf(&process)->randomSource = path;
    if (!openable || bytes.size() < 8)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("random source")));
    process.setMethod(WifiProtectedSetupProcess::PinMethod);
    QVERIFY(isValidPin(pin));
    QCOMPARE(process.pinCode(), pin);
}

void tst_WifiProtectedSetupProcess::pinKeptOnceSet_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QList<int>>("methods");
    QTest::addColumn<bool>("generated");

    const int pin = WifiProtectedSetupProcess::PinMethod;
    const int pushButton = WifiProtectedSetupProcess::PushButtonMethod;
    QTest::newRow("PIN twice") << QString() << QList<int>{pin, pin} << true;
    QTest::newRow("PIN, push button, PIN") << QString() << QList<int>{pin, pushButton, pin} << true;
    QTest::newRow("PIN set first") << QStringLiteral("12345670") << QList<int>{pin} << false;
    // Not checked: what the caller sets is what the process uses.
    QTest::newRow("odd PIN set first") << QStringLiteral("1234") << QList<int>{pin, pin} << false;
    QTest::newRow("push button only") << QString() << QList<int>{pushButton} << false;
}

void tst_WifiProtectedSetupProcess::pinKeptOnceSet()
{
    QFETCH(QString, given);
    QFETCH(QList<int>, methods);
    QFETCH(bool, generated);

    WifiProtectedSetupProcess process(office);
    QCOMPARE(process.method(), WifiProtectedSetupProcess::UnknownMethod);
    QCOMPARE(process.state(), WifiProtectedSetupProcess::NotStarted);
    if (!given.isEmpty())
        process.setPinCode(given);
    QString first;
    for (int method : methods) {
        process.setMethod(Method(method));
        QCOMPARE(int(process.method()), method);
        if (first.isEmpty())
            first = process.pinCode();
        QCOMPARE(process.pinCode(), first);
    }
    if (generated)
        QVERIFY(isValidPin(first));
    else
        QCOMPARE(first, given);
}

void tst_WifiProtectedSetupProcess::subscriptionRefused()
{
    QVERIFY(m_sim->stop());
    delete m_sim;
    m_sim = nullptr;
    delete m_notifications;
    m_notifications = nullptr;
    QVERIFY(PrivateBus::instance());
    PrivateBus::instance()->stop(PrivateBus::SystemBus);
    QTRY_VERIFY(!QDBusConnection::systemBus().isConnected());

    WifiProtectedSetupProcess process(office);
    process.setMethod(WifiProtectedSetupProcess::PushButtonMethod);
    QSignalSpy errors(&process, &WifiProtectedSetupProcess::error);
    QTest::ignoreMessage(QtWarningMsg, "Unable to connect EAP signal handler!");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot ask to drop the link")));
    process.start();
    QVERIFY(errors.wait());
    QCOMPARE(errors.first().first().toString(), QStringLiteral("Signal handler connection failed"));
    QCOMPARE(process.state(), WifiProtectedSetupProcess::ErrorOccurred);
}

VELIN_TEST_MAIN_WITH_BUS(tst_WifiProtectedSetupProcess)

#include "tst_wifiprotectedsetupprocess.moc"
