#include "net/connectionmodel.h"
#include "net/internetaccesspoint.h"

#include "touch/settingsitem.h"

#include "dconffixture.h"
#include "fakedbusservice.h"
#include "privatebus.h"
#include "testdata.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QRegularExpression>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <limits>

using Velin::ConnectionModel;
using Velin::InternetAccessPoint;
using Velin::ScanResult;
using NetTestData::wlanData;

namespace {

const QString wlanService = QStringLiteral("com.qorva.skylard");
const QString signalPath = QStringLiteral("/com/qorva/skylard/signal");
const QString signalInterface = QStringLiteral("com.qorva.skylard.signal");
const QString wlanRoot = QStringLiteral("/system/ravo/connectivity/wlan");

// One BSS as the WLAN daemon reports it.
struct Bss
{
    QByteArray ssid;
    int level;
    uint attributes;
    uint capability;
};

QList<QVariant> resultArguments(const QList<Bss>& entries)
{
    QList<QVariant> arguments = {int(entries.size())};
    int n = 0;
    for (const Bss& bss : entries) {
        ++n;
        arguments << bss.ssid << QStringLiteral("02:00:00:00:00:%1").arg(n, 2, 10, QLatin1Char('0')) << bss.level
                  << bss.attributes << bss.capability;
    }
    return arguments;
}

// A round trip on the bus connection the model uses: its subscriptions have
// reached the bus before a fake daemon emits anything.
void syncSystemBus()
{
    const QDBusMessage ping = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    QDBusConnection::systemBus().call(ping);
}

struct RowView
{
    QString text;
    int strength;
    int ranking;
    bool saved;
    bool found;
};

RowView rowAt(const ConnectionModel& model, int row)
{
    const ScanResult result = model.index(row, 0).data(ConnectionModel::ScanResultRole).value<ScanResult>();
    return RowView{model.index(row, ConnectionModel::NameColumn).data().toString(),
                   model.index(row, ConnectionModel::SignalStrengthColumn).data().toInt(),
                   model.index(row, ConnectionModel::RankingColumn).data().toInt(), result.isSaved(),
                   result.isFound()};
}

QStringList rowTexts(const ConnectionModel& model)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts.append(model.index(row, 0).data().toString());
    return texts;
}

} // namespace

class tst_ConnectionModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void emptyModel();
    void scanRequest_data();
    void scanRequest();
    void rowsFromResults();
    void signalStrength_data();
    void signalStrength();
    void rankingOrder();
    void savedAndFound();
    void foundConnectionsMode();
    void resultsReplaceEarlierOnes();
    void resultsWithoutScanRequest();
    void resultsFromAnotherSenderIgnored();
    void scanErrorReply();
    void ignoredScanRequest();
    void lateErrorAfterTimeout();
    void malformedResults_data();
    void malformedResults();
    void noSystemBus(); // stops the system bus: keep last

private:
    void emitResults(const QList<QVariant>& arguments)
    {
        QVERIFY(m_daemon->emitSignal(signalPath, signalInterface, QStringLiteral("scan_results"), arguments));
    }
    void save(const QByteArray& ssid, const QString& type = QStringLiteral("WLAN_INFRA"), uint attributes = 0)
    {
        InternetAccessPoint iap(wlanData(ssid, type, attributes));
        iap.setProperty("wlan_hidden", false);
        QVERIFY(iap.save());
    }

    QScopedPointer<DconfFixture> m_dconf;
    FakeDBusService* m_daemon = nullptr;
};

void tst_ConnectionModel::init()
{
    m_dconf.reset(new DconfFixture);
    m_dconf->setUserDatabaseEnabled(true);
    QVERIFY(m_dconf->load({{QStringLiteral("/system/ravo/connectivity/settings/unrelated"), QVariant(1)}}));
    m_daemon = new FakeDBusService(FakeDBusService::SystemBus, wlanService, this);
    QVERIFY(m_daemon->isRegistered());
}

void tst_ConnectionModel::cleanup()
{
    delete m_daemon;
    m_daemon = nullptr;
    QVERIFY(Touch::SettingsItem::resetDirectory(wlanRoot));
    m_dconf.reset();
}

