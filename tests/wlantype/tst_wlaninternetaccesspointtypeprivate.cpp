// How the plug-in unpacks the framework's data lists.
#include "wlantype/wlaninternetaccesspointtype.h"
#include "wlantype/wlaninternetaccesspointtype_p.h"

#include <QtTest>

using Velin::WLANInternetAccessPointType;
using Velin::WLANInternetAccessPointTypePrivate;

namespace {

// What the out-parameters hold before a call, so that "untouched" shows.
const QString untouchedText = QStringLiteral("untouched");
const uint untouchedWord = 0xDEADBEEF;
const QByteArray untouchedBytes("untouched");

} // namespace

class tst_WLANInternetAccessPointTypePrivate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void companionIsChildOfType();
    void dataToVariables_data();
    void dataToVariables();
    void wrongLengthLeavesOutputsUntouched_data();
    void wrongLengthLeavesOutputsUntouched();
};

void tst_WLANInternetAccessPointTypePrivate::companionIsChildOfType()
{
    QPointer<WLANInternetAccessPointTypePrivate> companion;
    {
        WLANInternetAccessPointType type;
        const auto companions = type.findChildren<WLANInternetAccessPointTypePrivate*>();
        QCOMPARE(companions.size(), 1);
        companion = companions.first();
        QCOMPARE(companion->q, &type);
    }
    QVERIFY(companion.isNull());
}

void tst_WLANInternetAccessPointTypePrivate::dataToVariables_data()
{
    QTest::addColumn<QList<QVariant>>("data");
    QTest::addColumn<bool>("unpacks");
    QTest::addColumn<QString>("serviceType");
    QTest::addColumn<uint>("serviceAttributes");
    QTest::addColumn<QString>("serviceId");
    QTest::addColumn<QString>("networkType");
    QTest::addColumn<uint>("networkAttributes");
    QTest::addColumn<QByteArray>("networkId");
    QTest::addColumn<QString>("warning");

    const QByteArray ssid("Office");
    for (const char* type : {"WLAN_INFRA", "WLAN_ADHOC", "WLAN_HIDDEN", "WLAN_NEW"}) {
        QTest::newRow(type) << QList<QVariant>{QStringLiteral("WLAN"), 7u, QStringLiteral("svc"), QString::fromLatin1(type),
                                               0xFF001234u, ssid}
                            << true << "WLAN" << 7u << "svc" << type << 0xFF001234u << ssid << QString();
    }
    // Filled, but not one of ours.
    QTest::newRow("unknown type") << QList<QVariant>{QString(), 0u, QString(), QStringLiteral("GPRS"), 0x10u, ssid}
                                  << false << "" << 0u << "" << "GPRS" << 0x10u << ssid << "\"GPRS\" is not";
    QTest::newRow("type in lower case")
        << QList<QVariant>{QString(), 0u, QString(), QStringLiteral("wlan_infra"), 0u, ssid}
        << false << "" << 0u << "" << "wlan_infra" << 0u << ssid << "wlan_infra";
    // Ids are bytes: NULs stay, a trailing one included.
    const QByteArray withNuls("\0a\0", 3);
    QTest::newRow("NUL bytes") << QList<QVariant>{QString(), 0u, QString(), QStringLiteral("WLAN_INFRA"), 0u, withNuls}
                               << true << "" << 0u << "" << "WLAN_INFRA" << 0u << withNuls << QString();
    // The fixed entries carry their label as text.
    QTest::newRow("text id") << QList<QVariant>{QString(), 0, QString(), QStringLiteral("WLAN_NEW"), 0,
                                                QString::fromUtf8("Caf\xc3\xa9")}
                             << true << "" << 0u << "" << "WLAN_NEW" << 0u << QByteArray("Caf\xc3\xa9") << QString();
    // Numbers in other integer types are read as words.
    QTest::newRow("signed and long numbers")
        << QList<QVariant>{QString(), qlonglong(3), QString(), QStringLiteral("WLAN_INFRA"), int(0x40), ssid}
        << true << "" << 3u << "" << "WLAN_INFRA" << 0x40u << ssid << QString();
    QTest::newRow("attributes as text")
        << QList<QVariant>{QString(), 0u, QString(), QStringLiteral("WLAN_INFRA"), QStringLiteral("WPA"), ssid}
        << true << "" << 0u << "" << "WLAN_INFRA" << 0u << ssid << "entry 4 .*QString.*not a number";
    QTest::newRow("id of the wrong type")
        << QList<QVariant>{QString(), 0u, QString(), QStringLiteral("WLAN_INFRA"), 0u, QVariantList{1, 2}}
        << true << "" << 0u << "" << "WLAN_INFRA" << 0u << QByteArray() << "entry 5 .*not a network id";
    QTest::newRow("service attributes missing")
        << QList<QVariant>{QString(), QVariant(), QString(), QStringLiteral("WLAN_INFRA"), 0u, ssid}
        << true << "" << 0u << "" << "WLAN_INFRA" << 0u << ssid << "entry 1 .*not a number";
}

