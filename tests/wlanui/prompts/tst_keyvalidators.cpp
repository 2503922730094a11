// Typing rules of the WEP and WPA-PSK validators: what is refused, which
// banner explains it, and how often.
#include "bannerobserver.h"
#include "lonesurrogates.h"
#include "promptstesthelpers.h"

#include "wlanui/prompts/wepkeyvalidator.h"
#include "wlanui/prompts/wpapskvalidator.h"

#include <QScopedPointer>
#include <QtTest>

namespace {

const QString MaxChar = QStringLiteral("qtn_conn_error_max_char");
const QString OnlyAscii = QStringLiteral("qtn_conn_error_only_ascii");

QValidator* createValidator(const QString& kind)
{
    if (kind == QLatin1String("wep"))
        return new Velin::WepKeyValidator;
    return new Velin::WpaPskValidator;
}

QString repeated(const QString& unit, int length)
{
    return unit.repeated(length / unit.length() + 1).left(length);
}

// A character outside the Basic Multilingual Plane: two UTF-16 units.
const QString Emoji = QString::fromUtf8("\xF0\x9F\x94\x91");

} // namespace

Q_DECLARE_METATYPE(QValidator::State)

class TestKeyValidators : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void validate_data();
    void validate();
    void oneBannerOfAKindAtATime_data();
    void oneBannerOfAKindAtATime();
    void bannerReturnsOnceGone_data();
    void bannerReturnsOnceGone();
    void kindsDoNotSilenceEachOther_data();
    void kindsDoNotSilenceEachOther();
    void validatorsAreIndependent();
};

void TestKeyValidators::cleanup()
{
    PromptsTest::deleteBanners();
}

