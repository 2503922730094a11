#include "wlanui/model/wlanproperties.h"
#include "wlanui/model/wlansecurity.h"

#include "net/internetaccesspoint.h"

#include <QtTest>

using Velin::InternetAccessPoint;
using Velin::WlanSecurity;

namespace {

// Where each single bit of one word lands in the other word (0: dropped).
// Written out bit by bit so that a shift or a mask off by one shows up as the
// one bit that moved.
const uint attributeBitToCapability[32] = {
    0x1, 0x2, 0x4,                                   // bits 0-2: mode, unchanged
    0x10, 0x20, 0x40, 0x80,                          // bits 3-6: security nibble
    0x100,                                           // bit 7
    0x10000000, 0x20000000, 0x40000000, 0x80000000,  // bits 8-11: top field
    0x200, 0x400, 0x800, 0x1000,                     // bits 12-15: WPS
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,           // bits 16-28
    0x8,                                             // bit 29
    0, 0};                                           // bits 30-31

const uint capabilityBitToAttribute[32] = {
    0x1, 0x2, 0x4,                 // bits 0-2
    0,                             // bit 3 is not carried back
    0x8, 0x10, 0x20, 0x40,         // bits 4-7
    0x80,                          // bit 8
    0x1000, 0x2000, 0x4000, 0x8000, // bits 9-12
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // bits 13-27
    0x100, 0x200, 0x400, 0x800};   // bits 28-31

QList<QVariant> dataList(const QByteArray& ssid, uint attributes)
{
    return {QString(), 0u, QString(), QStringLiteral("WLAN_INFRA"), attributes, ssid};
}

} // namespace

class tst_WlanSecurity : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void attributesToCapabilityBitByBit_data();
    void attributesToCapabilityBitByBit();
    void capabilityToAttributesBitByBit_data();
    void capabilityToAttributesBitByBit();
    void capabilityToAttributesKeepsTopByte_data();
    void capabilityToAttributesKeepsTopByte();
    void roundTripKeepsWhatIsCarried_data();
    void roundTripKeepsWhatIsCarried();
    void fromCapability_data();
    void fromCapability();
    void fromAttributes_data();
    void fromAttributes();
    void fromString_data();
    void fromString();
    void fromIap_data();
    void fromIap();
};

void tst_WlanSecurity::attributesToCapabilityBitByBit_data()
{
    QTest::addColumn<uint>("attributes");
    QTest::addColumn<uint>("capability");
    for (int bit = 0; bit < 32; ++bit)
        QTest::addRow("attributes bit %d", bit) << (1u << bit) << attributeBitToCapability[bit];
    QTest::newRow("every bit") << 0xFFFFFFFFu << 0xF0001FFFu;
    QTest::newRow("none") << 0u << 0u;
}

void tst_WlanSecurity::attributesToCapabilityBitByBit()
{
    QFETCH(uint, attributes);
    QFETCH(uint, capability);
    QCOMPARE(QString::number(WlanSecurity::capabilityFromNetworkAttrs(attributes), 16),
             QString::number(capability, 16));
}

void tst_WlanSecurity::capabilityToAttributesBitByBit_data()
{
    QTest::addColumn<uint>("capability");
    QTest::addColumn<uint>("attributes");
    for (int bit = 0; bit < 32; ++bit)
        QTest::addRow("capability bit %d", bit) << (1u << bit) << capabilityBitToAttribute[bit];
    QTest::newRow("every bit") << 0xFFFFFFFFu << 0x0000FFFFu;
}

void tst_WlanSecurity::capabilityToAttributesBitByBit()
{
    QFETCH(uint, capability);
    QFETCH(uint, attributes);
    QCOMPARE(QString::number(WlanSecurity::networkAttrsFromCapability(capability, 0), 16),
             QString::number(attributes, 16));
}

void tst_WlanSecurity::capabilityToAttributesKeepsTopByte_data()
{
    QTest::addColumn<uint>("capability");
    QTest::addColumn<uint>("replaced");
    QTest::addColumn<uint>("attributes");

    QTest::newRow("top byte only") << 0u << 0xFF000000u << 0xFF000000u;
    // Bit 29 lives in the top byte: it comes from the replaced word even
    // though capability bit 3 would carry it the other way.
    QTest::newRow("bit 29 from replaced word") << 0x8u << 0x20000000u << 0x20000000u;
    QTest::newRow("capability bit 3 is not bit 29") << 0x8u << 0u << 0u;
    QTest::newRow("rest of replaced word dropped") << 0u << 0x00FFFFFFu << 0u;
    QTest::newRow("mixed") << 0x20000223u << 0xA5FFFFFFu << 0xA5001213u;
}

void tst_WlanSecurity::capabilityToAttributesKeepsTopByte()
{
    QFETCH(uint, capability);
    QFETCH(uint, replaced);
    QFETCH(uint, attributes);
    QCOMPARE(QString::number(WlanSecurity::networkAttrsFromCapability(capability, replaced), 16),
             QString::number(attributes, 16));
}

void tst_WlanSecurity::roundTripKeepsWhatIsCarried_data()
{
    QTest::addColumn<uint>("attributes");
    QTest::addColumn<uint>("afterRoundTrip");

    QTest::newRow("WEP infrastructure") << 0x00000011u << 0x00000011u;
    QTest::newRow("WPA-PSK with WPS") << 0x0000F022u << 0x0000F022u;
    QTest::newRow("every carried bit") << 0xFF00FFFFu << 0xFF00FFFFu;
    // Bits 16-23 have no place in a capability word.
    QTest::newRow("bits 16-23 lost") << 0x00FF0000u << 0u;
}

