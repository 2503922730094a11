// The framework host around the loaded plug-in: what it saves, what its
// status line says, and a tap while a preparation runs. The simulated
// daemons on a private bus; the sheets answered through the window.
#include "../wlantype/sheetuser.h"

#include "frameworkhost.h"

#include "dconffixture.h"
#include "platformsimfixture.h"
#include "privatebus.h"
#include "windowfixture.h"

#include "net/internetaccesspoint.h"
#include "net/internetaccesspointtypeinterface.h"

#include <QFile>
#include <QPluginLoader>
#include <QTemporaryDir>
#include <QtTest>

using Velin::InternetAccessPoint;

namespace {

const char homeKey[] = "3f9c2b7e1d4a58c06e2f91b3a7d4c8e05b6a1f2d3c4e5f60718293a4b5c6d7e8";

const char networks[] = R"({"networks": [
    {"ssid": "Library", "security": "WEP", "credentials": {"wlan_wepkey1": "a1b2c3d4e5"}},
    {"ssid": "Office", "security": "WPA_PSK", "wps": true,
     "credentials": {"EAP_wpa_preshared_passphrase": "office-passphrase"}},
    {"ssid": "Home", "security": "WPA_PSK", "credentials": {"EAP_wpa_preshared_key":
     {"hex": "3f9c2b7e1d4a58c06e2f91b3a7d4c8e05b6a1f2d3c4e5f60718293a4b5c6d7e8"}}}
]})";

// A tapped entry of an unsaved network, as the connection list gives it.
FrameworkHost::Entry entry(const QString& label, const QVariantList& data)
{
    FrameworkHost::Entry e;
    e.label = label;
    e.data = data;
    return e;
}

FrameworkHost::Entry network(const QString& ssid, uint attributes)
{
    return entry(ssid, {QString(), 0u, QString(), QStringLiteral("WLAN_INFRA"), attributes,
                        QByteArray(ssid.toLatin1() + '\0')});
}

} // namespace

class tst_FrameworkHost : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void savedOnceConnected_data();
    void savedOnceConnected();
    void tapWhilePreparing();

private:
    // Taps and plays the sheets; the status once the host is done.
    QString tap(const FrameworkHost::Entry& tapped, const QStringList& script, QStringList* failures);

    QPluginLoader m_loader{QStringLiteral(VELIN_WLANTYPE_PLUGIN)};
    InternetAccessPointTypeInterface* m_type = nullptr;
    DconfFixture m_store;
    QTemporaryDir m_files;
    PlatformSimFixture m_sim;
    QScopedPointer<WindowFixture> m_fx;
    QScopedPointer<FrameworkHost> m_host;
};

void tst_FrameworkHost::initTestCase()
{
    m_store.setUserDatabaseEnabled(true);
    QVERIFY(m_store.load({{QStringLiteral("/system/ravo/connectivity/ui/unused"), 0}}));
    qputenv("CANBERRA_DRIVER", "velin-no-such-driver");
    qputenv("VELIN_WLAN_KEY_FILE", QFile::encodeName(m_files.filePath(QStringLiteral("no-key-file"))));
    m_sim.setNetworks(networks);
    m_sim.setSaveSettings(true);
    m_sim.setExtraArguments({QStringLiteral("--scan-delay"), QStringLiteral("20"), QStringLiteral("--connect-delay"),
                             QStringLiteral("20")});
    QVERIFY(m_sim.start());
    m_type = qobject_cast<InternetAccessPointTypeInterface*>(m_loader.instance());
    QVERIFY2(m_type, qPrintable(m_loader.errorString()));
}

void tst_FrameworkHost::init()
{
    m_fx.reset(new WindowFixture);
    m_host.reset(new FrameworkHost(m_type));
    // Past the run's 5 s settle delay and its scan, within tap()'s wait.
    auto wpsTimeout = m_host->findChild<QTimer*>(QStringLiteral("wpsConnectionTimeout"));
    QVERIFY(wpsTimeout);
    wpsTimeout->setInterval(9000);
}

void tst_FrameworkHost::cleanup()
{
    m_host.reset();
    QVERIFY(m_sim.setScanMode(QStringLiteral("answer")));
    for (const QString& id : InternetAccessPoint::savedIds())
        InternetAccessPoint::loadSaved(id).forget();
    QTest::qWait(50);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fx.reset();
}

