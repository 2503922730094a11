// What a refresh of the connection list costs per network, as the framework
// asks the plug-in: filter each scan result, pick its two icons, and for the
// saved ones decide whether to connect by itself (which opens the network's
// saved settings and builds an EAP catalogue). 1,000 networks, 100 saved,
// against a real settings database. The goal: a refresh of 1,000 networks
// fits into one 60 Hz frame (16.7 ms).
#include "net/internetaccesspointtypeinterface.h"
#include "net/scanresult.h"

#include "dconffixture.h"
#include "privatebus.h"

#include <QFile>
#include <QPluginLoader>
#include <QtTest>

using Velin::ScanResult;

namespace {

const int networkCount = 1000;
const int savedEvery = 10; // 100 of 1,000

// A spread of security nibbles (attributes bits 3-6) and WPS bits.
const uint attributeWords[] = {0x0, 0x10, 0x20, 0x40, 0x38, 0x58, 0xF020, 0x80};
const char* const savedSecurity[] = {"NONE", "WPA_PSK", "WPA_EAP", "WAI_certificate", "WEP"};

} // namespace

class BenchAccessPointType : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void filterScanResult();
    void securityImageName();
    void bearerImageName();
    void isAutoconnectableSaved();
    void isAutoconnectableAll();
    void refresh();

private:
    QPluginLoader m_loader{QStringLiteral(VELIN_WLANTYPE_PLUGIN)};
    InternetAccessPointTypeInterface* m_type = nullptr;
    QList<ScanResult> m_results;
    DconfFixture m_store;
};

void BenchAccessPointType::initTestCase()
{
    m_type = qobject_cast<InternetAccessPointTypeInterface*>(m_loader.instance());
    QVERIFY2(m_type, qPrintable(m_loader.errorString()));

    // The shipped EAP catalogue plus the saved settings of every tenth network.
    QFile keyfile(QStringLiteral(VELIN_WLAN_KEYFILE));
    QVERIFY(keyfile.open(QIODevice::ReadOnly));
    QString contents = QString::fromUtf8(keyfile.readAll());

    for (int i = 0; i < networkCount; ++i) {
        const QByteArray ssid = QStringLiteral("Network %1").arg(i, 4, 10, QLatin1Char('0')).toLatin1();
        const bool saved = i % savedEvery == 0;
        ScanResult result;
        result.setId(ssid);
        result.setSaved(saved);
        result.setFound(true);
        result.setNetworkType(i % 7 == 0 ? QStringLiteral("WLAN_ADHOC") : QStringLiteral("WLAN_INFRA"));
        result.setSignalStrength(i % 11);
        result.setConfiguration({QStringLiteral("WLAN"), 0u, QString(), result.networkType(),
                                 attributeWords[i % (sizeof attributeWords / sizeof *attributeWords)], ssid});
        m_results.append(result);

        if (saved) {
            const char* security = savedSecurity[(i / savedEvery) % (sizeof savedSecurity / sizeof *savedSecurity)];
            contents += QStringLiteral("\n[system/ravo/connectivity/wlan/Network%20%1]\nwlan_security='%2'\n")
                            .arg(i, 4, 10, QLatin1Char('0'))
                            .arg(QLatin1String(security));
            if (qstrcmp(security, "WPA_EAP") == 0)
                contents += QStringLiteral("PEAP_tunneled_eap_type=26\nEAP_MSCHAPV2_password_prompt=false\n");
        }
    }
    QVERIFY(m_store.loadKeyfile(contents));

    // The data is what it claims to be: saved settings are found.
    int autoconnectable = 0;
    for (const ScanResult& result : qAsConst(m_results))
        autoconnectable += result.isSaved() && m_type->isAutoconnectable(result);
    QVERIFY(autoconnectable > 0 && autoconnectable < networkCount / savedEvery);
}

void BenchAccessPointType::filterScanResult()
{
    int kept = 0;
    QBENCHMARK {
        kept = 0;
        for (const ScanResult& result : qAsConst(m_results))
            kept += m_type->filterScanResult(result).isValid();
    }
    QVERIFY(kept > 0 && kept < networkCount);
}

void BenchAccessPointType::securityImageName()
{
    int withIcon = 0;
    QBENCHMARK {
        withIcon = 0;
        for (const ScanResult& result : qAsConst(m_results))
            withIcon += !m_type->securityImageName(result.configuration()).isEmpty();
    }
    QVERIFY(withIcon > 0);
}

void BenchAccessPointType::bearerImageName()
{
    int length = 0;
    QBENCHMARK {
        length = 0;
        for (const ScanResult& result : qAsConst(m_results))
            length += m_type->bearerImageName(result.configuration(), result.signalStrength()).size();
    }
    QVERIFY(length > 0);
}

void BenchAccessPointType::isAutoconnectableSaved()
{
    int yes = 0;
    QBENCHMARK {
        yes = 0;
        for (const ScanResult& result : qAsConst(m_results)) {
            if (result.isSaved())
                yes += m_type->isAutoconnectable(result);
        }
    }
    QVERIFY(yes > 0);
}

void BenchAccessPointType::isAutoconnectableAll()
{
    int yes = 0;
    QBENCHMARK {
        yes = 0;
        for (const ScanResult& result : qAsConst(m_results))
            yes += m_type->isAutoconnectable(result);
    }
    QVERIFY(yes > 0);
}

void BenchAccessPointType::refresh()
{
    int shown = 0;
    QBENCHMARK {
        shown = 0;
        for (const ScanResult& result : qAsConst(m_results)) {
            const ScanResult kept = m_type->filterScanResult(result);
            if (!kept.isValid())
                continue;
            const QString security = m_type->securityImageName(kept.configuration());
            const QString bearer = m_type->bearerImageName(kept.configuration(), kept.signalStrength());
            const bool automatic = kept.isSaved() && m_type->isAutoconnectable(kept);
            shown += !bearer.isEmpty() + automatic + security.isEmpty();
        }
    }
    QVERIFY(shown > 0);
}

VELIN_TEST_GUILESS_MAIN_WITH_BUS(BenchAccessPointType)
#include "bench_accesspointtype.moc"