void tst_WLANInternetAccessPointTypePrivate::dataToVariables()
{
    QFETCH(QList<QVariant>, data);
    QFETCH(bool, unpacks);
    QFETCH(QString, serviceType);
    QFETCH(uint, serviceAttributes);
    QFETCH(QString, serviceId);
    QFETCH(QString, networkType);
    QFETCH(uint, networkAttributes);
    QFETCH(QByteArray, networkId);
    QFETCH(QString, warning);

    WLANInternetAccessPointType type;
    auto companion = type.findChild<WLANInternetAccessPointTypePrivate*>();
    QVERIFY(companion);

    QString outServiceType = untouchedText, outServiceId = untouchedText, outNetworkType = untouchedText;
    uint outServiceAttributes = untouchedWord, outNetworkAttributes = untouchedWord;
    QByteArray outNetworkId = untouchedBytes;
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    QCOMPARE(companion->dataToVariables(data, outServiceType, outServiceAttributes, outServiceId, outNetworkType,
                                        outNetworkAttributes, outNetworkId),
             unpacks);
    QCOMPARE(outServiceType, serviceType);
    QCOMPARE(outServiceAttributes, serviceAttributes);
    QCOMPARE(outServiceId, serviceId);
    QCOMPARE(outNetworkType, networkType);
    QCOMPARE(QString::number(outNetworkAttributes, 16), QString::number(networkAttributes, 16));
    QCOMPARE(outNetworkId, networkId);
}

void tst_WLANInternetAccessPointTypePrivate::wrongLengthLeavesOutputsUntouched_data()
{
    QTest::addColumn<QList<QVariant>>("data");

    const QList<QVariant> six{QStringLiteral("WLAN"), 1u, QStringLiteral("svc"), QStringLiteral("WLAN_INFRA"), 0x10u,
                              QByteArray("Office")};
    QTest::newRow("empty") << QList<QVariant>();
    QTest::newRow("five") << six.mid(0, 5);
    QTest::newRow("seven") << (six + QList<QVariant>{QByteArray("more")});
    QTest::newRow("twelve") << (six + six);
}

void tst_WLANInternetAccessPointTypePrivate::wrongLengthLeavesOutputsUntouched()
{
    QFETCH(QList<QVariant>, data);

    WLANInternetAccessPointType type;
    auto companion = type.findChild<WLANInternetAccessPointTypePrivate*>();
    QVERIFY(companion);

    QString serviceType = untouchedText, serviceId = untouchedText, networkType = untouchedText;
    uint serviceAttributes = untouchedWord, networkAttributes = untouchedWord;
    QByteArray networkId = untouchedBytes;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("has %1 entries, not 6").arg(data.size())));
    QVERIFY(!companion->dataToVariables(data, serviceType, serviceAttributes, serviceId, networkType,
                                        networkAttributes, networkId));
    QCOMPARE(serviceType, untouchedText);
    QCOMPARE(serviceAttributes, untouchedWord);
    QCOMPARE(serviceId, untouchedText);
    QCOMPARE(networkType, untouchedText);
    QCOMPARE(networkAttributes, untouchedWord);
    QCOMPARE(networkId, untouchedBytes);
}

QTEST_GUILESS_MAIN(tst_WLANInternetAccessPointTypePrivate)
#include "tst_wlaninternetaccesspointtypeprivate.moc"
