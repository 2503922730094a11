// Where the WPA pre-shared key field is stored: the length alone chooses
// between the raw key (bytes) and the passphrase (text), and the other key
// is always dropped.
#include "wlanui/editor/pskpropertymapper.h"

#include "base/propertyeditormanager.h"
#include "touch/textedit.h"

#include <QLineEdit>
#include <QtTest>

namespace {

const QString RawKey = QStringLiteral("EAP_wpa_preshared_key");
const QString Passphrase = QStringLiteral("EAP_wpa_preshared_passphrase");

// 0x00 0x11 ... 0xff, twice: the 32 bytes of the 64 digits below.
QByteArray rawKeyBytes()
{
    QByteArray bytes;
    for (int i = 0; i < 32; ++i)
        bytes += char((i % 16) * 0x11);
    return bytes;
}

const QString LowerDigits = QStringLiteral("00112233445566778899aabbccddeeff").repeated(2);

} // namespace

class TestPskPropertyMapper : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mapping_data();
    void mapping();
    void oneKeyStaysInTheManager();
};

void TestPskPropertyMapper::mapping_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");

    const QString phrase63 = QStringLiteral("correct horse battery staple ").repeated(3).left(63);
    QCOMPARE(phrase63.length(), 63);

    QTest::newRow("empty") << "" << Passphrase << QVariant(QString(""));
    QTest::newRow("8 characters") << "password" << Passphrase << QVariant(QString("password"));
    QTest::newRow("63 characters") << phrase63 << Passphrase << QVariant(phrase63);
    QTest::newRow("63 hex digits are a passphrase")
        << LowerDigits.left(63) << Passphrase << QVariant(LowerDigits.left(63));
    QTest::newRow("64 lower-case digits") << LowerDigits << RawKey << QVariant(rawKeyBytes());
    QTest::newRow("64 upper-case digits") << LowerDigits.toUpper() << RawKey << QVariant(rawKeyBytes());
    // Not checked here: the digits that are there decide.
    QTest::newRow("64 non-hex characters") << QString(64, QLatin1Char('g')) << RawKey << QVariant(QByteArray());
    QTest::newRow("64, every other one a digit")
        << QStringLiteral("1x").repeated(32) << RawKey << QVariant(QByteArray(16, char(0x11)));
    QTest::newRow("65 characters") << LowerDigits + "0" << Passphrase << QVariant(LowerDigits + "0");
}

void TestPskPropertyMapper::mapping()
{
    QFETCH(QString, text);
    QFETCH(QString, key);
    QFETCH(QVariant, value);

    Touch::TextEdit edit;
    edit.setText(text);
    Velin::PskPropertyMapper mapper(&edit);

    QCOMPARE(mapper.key(), key);
    const QVariant stored = mapper.value();
    QCOMPARE(stored.type(), value.type());
    QCOMPARE(stored, value);
    QCOMPARE(mapper.invalidKeys(), QStringList(key == RawKey ? Passphrase : RawKey));
}

void TestPskPropertyMapper::oneKeyStaysInTheManager()
{
    Velin::PropertyEditorManager manager({{RawKey, QByteArray("old")}, {Passphrase, QStringLiteral("old")},
                                          {QStringLiteral("wlan_ssid"), QByteArray("Office")}});
    Touch::TextEdit edit;
    Velin::PskPropertyMapper mapper(&edit);
    QVERIFY(manager.bindEditor(&edit, &mapper));

    edit.insert(QStringLiteral("passphrase"));
    QCOMPARE(manager.propertyValue(Passphrase), QVariant(QStringLiteral("passphrase")));
    QVERIFY(!manager.properties().contains(RawKey));

    edit.setText(LowerDigits.toUpper());
    QCOMPARE(manager.propertyValue(RawKey), QVariant(rawKeyBytes()));
    QVERIFY(!manager.properties().contains(Passphrase));

    edit.lineEdit()->backspace();
    QCOMPARE(manager.propertyValue(Passphrase), QVariant(LowerDigits.toUpper().left(63)));
    QVERIFY(!manager.properties().contains(RawKey));
    QCOMPARE(manager.propertyValue(QStringLiteral("wlan_ssid")), QVariant(QByteArray("Office")));
}

QTEST_MAIN(TestPskPropertyMapper)
#include "tst_pskpropertymapper.moc"