void tst_ConnectionModel::emptyModel()
{
    const ConnectionModel model;
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 3);
    QVERIFY(!model.isScanning());
    QVERIFY(!model.isFoundConnectionsMode());
    QVERIFY(model.connectionsAt(0).isEmpty());
    QVERIFY(model.connectionsAt(-1).isEmpty());
    QVERIFY(!model.data(model.index(0, 0)).isValid());
    // Children of a row: none.
    QCOMPARE(model.rowCount(model.index(0, 0)), 0);
}

void tst_ConnectionModel::scanRequest_data()
{
    QTest::addColumn<QVariant>("txPower");
    QTest::addColumn<int>("power");

    QTest::newRow("default setting") << QVariant() << 8;
    QTest::newRow("setting 0") << QVariant(0) << 8;
    QTest::newRow("low power setting") << QVariant(1) << 4;
}

void tst_ConnectionModel::scanRequest()
{
    QFETCH(QVariant, txPower);
    QFETCH(int, power);

    if (txPower.isValid())
        QVERIFY(Touch::SettingsItem(QStringLiteral("/system/ravo/connectivity/settings/wlan_tx_power")).set(txPower));

    ConnectionModel model;
    QSignalSpy scanning(&model, &ConnectionModel::scanningChanged);
    model.startScan();
    QVERIFY(model.isScanning());
    QCOMPARE(scanning.count(), 1);
    QTRY_COMPARE(m_daemon->callCount(QStringLiteral("scan")), 1);
    const FakeDBusService::Call call = m_daemon->lastCall();
    QCOMPARE(call.path, QStringLiteral("/com/qorva/skylard/request"));
    QCOMPARE(call.interface, QStringLiteral("com.qorva.skylard.request"));
    QCOMPARE(call.signature, QStringLiteral("iay"));
    QCOMPARE(call.arguments, (QList<QVariant>{power, QByteArray()}));
    QVERIFY(Touch::SettingsItem(QStringLiteral("/system/ravo/connectivity/settings/wlan_tx_power")).unset());
}

void tst_ConnectionModel::rowsFromResults()
{
    ConnectionModel model;
    syncSystemBus();
    QSignalSpy stopped(&model, &ConnectionModel::scanStopped);
    QSignalSpy errors(&model, &ConnectionModel::scanError);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.startScan();
    QTRY_COMPARE(m_daemon->callCount(QStringLiteral("scan")), 1);

    // "Office" three times, its strongest BSS in the middle; an ad hoc network.
    emitResults(resultArguments({{"Office", -82, 0x21, 0x41},
                                 {"Picnic", -64, 0x22, 0x02},
                                 {"Office", -46, 0xF021, 0x1E41},
                                 {"Office", -70, 0x21, 0x41}}));
    QVERIFY(stopped.wait());
    QCOMPARE(stopped.count(), 1);
    QCOMPARE(errors.count(), 0);
    QVERIFY(reset.count() >= 1);
    QVERIFY(!model.isScanning());

    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(rowTexts(model), (QStringList{QStringLiteral("Office"), QStringLiteral("Picnic")}));

    // -46 dBm: 9; -64 dBm: 6.
    const RowView office = rowAt(model, 0);
    QCOMPARE(office.strength, 9);
    QCOMPARE(office.ranking, 10);
    QVERIFY(office.found);
    QVERIFY(!office.saved);
    const QList<ScanResult> bsses = model.connectionsAt(0);
    QCOMPARE(bsses.size(), 3);
    QList<int> strengths;
    for (const ScanResult& bss : bsses) {
        strengths.append(bss.signalStrength());
        QCOMPARE(bss.id(), QByteArray("Office"));
    }
    QCOMPARE(strengths, (QList<int>{9, 5, 3}));
    // The row's result is the strongest BSS, with its own attributes word.
    const ScanResult best = model.index(0, 2).data(ConnectionModel::ScanResultRole).value<ScanResult>();
    QCOMPARE(best, bsses.first());
    QCOMPARE(best.configuration(), wlanData("Office", QStringLiteral("WLAN_INFRA"), 0xF021));
    QCOMPARE(best.networkType(), QStringLiteral("WLAN_INFRA"));

    const ScanResult picnic = model.connectionsAt(1).first();
    QCOMPARE(picnic.networkType(), QStringLiteral("WLAN_ADHOC"));
    QCOMPARE(picnic.configuration(), wlanData("Picnic", QStringLiteral("WLAN_ADHOC"), 0x22));
    QCOMPARE(rowAt(model, 1).strength, 6);
    QCOMPARE(rowAt(model, 1).ranking, 7);

    // An access point made from a row's result is that network.
    const InternetAccessPoint iap(picnic.configuration());
    QCOMPARE(iap.id(), QStringLiteral("Picnic"));
    QCOMPARE(iap.type(), QStringLiteral("WLAN_ADHOC"));
}

