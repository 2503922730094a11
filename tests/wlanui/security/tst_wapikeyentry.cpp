// The WAPI pre-shared key field: its two modes, what the validator refuses
// in each (typed and pasted for real), which banners explain it and how
// often, and the bytes the mapper stores.
#include "bannerobserver.h"
#include "lonesurrogates.h"
#include "../prompts/promptstesthelpers.h"
#include "windowfixture.h"

#include "wlanui/security/wapipresharedkeytextedit.h"
#include "wlanui/security/wapipskpropertymapper.h"
#include "wlanui/security/wapipskvalidator.h"

#include "touch/scenewindow.h"

#include <QClipboard>
#include <QGraphicsLinearLayout>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScopedPointer>
#include <QtTest>

namespace {

const QString MaxChar = QStringLiteral("qtn_conn_error_max_char");
const QString OnlyAscii = QStringLiteral("qtn_conn_error_only_ascii");

QString repeated(const QString& unit, int length)
{
    return unit.repeated(length / unit.length() + 1).left(length);
}

QStringList bannerList(const QString& banner)
{
    return banner.isEmpty() ? QStringList() : QStringList(banner);
}

Velin::WapiPresharedKeyTextEdit* createEdit(bool hex)
{
    auto edit = new Velin::WapiPresharedKeyTextEdit;
    if (hex)
        edit->setHexMode();
    return edit;
}

} // namespace

Q_DECLARE_METATYPE(QValidator::State)

class TestWapiKeyEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void secretField();
    void validate_data();
    void validate();
    void typing_data();
    void typing();
    void paste_data();
    void paste();
    void mapperValue_data();
    void mapperValue();
};

void TestWapiKeyEntry::cleanup()
{
    PromptsTest::deleteBanners();
}

void TestWapiKeyEntry::secretField()
{
    auto parent = new Touch::Widget;
    QScopedPointer<Touch::Widget> owner(parent);
    auto edit = new Velin::WapiPresharedKeyTextEdit(parent);
    QVERIFY(!edit->isHexMode());
    QVERIFY(!edit->property("hexMode").toBool());
    QCOMPARE(edit->lineEdit()->echoMode(), QLineEdit::Password);
    QVERIFY(!edit->inputMethodPredictionEnabled());
    QVERIFY(!edit->inputMethodCorrectionEnabled());
    QVERIFY(!edit->inputMethodAutoCapitalizationEnabled());
    QVERIFY(qobject_cast<const Velin::WapiPskValidator*>(edit->validator()));

    // Switching leaves the text alone; the caller clears it.
    edit->insert(QStringLiteral("key"));
    edit->setHexMode();
    QVERIFY(edit->isHexMode());
    QCOMPARE(edit->text(), QStringLiteral("key"));
    QVERIFY(edit->validateKey());
    edit->setAsciiMode();
    QVERIFY(!edit->isHexMode());

    // The edit owns its validator.
    QPointer<const QValidator> validator(edit->validator());
    owner.reset();
    QVERIFY(validator.isNull());
}

void TestWapiKeyEntry::validate_data()
{
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QValidator::State>("expected");
    QTest::addColumn<QString>("banner");

    const QValidator::State ok = QValidator::Acceptable;
    const QValidator::State refused = QValidator::Invalid;
    const QString printable = QStringLiteral(" !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~");

    QTest::newRow("ascii: empty") << false << "" << ok << "";
    QTest::newRow("ascii: one character") << false << "k" << ok << "";
    QTest::newRow("ascii: 64 printable") << false << printable.left(64) << ok << "";
    QTest::newRow("ascii: 64 ending with tilde") << false << printable.right(64) << ok << "";
    QTest::newRow("ascii: 65") << false << printable.left(65) << refused << MaxChar;
    QTest::newRow("ascii: 65 with e acute: length first") << false << repeated("ab", 64) + QChar(0xE9) << refused << MaxChar;
    QTest::newRow("ascii: e acute") << false << QString::fromUtf8("caf\xC3\xA9") << refused << OnlyAscii;
    QTest::newRow("ascii: U+0080") << false << QString(QChar(0x80)) << refused << OnlyAscii;
    QTest::newRow("ascii: U+0000") << false << QString(QChar(0x0000)) << refused << OnlyAscii;
    QTest::newRow("ascii: U+001F") << false << QStringLiteral("ab\x1F") << refused << OnlyAscii;
    QTest::newRow("ascii: line feed") << false << QStringLiteral("key\nkey_mgmt=NONE") << refused << OnlyAscii;
    QTest::newRow("ascii: U+007F") << false << QStringLiteral("ab\x7F") << refused << OnlyAscii;

    QTest::newRow("hex: empty") << true << "" << ok << "";
    QTest::newRow("hex: one digit") << true << "a" << ok << "";
    QTest::newRow("hex: odd count") << true << "abc" << ok << "";
    QTest::newRow("hex: 64 mixed case") << true << repeated("0a1B2c3D4e5F6789", 64) << ok << "";
    QTest::newRow("hex: g, silently") << true << "12g" << refused << "";
    QTest::newRow("hex: space, silently") << true << "12 34" << refused << "";
    QTest::newRow("hex: e acute, silently") << true << QString(QChar(0xE9)) << refused << "";
    QTest::newRow("hex: final line feed, silently") << true << "abcd\n" << refused << "";
    QTest::newRow("hex: 65 digits") << true << repeated("0123456789abcdef", 65) << refused << MaxChar;

    // Text that is not valid UTF-16 is still judged character by character.
    for (const auto& row : LoneSurrogates::texts()) {
        QTest::newRow(qPrintable("ascii: " + row.first)) << false << row.second << refused << OnlyAscii;
        QTest::newRow(qPrintable("hex: " + row.first)) << true << row.second << refused << "";
    }
}