void TestKeyValidators::validate_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QValidator::State>("expected");
    QTest::addColumn<QString>("banner");   // empty: none

    const QValidator::State ok = QValidator::Acceptable;
    const QValidator::State refused = QValidator::Invalid;
    const QString printable = QStringLiteral(" !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~");

    // WEP: at most 26 characters, printable ASCII only.
    QTest::newRow("wep: empty") << "wep" << "" << ok << "";
    QTest::newRow("wep: one character") << "wep" << "k" << ok << "";
    QTest::newRow("wep: 25") << "wep" << repeated("ab", 25) << ok << "";
    QTest::newRow("wep: 26 hex digits") << "wep" << repeated("0123456789abcdef", 26) << ok << "";
    QTest::newRow("wep: 26 of any printable") << "wep" << printable.left(26) << ok << "";
    QTest::newRow("wep: 26 ending with tilde") << "wep" << printable.right(26) << ok << "";
    QTest::newRow("wep: 27") << "wep" << repeated("0123456789abcdef", 27) << refused << MaxChar;
    QTest::newRow("wep: 95") << "wep" << printable << refused << MaxChar;
    QTest::newRow("wep: e acute") << "wep" << QString::fromUtf8("caf\xC3\xA9") << refused << OnlyAscii;
    QTest::newRow("wep: U+0080") << "wep" << QString(QChar(0x80)) << refused << OnlyAscii;
    QTest::newRow("wep: 25 and e acute") << "wep" << repeated("ab", 25) + QChar(0xE9) << refused << OnlyAscii;
    QTest::newRow("wep: 27 with e acute: length comes first")
        << "wep" << repeated("ab", 26) + QChar(0xE9) << refused << MaxChar;
    QTest::newRow("wep: 25 and a two-unit character make 27") << "wep" << repeated("ab", 25) + Emoji << refused << MaxChar;
    QTest::newRow("wep: 24 and a two-unit character make 26") << "wep" << repeated("ab", 24) + Emoji << refused << OnlyAscii;
    // Control characters are refused like non-ASCII ones.
    QTest::newRow("wep: U+0000") << "wep" << QString(QChar(0x0000)) << refused << OnlyAscii;
    QTest::newRow("wep: U+001F") << "wep" << QStringLiteral("ab\x1F") << refused << OnlyAscii;
    QTest::newRow("wep: tab") << "wep" << QStringLiteral("ab\tcd") << refused << OnlyAscii;
    QTest::newRow("wep: line feed") << "wep" << QStringLiteral("abcd\n") << refused << OnlyAscii;
    QTest::newRow("wep: carriage return") << "wep" << QStringLiteral("\rabcd") << refused << OnlyAscii;
    QTest::newRow("wep: U+007F") << "wep" << QStringLiteral("ab\x7F") << refused << OnlyAscii;
    QTest::newRow("wep: space U+0020") << "wep" << QStringLiteral(" ") << ok << "";
    QTest::newRow("wep: tilde U+007E") << "wep" << QStringLiteral("~") << ok << "";

    // WPA: a passphrase of at most 63, or exactly 64 hexadecimal digits.
    QTest::newRow("wpa: empty") << "wpa" << "" << ok << "";
    QTest::newRow("wpa: 8") << "wpa" << "password" << ok << "";
    QTest::newRow("wpa: 63 of any printable") << "wpa" << printable.left(63) << ok << "";
    QTest::newRow("wpa: 63 hex digits") << "wpa" << repeated("0123456789abcdef", 63) << ok << "";
    QTest::newRow("wpa: 64 lower-case hex") << "wpa" << repeated("0123456789abcdef", 64) << ok << "";
    QTest::newRow("wpa: 64 upper-case hex") << "wpa" << repeated("0123456789ABCDEF", 64) << ok << "";
    QTest::newRow("wpa: 64 mixed-case hex") << "wpa" << repeated("0a1B2c3D4e5F6789", 64) << ok << "";
    QTest::newRow("wpa: 64 with one g") << "wpa" << repeated("0123456789abcdef", 63) + "g" << refused << MaxChar;
    QTest::newRow("wpa: 64 with g first") << "wpa" << "g" + repeated("0123456789abcdef", 63) << refused << MaxChar;
    QTest::newRow("wpa: 64 with a space") << "wpa" << repeated("abcdef", 32) + " " + repeated("abcdef", 31) << refused << MaxChar;
    QTest::newRow("wpa: 64 passphrase") << "wpa" << repeated("passphrase", 64) << refused << MaxChar;
    QTest::newRow("wpa: 65 hex") << "wpa" << repeated("0123456789abcdef", 65) << refused << MaxChar;
    QTest::newRow("wpa: 65 passphrase") << "wpa" << repeated("passphrase", 65) << refused << MaxChar;
    QTest::newRow("wpa: 63 hex and a line feed are not 64 hex")
        << "wpa" << repeated("0123456789abcdef", 63) + "\n" << refused << MaxChar;
    QTest::newRow("wpa: 62 and a two-unit character make 64") << "wpa" << repeated("ab", 62) + Emoji << refused << MaxChar;
    QTest::newRow("wpa: 61 and a two-unit character make 63") << "wpa" << repeated("ab", 61) + Emoji << refused << OnlyAscii;
    QTest::newRow("wpa: o umlaut") << "wpa" << QString::fromUtf8("passw\xC3\xB6rd") << refused << OnlyAscii;
    QTest::newRow("wpa: U+00FF") << "wpa" << QString(QChar(0xFF)) << refused << OnlyAscii;
    QTest::newRow("wpa: U+0001") << "wpa" << QStringLiteral("pass\x01word") << refused << OnlyAscii;
    QTest::newRow("wpa: line feed") << "wpa" << QStringLiteral("passphrase\nkey_mgmt=NONE") << refused << OnlyAscii;
    QTest::newRow("wpa: U+007F") << "wpa" << QStringLiteral("\x7Fpassword") << refused << OnlyAscii;
    QTest::newRow("wpa: space and tilde") << "wpa" << QStringLiteral("correct horse ~ battery") << ok << "";

    // Text that is not valid UTF-16 is still judged character by character.
    for (const char* kind : {"wep", "wpa"}) {
        for (const auto& row : LoneSurrogates::texts())
            QTest::newRow(qPrintable(kind + QStringLiteral(": ") + row.first))
                << QString::fromLatin1(kind) << row.second << refused << OnlyAscii;
    }
}

void TestKeyValidators::validate()
{
    QFETCH(QString, kind);
    QFETCH(QString, input);
    QFETCH(QValidator::State, expected);
    QFETCH(QString, banner);

    BannerObserver banners;
    QScopedPointer<QValidator> validator(createValidator(kind));
    QString text = input;
    int position = 3;

    QCOMPARE(validator->validate(text, position), expected);
    // Judged, never fixed: the text and the cursor stay as they were.
    QCOMPARE(text, input);
    QCOMPARE(position, 3);
    QCOMPARE(banners.texts(), banner.isEmpty() ? QStringList() : QStringList(banner));
}