void tst_ConnectionModel::signalStrength_data()
{
    QTest::addColumn<int>("dBm");
    QTest::addColumn<int>("strength");

    QTest::newRow("-100") << -100 << 0;
    QTest::newRow("-110") << -110 << 0;
    QTest::newRow("-97") << -97 << 1;
    QTest::newRow("-94") << -94 << 1;
    QTest::newRow("-70") << -70 << 5;
    QTest::newRow("-67 rounds up") << -67 << 6;
    QTest::newRow("-68 rounds down") << -68 << 5;
    QTest::newRow("-40") << -40 << 10;
    QTest::newRow("-20") << -20 << 10;
}

void tst_ConnectionModel::signalStrength()
{
    QFETCH(int, dBm);
    QFETCH(int, strength);

    QCOMPARE(ConnectionModel::signalStrengthFromLevel(dBm), strength);

    // The same through a scan.
    ConnectionModel model;
    syncSystemBus();
    QSignalSpy stopped(&model, &ConnectionModel::scanStopped);
    emitResults(resultArguments({{"Net", dBm, 0, 0x1}}));
    QVERIFY(stopped.wait());
    QCOMPARE(model.index(0, ConnectionModel::SignalStrengthColumn).data().toInt(), strength);
    QCOMPARE(model.index(0, ConnectionModel::RankingColumn).data().toInt(), strength + 1);
}

void tst_ConnectionModel::rankingOrder()
{
    ConnectionModel model;
    syncSystemBus();
    QSignalSpy stopped(&model, &ConnectionModel::scanStopped);
    // Equal strengths sort by SSID, whatever the case; stronger ones first.
    emitResults(resultArguments({{"bravo", -70, 0, 0x1},
                                 {"Charlie", -40, 0, 0x1},
                                 {"alpha", -70, 0, 0x1},
                                 {"Delta", -69, 0, 0x1},
                                 {"Echo", -100, 0, 0x1}}));
    QVERIFY(stopped.wait());
    QCOMPARE(rowTexts(model), (QStringList{QStringLiteral("Charlie"), QStringLiteral("alpha"), QStringLiteral("bravo"),
                                           QStringLiteral("Delta"), QStringLiteral("Echo")}));
    int previous = std::numeric_limits<int>::max();
    for (int row = 0; row < model.rowCount(); ++row) {
        const int ranking = model.index(row, ConnectionModel::RankingColumn).data().toInt();
        QVERIFY(ranking > 0);
        QVERIFY(ranking <= previous);
        previous = ranking;
    }
}