void TestWapiKeyEntry::validate()
{
    QFETCH(bool, hex);
    QFETCH(QString, input);
    QFETCH(QValidator::State, expected);
    QFETCH(QString, banner);

    QScopedPointer<Velin::WapiPresharedKeyTextEdit> edit(createEdit(hex));
    Velin::WapiPskValidator validator(edit.data());
    BannerObserver banners;
    QString text = input;
    int position = 2;

    QCOMPARE(validator.validate(text, position), expected);
    QCOMPARE(text, input);
    QCOMPARE(position, 2);
    // Refused again while the banner shows: not told again.
    QCOMPARE(validator.validate(text, position), expected);
    QCOMPARE(banners.texts(), bannerList(banner));
}

void TestWapiKeyEntry::typing_data()
{
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("banners");

    const QString ascii66 = repeated("Passw0rd ~!", 66);
    const QString hex66 = repeated("0123456789ABCDEF", 66);

    QTest::newRow("ascii: 65th told, 66th silent") << false << ascii66 << ascii66.left(64) << QStringList(MaxChar);
    QTest::newRow("ascii: non-ASCII letters dropped, told once")
        << false << QString::fromUtf8("k\xC3\xA9y\xC3\xBC") << "ky" << QStringList(OnlyAscii);
    QTest::newRow("hex: 65th told, 66th silent") << true << hex66 << hex66.left(64) << QStringList(MaxChar);
    QTest::newRow("hex: g dropped silently") << true << "12g3" << "123" << QStringList();
    QTest::newRow("hex: letters past f dropped") << true << "aBcDeFgHz" << "aBcDeF" << QStringList();
}

void TestWapiKeyEntry::typing()
{
    QFETCH(bool, hex);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(QStringList, banners);

    WindowFixture fx;
    Velin::WapiPresharedKeyTextEdit* edit = createEdit(hex);
    fx.showOnPage({edit});
    BannerObserver observer;

    QVERIFY(PromptsTest::typeKeys(fx, edit, typed));
    QCOMPARE(edit->text(), expected);
    QCOMPARE(observer.texts(), banners);
}

void TestWapiKeyEntry::paste_data()
{
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("banner");

    QTest::newRow("ascii: fits") << false << "wapi" << " key" << "wapi key" << "";
    QTest::newRow("ascii: tab refused") << false << "" << "wapi\tkey" << "" << OnlyAscii;
    QTest::newRow("ascii: line break refused") << false << "pre" << "key\"\nkey_mgmt=NONE" << "pre" << OnlyAscii;
    QTest::newRow("ascii: DEL refused") << false << "" << "ab\x7F" "cd" << "" << OnlyAscii;
    QTest::newRow("ascii: too long as a whole") << false << "x" << repeated("abc", 64) << "x" << MaxChar;
    QTest::newRow("hex: digits") << true << "ab" << "CDEF01" << "abCDEF01" << "";
    QTest::newRow("hex: tab refused silently") << true << "" << "ab\tcd" << "" << "";
}

void TestWapiKeyEntry::paste()
{
    QFETCH(bool, hex);
    QFETCH(QString, initial);
    QFETCH(QString, clipboard);
    QFETCH(QString, expected);
    QFETCH(QString, banner);

    QScopedPointer<Velin::WapiPresharedKeyTextEdit> edit(createEdit(hex));
    edit->setText(initial);
    edit->setCursorPosition(initial.length());
    QGuiApplication::clipboard()->setText(clipboard);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    BannerObserver banners;

    edit->paste();
    QCOMPARE(edit->text(), expected);
    if (expected == initial) {
        // Refused as a whole, and a second try is not told again.
        edit->paste();
        QCOMPARE(edit->text(), initial);
    }
    QCOMPARE(banners.texts(), bannerList(banner));
}

void TestWapiKeyEntry::mapperValue_data()
{
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("ascii: empty") << false << "" << QByteArray();
    QTest::newRow("ascii: six characters, six bytes") << false << "abc123" << QByteArray("abc123");
    QTest::newRow("ascii: symbols kept") << false << " ~Key!" << QByteArray(" ~Key!");
    QTest::newRow("hex: empty") << true << "" << QByteArray();
    QTest::newRow("hex: six digits, three bytes") << true << "abc123" << QByteArray("\xab\xc1\x23", 3);
    QTest::newRow("hex: case does not matter") << true << "ABC123" << QByteArray("\xab\xc1\x23", 3);
    QTest::newRow("hex: three digits, the lone one first") << true << "abc" << QByteArray("\x0a\xbc", 2);
    QTest::newRow("hex: one digit") << true << "7" << QByteArray("\x07", 1);
    QTest::newRow("hex: zeros kept") << true << "000" << QByteArray("\x00\x00", 2);
}

void TestWapiKeyEntry::mapperValue()
{
    QFETCH(bool, hex);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);

    QScopedPointer<Velin::WapiPresharedKeyTextEdit> edit(createEdit(hex));
    edit->insert(text);
    QCOMPARE(edit->text(), text);
    Velin::WapiPskPropertyMapper mapper(edit.data());

    QCOMPARE(mapper.key(), QStringLiteral("EAP_wpa_preshared_key"));
    QCOMPARE(mapper.value().type(), QVariant::ByteArray);
    QCOMPARE(mapper.value().toByteArray(), bytes);
    QVERIFY(mapper.invalidKeys().isEmpty());
}

QTEST_MAIN(TestWapiKeyEntry)
#include "tst_wapikeyentry.moc"