void TestKeyValidators::oneBannerOfAKindAtATime_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("banner");

    QTest::newRow("wep too long") << "wep" << repeated("abc", 27) << MaxChar;
    QTest::newRow("wep not ASCII") << "wep" << QString::fromUtf8("\xC3\xA9") << OnlyAscii;
    QTest::newRow("wep control character") << "wep" << QStringLiteral("a\nb") << OnlyAscii;
    QTest::newRow("wpa too long") << "wpa" << repeated("abcdefgh", 65) << MaxChar;
    QTest::newRow("wpa not ASCII") << "wpa" << QString::fromUtf8("\xC3\xA9") << OnlyAscii;
    QTest::newRow("wpa control character") << "wpa" << QStringLiteral("a\x7F") << OnlyAscii;
}

void TestKeyValidators::oneBannerOfAKindAtATime()
{
    QFETCH(QString, kind);
    QFETCH(QString, input);
    QFETCH(QString, banner);

    BannerObserver banners;
    QScopedPointer<QValidator> validator(createValidator(kind));
    int position = 0;
    for (int i = 0; i < 4; ++i) {
        QString text = input + QString(i, QLatin1Char('x'));
        QCOMPARE(validator->validate(text, position), QValidator::Invalid);
    }
    // Refused four times, told once while the banner is up.
    QCOMPARE(banners.texts(), QStringList(banner));
    QVERIFY(banners.banners().first());
}

void TestKeyValidators::bannerReturnsOnceGone_data()
{
    oneBannerOfAKindAtATime_data();
}

void TestKeyValidators::bannerReturnsOnceGone()
{
    QFETCH(QString, kind);
    QFETCH(QString, input);
    QFETCH(QString, banner);

    BannerObserver banners;
    QScopedPointer<QValidator> validator(createValidator(kind));
    int position = 0;
    QString text = input;
    QCOMPARE(validator->validate(text, position), QValidator::Invalid);
    QCOMPARE(banners.size(), 1);

    QVERIFY(PromptsTest::expireBanners());
    QCOMPARE(validator->validate(text, position), QValidator::Invalid);
    QCOMPARE(banners.texts(), QStringList() << banner << banner);
    // The new banner silences again.
    QCOMPARE(validator->validate(text, position), QValidator::Invalid);
    QCOMPARE(banners.size(), 2);
}

void TestKeyValidators::kindsDoNotSilenceEachOther_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("tooLong");
    QTest::newRow("wep") << "wep" << repeated("abc", 27);
    QTest::newRow("wpa") << "wpa" << repeated("abcdefgh", 64);
}

void TestKeyValidators::kindsDoNotSilenceEachOther()
{
    QFETCH(QString, kind);
    QFETCH(QString, tooLong);

    BannerObserver banners;
    QScopedPointer<QValidator> validator(createValidator(kind));
    int position = 0;
    QString longText = tooLong;
    QString foreign = QString::fromUtf8("\xC3\xA9t\xC3\xA9");

    QCOMPARE(validator->validate(longText, position), QValidator::Invalid);
    QCOMPARE(validator->validate(foreign, position), QValidator::Invalid);
    QCOMPARE(banners.texts(), QStringList() << MaxChar << OnlyAscii);

    // Once the too-long banner is gone, only that kind speaks again.
    auto timer = banners.banners().at(0)->findChild<QTimer*>(QStringLiteral("SimpleInformationBannerTimer"));
    QVERIFY(timer);
    timer->start(0);
    QTRY_VERIFY(banners.banners().at(0).isNull());
    QVERIFY(banners.banners().at(1));
    QCOMPARE(validator->validate(foreign, position), QValidator::Invalid);
    QCOMPARE(validator->validate(longText, position), QValidator::Invalid);
    QCOMPARE(banners.texts(), QStringList() << MaxChar << OnlyAscii << MaxChar);
}

void TestKeyValidators::validatorsAreIndependent()
{
    // Each field keeps its own guards: a banner of one does not silence another.
    BannerObserver banners;
    Velin::WepKeyValidator first;
    Velin::WepKeyValidator second;
    QString text = repeated("abc", 27);
    int position = 0;
    QCOMPARE(first.validate(text, position), QValidator::Invalid);
    QCOMPARE(second.validate(text, position), QValidator::Invalid);
    QCOMPARE(banners.texts(), QStringList() << MaxChar << MaxChar);
}

QTEST_MAIN(TestKeyValidators)
#include "tst_keyvalidators.moc"