void tst_ConnectionModel::savedAndFound()
{
    save("Home", QStringLiteral("WLAN_INFRA"), 0x21);
    save("Away / Cabin", QStringLiteral("WLAN_ADHOC"), 0x12);
    save("Caf\xe9");

    // Before any scan: the saved networks, none found.
    ConnectionModel model;
    QCOMPARE(model.rowCount(), 3);
    for (int row = 0; row < model.rowCount(); ++row) {
        QVERIFY(rowAt(model, row).saved);
        QVERIFY(!rowAt(model, row).found);
        QCOMPARE(rowAt(model, row).strength, 0);
        QCOMPARE(rowAt(model, row).ranking, 1);
    }

    syncSystemBus();
    QSignalSpy stopped(&model, &ConnectionModel::scanStopped);
    emitResults(resultArguments({{"Home", -52, 0x21, 0x41}, {"Stranger", -60, 0, 0x1}, {"Caf\xe9", -90, 0, 0x1}}));
    QVERIFY(stopped.wait());

    QCOMPARE(model.rowCount(), 4);
    QMap<QString, RowView> rows;
    for (int row = 0; row < model.rowCount(); ++row)
        rows.insert(rowAt(model, row).text, rowAt(model, row));
    QVERIFY(rows.value(QStringLiteral("Home")).saved);
    QVERIFY(rows.value(QStringLiteral("Home")).found);
    QVERIFY(!rows.value(QStringLiteral("Stranger")).saved);
    QVERIFY(rows.value(QStringLiteral("Stranger")).found);
    QVERIFY(rows.value(QString::fromLatin1("Caf\xe9")).saved);
    QVERIFY(rows.value(QString::fromLatin1("Caf\xe9")).found);
    QVERIFY(rows.value(QStringLiteral("Away / Cabin")).saved);
    QVERIFY(!rows.value(QStringLiteral("Away / Cabin")).found);

    // A saved network that was not found carries its saved data list.
    const int awayRow = rowTexts(model).indexOf(QStringLiteral("Away / Cabin"));
    QCOMPARE(awayRow, 3);
    const ScanResult away = model.connectionsAt(awayRow).first();
    QCOMPARE(away.id(), QByteArray("Away / Cabin"));
    QCOMPARE(away.networkType(), QStringLiteral("WLAN_ADHOC"));
    QCOMPARE(away.configuration(), wlanData("Away / Cabin", QStringLiteral("WLAN_ADHOC"), 0x12));

    // Forgetting shows at the next refresh.
    QVERIFY(InternetAccessPoint(wlanData("Home")).forget());
    model.refresh();
    QCOMPARE(model.rowCount(), 4);
    QVERIFY(!model.connectionsAt(rowTexts(model).indexOf(QStringLiteral("Home"))).first().isSaved());
}

void tst_ConnectionModel::foundConnectionsMode()
{
    save("Remembered");
    save("Both");
    ConnectionModel model;
    syncSystemBus();
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setFoundConnectionsMode();
    QVERIFY(model.isFoundConnectionsMode());
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 0);

    QSignalSpy stopped(&model, &ConnectionModel::scanStopped);
    emitResults(resultArguments({{"Both", -60, 0, 0x1}, {"New", -50, 0, 0x1}}));
    QVERIFY(stopped.wait());
    QCOMPARE(rowTexts(model), (QStringList{QStringLiteral("New"), QStringLiteral("Both")}));
    QVERIFY(rowAt(model, 1).saved);
    QVERIFY(!rowAt(model, 0).saved);
}

void tst_ConnectionModel::resultsReplaceEarlierOnes()
{
    ConnectionModel model;
    syncSystemBus();
    QSignalSpy stopped(&model, &ConnectionModel::scanStopped);
    emitResults(resultArguments({{"First", -60, 0, 0x1}, {"Second", -50, 0, 0x1}}));
    QVERIFY(stopped.wait());
    QCOMPARE(model.rowCount(), 2);
    emitResults(resultArguments({{"Third", -60, 0, 0x1}}));
    QVERIFY(stopped.wait());
    QCOMPARE(rowTexts(model), QStringList{QStringLiteral("Third")});
    emitResults(resultArguments({}));
    QVERIFY(stopped.wait());
    QCOMPARE(model.rowCount(), 0);
}

void tst_ConnectionModel::resultsWithoutScanRequest()
{
    // Another client's scan: every listener takes the results.
    ConnectionModel model;
    syncSystemBus();
    QSignalSpy stopped(&model, &ConnectionModel::scanStopped);
    QSignalSpy scanning(&model, &ConnectionModel::scanningChanged);
    emitResults(resultArguments({{"Somebody's", -60, 0, 0x1}}));
    QVERIFY(stopped.wait());
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(scanning.count(), 0);
    QCOMPARE(m_daemon->callCount(QStringLiteral("scan")), 0);
}

void tst_ConnectionModel::resultsFromAnotherSenderIgnored()
{
    ConnectionModel model;
    FakeDBusService impostor(FakeDBusService::SystemBus, QStringLiteral("com.velin.test.impostor"));
    QVERIFY(impostor.isRegistered());
    syncSystemBus();
    QSignalSpy stopped(&model, &ConnectionModel::scanStopped);
    QVERIFY(impostor.emitSignal(signalPath, signalInterface, QStringLiteral("scan_results"),
                                resultArguments({{"Fake", -40, 0, 0x1}})));
    // The daemon's own signal afterwards arrives; the impostor's did not.
    emitResults(resultArguments({{"Real", -60, 0, 0x1}}));
    QVERIFY(stopped.wait());
    QCOMPARE(stopped.count(), 1);
    QCOMPARE(rowTexts(model), QStringList{QStringLiteral("Real")});
}