QString tst_FrameworkHost::tap(const FrameworkHost::Entry& tapped, const QStringList& script, QStringList* failures)
{
    SheetUser user(m_fx.data(), &m_sim, script);
    m_host->activate(tapped);
    if (!QTest::qWaitFor([&] { return user.done() && !m_host->isBusy() && !m_host->isPreparing(); }, 10000))
        user.failures << QStringLiteral("the host did not finish");
    // A WPS run goes on after the exchange: the host follows it.
    if (!QTest::qWaitFor([this] { return !m_host->status().endsWith(QChar(0x2026)); }, 15000))
        user.failures << QStringLiteral("the host is still connecting");
    *failures += user.failures;
    return m_host->status();
}

void tst_FrameworkHost::savedOnceConnected_data()
{
    QTest::addColumn<QList<QStringList>>("taps"); // the sheets of each tap on the network
    QTest::addColumn<FrameworkHost::Entry>("tapped");
    QTest::addColumn<QStringList>("statuses");
    QTest::addColumn<bool>("saved");

    const FrameworkHost::Entry home = network("Home", 0x21);
    const QStringList wrong = {"WpaPskSheet: type not-the-passphrase; accept"};
    QTest::newRow("wrong passphrase") << QList<QStringList>{wrong} << home
                                      << QStringList{"Could not connect to Home (wrong-credentials)"} << false;
    // What the first preparation set must not reach the second.
    QTest::newRow("wrong passphrase, then the 64-hex key")
        << QList<QStringList>{wrong, {"WpaPskSheet: type " + QString(homeKey) + "; accept"}} << home
        << QStringList{"Could not connect to Home (wrong-credentials)", "Connected to Home"} << true;
    QTest::newRow("WPS push button that fails")
        << QList<QStringList>{{"WpsMethodSelectionSheet: failnext timeout; click NormalMethodButton",
                               "WifiProtectedSetupSheet: accept"}}
        << network("Office", 0xF021) << QStringList{"Could not connect to Office (timeout)"} << false;
    // The exchange works, but the run's scan fails: no connection is tried.
    QTest::newRow("WPS push button, nothing to connect to after the exchange")
        << QList<QStringList>{{"WpsMethodSelectionSheet: click NormalMethodButton",
                               "WifiProtectedSetupSheet: scanmode error; accept"}}
        << network("Office", 0xF021) << QStringList{"Office: not connected"} << true;
    QTest::newRow("WPS push button") << QList<QStringList>{{"WpsMethodSelectionSheet: click NormalMethodButton",
                                                            "WifiProtectedSetupSheet: accept"}}
                                     << network("Office", 0xF021) << QStringList{"Connected to Office"} << true;
    // Nothing the user did: the status does not claim a cancel.
    QTest::newRow("nothing the plug-in can prepare")
        << QList<QStringList>{{}}
        << entry("Broken", {QString(), 0u, QString(), QStringLiteral("WLAN_INFRA"), 0x21u})
        << QStringList{"Broken: not connected"} << false;
    QTest::newRow("cancelled") << QList<QStringList>{{"WpaPskSheet: reject"}} << home
                               << QStringList{"Home: not connected"} << false;
}

void tst_FrameworkHost::savedOnceConnected()
{
    QFETCH(QList<QStringList>, taps);
    QFETCH(FrameworkHost::Entry, tapped);
    QFETCH(QStringList, statuses);
    QFETCH(bool, saved);

    QStringList failures;
    QStringList shown;
    for (const QStringList& script : taps) {
        shown << tap(tapped, script, &failures);
    }
    QCOMPARE(failures, QStringList());
    QCOMPARE(shown, statuses);
    const QString id = QString::fromLatin1(tapped.data.value(5).toByteArray()).remove(QChar(0));
    QCOMPARE(InternetAccessPoint::savedIds().contains(id), saved);
}

void tst_FrameworkHost::tapWhilePreparing()
{
    Warnings warnings;
    QStringList failures;
    SheetUser user(m_fx.data(), &m_sim, {"WpaPskSheet: tap Library; type " + QString(homeKey) + "; accept"});
    user.extraAction = [this](const QString& verb, const QString& argument) {
        if (verb != QLatin1String("tap"))
            return false;
        m_host->activate(network(argument, 0x11));
        return true;
    };
    m_host->activate(network("Home", 0x21));
    QVERIFY(QTest::qWaitFor([&] { return !m_host->isBusy() && !m_host->isPreparing(); }, 10000));
    QCOMPARE(user.failures, QStringList());
    // No WEP sheet came up inside the WPA-PSK one.
    QCOMPARE(user.seen, QStringList{"WpaPskSheet"});
    QCOMPARE(m_host->status(), QStringLiteral("Connected to Home"));
    QCOMPARE(warnings.count("the tap on Library is ignored"), 1);
}

VELIN_TEST_MAIN_WITH_BUS(tst_FrameworkHost)

#include "tst_frameworkhost.moc"