void tst_WlanSecurity::roundTripKeepsWhatIsCarried()
{
    QFETCH(uint, attributes);
    QFETCH(uint, afterRoundTrip);
    const uint capability = WlanSecurity::capabilityFromNetworkAttrs(attributes);
    QCOMPARE(QString::number(WlanSecurity::networkAttrsFromCapability(capability, attributes), 16),
             QString::number(afterRoundTrip, 16));
}

void tst_WlanSecurity::fromCapability_data()
{
    QTest::addColumn<uint>("capability");
    QTest::addColumn<int>("method");

    // Every value of the security nibble.
    const int byNibble[16] = {1, 1, 2, 1, 8, 1, 1, 0x10000, 0xFFF0, 1, 1, 0x20000, 1, 1, 1, 1};
    for (int nibble = 0; nibble < 16; ++nibble)
        QTest::addRow("nibble 0x%X0", nibble) << uint(nibble << 4) << byNibble[nibble];
    // Bits outside the nibble do not change the answer.
    QTest::newRow("WEP with every other bit") << (0x20u | ~0xF0u) << 2;
    QTest::newRow("open with every other bit") << ~0xF0u << 1;
    QTest::newRow("WAPI certificate with WPS") << 0x1EB0u << 0x20000;
}

void tst_WlanSecurity::fromCapability()
{
    QFETCH(uint, capability);
    QFETCH(int, method);
    QCOMPARE(WlanSecurity::securityFromNetworkCapability(capability), method);
}

void tst_WlanSecurity::fromAttributes_data()
{
    QTest::addColumn<uint>("attributes");
    QTest::addColumn<int>("method");

    QTest::newRow("none") << 0u << 1;
    QTest::newRow("bit 4: WEP") << 0x10u << 2;
    QTest::newRow("bit 5: WPA-PSK") << 0x20u << 8;
    QTest::newRow("bit 6: WPA-EAP") << 0x40u << 0xFFF0;
    QTest::newRow("0x38: WAPI pre-shared key") << 0x38u << 0x10000;
    QTest::newRow("0x58: WAPI certificate") << 0x58u << 0x20000;
    QTest::newRow("bit 7 alone: open") << 0x80u << 1;
    QTest::newRow("bit 3 alone") << 0x08u << 1;
    QTest::newRow("whole nibble: open") << 0x78u << 1;
    QTest::newRow("WEP among carried bits") << (0x10u | 0xFF00FF87u) << 2;
}

void tst_WlanSecurity::fromAttributes()
{
    QFETCH(uint, attributes);
    QFETCH(int, method);
    QCOMPARE(WlanSecurity::securityFromNetworkAttrs(attributes), method);
}

void tst_WlanSecurity::fromString_data()
{
    QTest::addColumn<QString>("security");
    QTest::addColumn<int>("method");

    QTest::newRow("WEP") << WLANProperties::SecurityValueWep << 2;
    QTest::newRow("WPA_PSK") << WLANProperties::SecurityValueWpaPsk << 8;
    QTest::newRow("WPA_EAP") << WLANProperties::SecurityValueWpaEap << 0xFFF0;
    QTest::newRow("WAI_PSK") << WLANProperties::SecurityValueWapiPsk << 0x10000;
    QTest::newRow("WAI_certificate") << WLANProperties::SecurityValueWapiCert << 0x20000;
    QTest::newRow("NONE") << WLANProperties::SecurityValueNone << 1;
    QTest::newRow("empty") << QString() << 1;
    QTest::newRow("lower case") << QStringLiteral("wpa_psk") << 1;
    QTest::newRow("upper case certificate") << QStringLiteral("WAI_CERTIFICATE") << 1;
    QTest::newRow("padded") << QStringLiteral(" WEP") << 1;
    QTest::newRow("unknown") << QStringLiteral("WPA3_SAE") << 1;
}

void tst_WlanSecurity::fromString()
{
    QFETCH(QString, security);
    QFETCH(int, method);
    QCOMPARE(WlanSecurity::securityFromString(security), method);
}

void tst_WlanSecurity::fromIap_data()
{
    QTest::addColumn<QList<QVariant>>("data");
    QTest::addColumn<QVariant>("security");
    QTest::addColumn<int>("method");

    QTest::newRow("property") << dataList("iap-a", 0) << QVariant(QStringLiteral("WPA_EAP")) << 0xFFF0;
    QTest::newRow("property wins over attributes")
        << dataList("iap-b", 0x10) << QVariant(QStringLiteral("NONE")) << 1;
    QTest::newRow("property in lower case") << dataList("iap-c", 0x20) << QVariant(QStringLiteral("wpa_psk")) << 1;
    QTest::newRow("attributes when no property") << dataList("iap-d", 0x10) << QVariant() << 2;
    QTest::newRow("attributes: WAPI certificate") << dataList("iap-e", 0x58) << QVariant() << 0x20000;
    QList<QVariant> five = dataList("iap-f", 0x20);
    five.removeLast();
    QTest::newRow("five entries are enough") << five << QVariant() << 8;
    QList<QVariant> four = dataList("iap-g", 0x20);
    four.removeLast();
    four.removeLast();
    QTest::newRow("four entries: open") << four << QVariant() << 1;
    QTest::newRow("no data, no property") << QList<QVariant>() << QVariant() << 1;
}

void tst_WlanSecurity::fromIap()
{
    QFETCH(QList<QVariant>, data);
    QFETCH(QVariant, security);
    QFETCH(int, method);

    InternetAccessPoint iap;
    if (!data.isEmpty())
        iap.setData(data);
    if (security.isValid())
        iap.setProperty(WLANProperties::Security, security);
    QCOMPARE(WlanSecurity::securityFromIap(iap), method);
}

QTEST_GUILESS_MAIN(tst_WlanSecurity)
#include "tst_wlansecurity.moc"