void tst_ConnectionModel::scanErrorReply()
{
    m_daemon->setError(QStringLiteral("scan"), QStringLiteral("com.qorva.skylard.Error.InvalidArguments"),
                       QStringLiteral("power out of range"));
    ConnectionModel model;
    QSignalSpy errors(&model, &ConnectionModel::scanError);
    QSignalSpy stopped(&model, &ConnectionModel::scanStopped);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("scan request failed: "
                                                                         "com.qorva.skylard.Error.InvalidArguments")));
    model.startScan();
    QVERIFY(errors.wait());
    QCOMPARE(errors.count(), 1);
    QCOMPARE(stopped.count(), 0);
    QVERIFY(!model.isScanning());
    QVERIFY(!model.findChild<QTimer*>(QStringLiteral("scanTimeout"))->isActive());
}

void tst_ConnectionModel::ignoredScanRequest()
{
    m_daemon->setSilent(QStringLiteral("scan"));
    ConnectionModel model;
    QTimer* timeout = model.findChild<QTimer*>(QStringLiteral("scanTimeout"));
    QVERIFY(timeout);
    QCOMPARE(timeout->interval(), 10000);
    QVERIFY(timeout->isSingleShot());
    timeout->setInterval(100);

    QSignalSpy errors(&model, &ConnectionModel::scanError);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no scan results within 100 ms")));
    model.startScan();
    QVERIFY(timeout->isActive());
    QVERIFY(errors.wait());
    QCOMPARE(errors.count(), 1);
    QVERIFY(!model.isScanning());

    // Results that come after all still fill the rows.
    syncSystemBus();
    QSignalSpy stopped(&model, &ConnectionModel::scanStopped);
    emitResults(resultArguments({{"Late", -60, 0, 0x1}}));
    QVERIFY(stopped.wait());
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(errors.count(), 1);
}

void tst_ConnectionModel::lateErrorAfterTimeout()
{
    m_daemon->setSilent(QStringLiteral("scan"));
    ConnectionModel model;
    QTimer* timeout = model.findChild<QTimer*>(QStringLiteral("scanTimeout"));
    timeout->setInterval(100);
    QSignalSpy errors(&model, &ConnectionModel::scanError);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no scan results within")));
    model.startScan();
    QTRY_COMPARE(m_daemon->callCount(QStringLiteral("scan")), 1);
    const FakeDBusService::Call first = m_daemon->lastCall();
    QVERIFY(errors.wait());

    // A second scan is running when the first one's error finally comes: it
    // does not end the second.
    m_daemon->clearCalls();
    timeout->setInterval(10000);
    model.startScan();
    QTRY_COMPARE(m_daemon->callCount(QStringLiteral("scan")), 1);
    const FakeDBusService::Call second = m_daemon->lastCall();
    QVERIFY(m_daemon->answerWithError(first, QStringLiteral("com.qorva.skylard.Error.Failed"), QString()));
    QVERIFY(m_daemon->answer(second, {}));

    // Both answers reach the model before the results that follow them; had
    // the late error ended the second scan, scanError() would have come again.
    QSignalSpy stopped(&model, &ConnectionModel::scanStopped);
    QVERIFY(model.isScanning());
    emitResults(resultArguments({{"Done", -60, 0, 0x1}}));
    QVERIFY(stopped.wait());
    QVERIFY(!model.isScanning());
    QCOMPARE(errors.count(), 1);
}

void tst_ConnectionModel::malformedResults_data()
{
    QTest::addColumn<QList<QVariant>>("arguments");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<QStringList>("rows"); // empty + stopped false: ignored entirely
    QTest::addColumn<bool>("refreshed");

    const QList<QVariant> two = resultArguments({{"One", -50, 0, 0x1}, {"Two", -60, 0, 0x1}});

    QList<QVariant> args = two;
    args[0] = 9;
    QTest::newRow("count larger than arguments")
        << args << QStringList{QStringLiteral("announces 9 entries but carries 2")}
        << QStringList{QStringLiteral("One"), QStringLiteral("Two")} << true;

    args = two;
    args[0] = 1;
    QTest::newRow("count smaller than arguments")
        << args << QStringList{QStringLiteral("carries 2 entries but announces 1")} << QStringList{QStringLiteral("One")}
        << true;

    args = two;
    args.removeLast();
    QTest::newRow("incomplete entry")
        << args
        << QStringList{QStringLiteral("incomplete entry"), QStringLiteral("announces 2 entries but carries 1")}
        << QStringList{QStringLiteral("One")} << true;

    args = two;
    args[0] = QStringLiteral("2");
    QTest::newRow("count a string") << args << QStringList{QStringLiteral("without an entry count")} << QStringList()
                                    << false;

    QTest::newRow("no arguments") << QList<QVariant>() << QStringList{QStringLiteral("without an entry count")}
                                  << QStringList() << false;

    args = two;
    args[0] = -3;
    QTest::newRow("negative count") << args << QStringList{QStringLiteral("negative entry count -3")}
                                    << QStringList() << false;

    args = two;
    args[1] = QStringLiteral("One");
    QTest::newRow("ssid a string") << args
                                   << QStringList{QStringLiteral("entry 0 with arguments (QString, QString, int, uint, uint)")}
                                   << QStringList{QStringLiteral("Two")} << true;

    args = two;
    args[8] = QStringLiteral("-60");
    QTest::newRow("level a string") << args << QStringList{QStringLiteral("entry 1 with arguments")}
                                    << QStringList{QStringLiteral("One")} << true;

    args = two;
    args[10] = 2.5;
    QTest::newRow("capability a double") << args << QStringList{QStringLiteral("entry 1 with arguments")}
                                         << QStringList{QStringLiteral("One")} << true;

    args = resultArguments({{QByteArray(40, 'x'), -50, 0, 0x1}, {"Fine", -50, 0, 0x1}});
    QTest::newRow("ssid too long") << args << QStringList{QStringLiteral("40-byte SSID")}
                                   << QStringList{QStringLiteral("Fine")} << true;

    args = resultArguments({{QByteArray(), -50, 0, 0x1}, {QByteArray("Pad\0\0", 5), -55, 0, 0x1}});
    QTest::newRow("hidden and padded") << args << QStringList() << QStringList{QStringLiteral("Pad")} << true;
}

void tst_ConnectionModel::malformedResults()
{
    QFETCH(QList<QVariant>, arguments);
    QFETCH(QStringList, warnings);
    QFETCH(QStringList, rows);
    QFETCH(bool, refreshed);

    ConnectionModel model;
    syncSystemBus();
    QSignalSpy stopped(&model, &ConnectionModel::scanStopped);
    for (const QString& warning : qAsConst(warnings))
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(warning)));
    emitResults(arguments);
    // A well-formed signal after it shows that the first one was handled.
    emitResults(resultArguments({{"Marker", -99, 0, 0x1}}));
    QVERIFY(stopped.wait());
    if (refreshed)
        QTRY_COMPARE(stopped.count(), 2);
    else
        QCOMPARE(stopped.count(), 1);
    QCOMPARE(rowTexts(model), QStringList{QStringLiteral("Marker")});

    // And what the malformed signal alone gives.
    if (refreshed) {
        for (const QString& warning : qAsConst(warnings))
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(warning)));
        emitResults(arguments);
        QVERIFY(stopped.wait());
        QCOMPARE(rowTexts(model), rows);
    }
}

void tst_ConnectionModel::noSystemBus()
{
    ConnectionModel model;
    delete m_daemon;
    m_daemon = nullptr;
    QVERIFY(PrivateBus::instance());
    PrivateBus::instance()->stop(PrivateBus::SystemBus);
    QTRY_VERIFY(!QDBusConnection::systemBus().isConnected());

    QSignalSpy errors(&model, &ConnectionModel::scanError);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("system bus is not connected; cannot scan")));
    model.startScan();
    // Reported after startScan() returns.
    QCOMPARE(errors.count(), 0);
    QVERIFY(errors.wait());
    QCOMPARE(errors.count(), 1);
    QVERIFY(!model.isScanning());

    // Made without a bus: works from the settings store alone.
    save("Offline");
    const ConnectionModel late;
    QCOMPARE(late.rowCount(), 1);
}

VELIN_TEST_MAIN_WITH_BUS(tst_ConnectionModel)

#include "tst_connectionmodel.moc"
